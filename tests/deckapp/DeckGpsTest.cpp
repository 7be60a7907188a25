// The launcher's GPS link driven headless: the emulation's speeds on the displays, a scripted
// receiver's sentences, the SiRF switch on the wire, the clock from a fix, and a missing port.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/DeckProgram.h"
#include "tests/deckapp/DeckRunFixture.h"

namespace vexa::deck {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

int RunDeckProgram(platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); }

class DeckGpsTest : public DeckRunTest {
 protected:
  DeckGpsTest() {
    WriteSkin("skin800x480.ini",
              Element(1, "GPS-SPEED", "10,10", "100,60") + "Motion=DISPLAY-SPEED\r\n" +
                  Element(2, "GPS-TIME", "200,10", "100,60") +
                  Element(3, "NONE", "400,10", "300,60") + "Motion=DISPLAY-LATITUDE\r\n");
  }
  void WriteSettings(const std::string& gps) {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Gps]\r\n" + gps);
  }
};

TEST_F(DeckGpsTest, EmulationCountsTheSpeedUpOneStepASecondAndASecondTapStopsIt) {
  WriteSettings("Emulation=Y\r\n");
  std::string scenario = "wait 1000\ntap 50 40\n";
  for (int i = 0; i < 9; ++i) {
    scenario += "wait 1000\nscreenshot \"Vexa Deck Ver 3.x\" " + (tree.root() / ("speed" + std::to_string(i) + ".png")).string() + "\n";
  }
  scenario += "tap 50 40\nquit\n";
  ASSERT_EQ(Run(scenario, RunDeckProgram), 0);
  const auto log = Log();
  EXPECT_THAT(log, Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_THAT(log, Not(Contains(HasSubstr("serial_open"))));  // no port is touched
  auto speeds = DisplayTexts("DISPLAY-SPEED");
  ASSERT_GE(speeds.size(), 9u);
  EXPECT_THAT(std::vector<std::string>(speeds.begin(), speeds.begin() + 8),
              ElementsAre("0", "18", "37", "55", "74", "92", "111", "129"));
  EXPECT_EQ(speeds.back(), "OFF");
  EXPECT_THAT(DisplayTexts("DISPLAY-LATITUDE"), Contains(" 37:33:14.06"));
}

TEST_F(DeckGpsTest, AScriptedReceiverFeedsTheDisplaysAndSetsTheClockOnRequest) {
  WriteSettings("GpsPort=com2:\r\nGpsSpeed=19200\r\nSirfToNmea=Y\r\n");
  const std::string rmc2007 = "$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,20.00,0.000,311207,,*01\\r\\n";
  const std::string rmc2008 = "$GPRMC,100000.000,V,3734.0000,N,12701.0000,E,0.00,0.000,050108,,*2F\\r\\n";
  ASSERT_EQ(Run("wait 1000\ntap 50 40\nwait 500\n"
                "serial \"COM2:\" \"" + rmc2007 + "\"\nwait 100\ntap 250 40\n"
                "serial \"COM2:\" \"" + rmc2007 + "\"\nwait 100\n"
                "serial \"COM2:\" \"" + rmc2008 + "\"\nwait 100\nquit\n",
                RunDeckProgram),
            0);
  const auto log = Log();
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("serial_settings"), HasSubstr("\"baud\":9600"))));
  // The SiRF switch goes out in three writes: start and length, payload, checksum and end.
  std::vector<std::string> writes;
  for (const auto& line : log) {
    if (line.find("\"serial_write\"") == std::string::npos) continue;
    const auto at = line.find("\"bytes\":\"") + 9;
    writes.push_back(line.substr(at, line.find('"', at) - at));
  }
  EXPECT_THAT(writes, ElementsAre("A0A20018", "810201010001050105010001000100010001000100012580", "013DB0B3"));
  EXPECT_THAT(DisplayTexts("DISPLAY-SPEED"), Contains("SRF"));
  EXPECT_THAT(DisplayTexts("DISPLAY-SPEED"), Contains("37"));
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("clock_set"), HasSubstr("2008-01-05 10:00:00"))));
}

TEST_F(DeckGpsTest, AMissingPortShowsItsBoxAndErr) {
  WriteSettings("GpsPort=COM5:\r\n");
  ASSERT_EQ(Run("wait 1000\ntap 50 40\nanswer ok\nwait 100\nquit\n", RunDeckProgram), 0);
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("GPS#4"), HasSubstr("GPS not found"))));
  EXPECT_THAT(DisplayTexts("DISPLAY-SPEED"), Contains("ERR"));
}

TEST_F(DeckGpsTest, GpsTimeWithoutTheLinkRunsTheDialogOnARecordedReceiver) {
  WriteSettings("GpsPort=COM2:\r\nGpsSpeed=4800\r\n");
  const std::string recording = std::string(VEXA_SOURCE_DIR) + "/tests/data/nmea/bu353s4.log";
  ASSERT_EQ(Run("wait 1000\nserial-file \"COM2:\" \"" + recording + "\"\ntap 250 40\nwait 5000\nquit\n",
                RunDeckProgram),
            0);
  const auto log = Log();
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("window_opened"), HasSubstr("\"GPS Time\""))));
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("clock_set"), HasSubstr("\"2014-12-31 03:07:"))));
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("window_closed"), HasSubstr("\"GPS Time\""))));
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("serial_settings"), HasSubstr("\"baud\":4800"))));
}

TEST_F(DeckGpsTest, GpsTimeUnderEmulationClosesTheDialogAtOnceWithoutAPort) {
  WriteSettings("Emulation=y\r\n");
  // The dialog closes within the first 200 ms: a wait of that length ends with it closed.
  ASSERT_EQ(Run("wait 1000\ntap 250 40\nwait 200\nwait 800\nquit\n", RunDeckProgram), 0);
  std::vector<long> opened, closed;
  for (const auto& line : Log()) {
    if (line.find("\"GPS Time\"") == std::string::npos) continue;
    const long t = std::stol(line.substr(line.find("\"t\":") + 4));
    if (line.find("window_opened") != std::string::npos) opened.push_back(t);
    if (line.find("window_closed") != std::string::npos) closed.push_back(t);
  }
  ASSERT_EQ(opened.size(), 1u);
  ASSERT_EQ(closed.size(), 1u);
  EXPECT_EQ(closed[0] - opened[0], 200);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("serial_open"))));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("clock_set"))));
}

}  // namespace
}  // namespace vexa::deck
