// The GPS time program headless: the port and speed it opens, the SiRF switch, the clock set from a
// recorded receiver, the settings dialog and the end after a success.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "gpstime/GpsTimeWindow.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::gpstime {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string kRmc = "$GPRMC,100000.000,A,3733.2344,N,12701.1232,E,0.00,0.000,050108,,*00\r\n";

class GpsTimeWindowTest : public ::testing::Test {
 protected:
  GpsTimeWindowTest() { tree.WriteHostFile("Storage Card/VexaDeck/VexaGPSTime.exe", ""); }

  // Runs the program with COM2: present; answers the log lines without the scenario's actions.
  std::vector<std::string> Run(const std::string& scenario) {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    const auto logPath = (tree.root() / "log.jsonl").string();
    std::vector<std::string> args = {"VexaGPSTime", "--headless", "--device-root", tree.root().string(),
                                     "--module-path", "\\Storage Card\\VexaDeck\\VexaGPSTime.exe",
                                     "--port", "COM2:=script", "--port", "COM4:=script",
                                     "--scenario", scenarioPath, "--log", logPath};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaGPSTime";
    exitCode = platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                    [](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                      Environment env(platform);
                                      RunGpsTimeWindow(env, ui);
                                      return 0;
                                    });
    std::vector<std::string> lines;
    std::ifstream in(logPath);
    for (std::string line; std::getline(in, line);) {
      if (line.find("\"event\":\"action\"") == std::string::npos) lines.push_back(line);
    }
    return lines;
  }

  static std::vector<std::string> Matching(const std::vector<std::string>& log, const std::string& part) {
    std::vector<std::string> found;
    for (const auto& line : log) {
      if (line.find(part) != std::string::npos) found.push_back(line);
    }
    return found;
  }

  // Ten seconds of a receiver sending one sentence over and over at 9600 baud.
  static std::string Repeated(const std::string& sentence) {
    std::string bytes;
    while (bytes.size() < 9000) bytes += sentence;
    return bytes;
  }

  // A host file beside the scenario that a `serial-file` action feeds.
  void Recording(const std::string& name, const std::string& bytes) {
    std::ofstream(tree.root() / name, std::ios::binary) << bytes;
  }

  testing::TempDeviceTree tree;
  int exitCode = -1;
};

TEST_F(GpsTimeWindowTest, WithoutASettingsFileItOpensCom2At9600SendsTheSwitchAndSetsTheClock) {
  Recording("rmc.nmea", Repeated(kRmc));
  const auto log = Run("serial-file COM2: rmc.nmea\nwait 500\nwait 3000\n");
  const auto opens = Matching(log, "serial_open");
  ASSERT_FALSE(opens.empty());
  EXPECT_THAT(opens.front(), HasSubstr(R"({"t":500,"event":"serial_open","port":"COM2:","ok":true})"));
  EXPECT_THAT(log, Contains(HasSubstr(R"("event":"serial_settings","port":"COM2:","baud":9600,"byteSize":8,"parity":"none","stopBits":"2")")));
  EXPECT_THAT(Matching(log, "serial_write").size(), 32u);  // the SiRF switch, byte by byte
  // What arrived before the port opened is lost; the first whole sentence after it is taken.
  EXPECT_THAT(log, Contains(HasSubstr(R"("event":"clock_set","utc":"2008-01-05 10:00:00","ok":true)")));
  EXPECT_EQ(Matching(log, "window_closed").size(), 1u);  // only as the scenario ends
  EXPECT_EQ(exitCode, 0);
}

TEST_F(GpsTimeWindowTest, SuccessToExitEndsTheProgramAboutThreeSecondsAfterTheClockWasSet) {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaGPSTime.ini", "[Main]\r\nGpsPort=com4:\r\nSuccessToExit=Y\r\n");
  Recording("rmc.nmea", Repeated(kRmc));
  // The first attempt hears nothing and gives up at 2500 ms; the next one, at 3500 ms, hears the
  // receiver. A window closed in a wait is gone once that wait ends, so the waits end where the
  // close is due.
  const auto log = Run("wait 600\nserial-file COM4: rmc.nmea\nwait 5100\nwait 10000\n");
  const auto set = Matching(log, "clock_set");
  const auto closed = Matching(log, "window_closed");
  ASSERT_EQ(set.size(), 1u);
  ASSERT_EQ(closed.size(), 1u);
  auto timeOf = [](const std::string& line) { return std::stoi(line.substr(5)); };
  EXPECT_EQ(timeOf(closed[0]) - timeOf(set[0]), 3100);
}

TEST_F(GpsTimeWindowTest, ALineThatNeverEndsIsCutAndTheNextLineIsLookedFor) {
  // A few seconds of fixes without a date, then a line whose end never comes before the one RMC.
  // Without a cap the long line would swallow that sentence and the attempt would wait for good.
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes += "$GPGGA,100000.000,3733.2344,N,12701.1232,E,1,05,1.2,35.9,M,19.6,M,,*00\r\n";
  Recording("long.nmea", bytes + "$GPGSV," + std::string(5000, '7') + kRmc);
  const auto log = Run("serial-file COM2: long.nmea\nwait 20000\n");
  EXPECT_EQ(Matching(log, "serial_open").size(), 1u);  // all in the first attempt
  EXPECT_THAT(log, Contains(HasSubstr(R"("event":"clock_set","utc":"2008-01-05 10:00:00","ok":true)")));
}

TEST_F(GpsTimeWindowTest, AReceiverThatNeverSendsADateLeavesReturnUsableEveryTenSeconds) {
  std::string bytes;
  while (bytes.size() < 30000) bytes += "$GPGGA,100000.000,3733.2344,N,12701.1232,E,1,05,1.2,35.9,M,19.6,M,,*00\r\n";
  Recording("gga.nmea", bytes);
  // The attempt at 500 ms reads from 1500 ms on and gives up at 11500 ms; Return then ends it.
  const auto log = Run("serial-file COM2: gga.nmea\nwait 12000\nclick \"Vexa GPS Time\" \"Return\"\nwait 30000\n");
  EXPECT_THAT(log, Contains(HasSubstr(R"({"t":12000,"event":"window_closed","title":"Vexa GPS Time"})")));
  EXPECT_THAT(Matching(log, "clock_set"), IsEmpty());
}

TEST_F(GpsTimeWindowTest, The19600OfTheSettingsDialogIsWrittenAndConnectsAt9600) {
  const auto log = Run(
      "wait 1600\n"
      "click \"Vexa GPS Time\" \"Config\"\n"
      "choose \"환경 설정\" 1102 \"COM4:\"\n"
      "choose \"환경 설정\" \"GPS 통신속도:\" \"19600\"\n"
      "check \"환경 설정\" 1106 on\n"
      "click \"환경 설정\" \"확인\"\n"
      "wait 600\n");
  EXPECT_EQ(tree.ReadHostFile("Storage Card/VexaDeck/VexaGPSTime.ini"),
            "[Main]\r\nGpsPort=COM4:\r\nGpsSpeed=19600\r\nSuccessToExit=Y\r\n");
  const auto settings = Matching(log, "serial_settings");
  ASSERT_FALSE(settings.empty());
  EXPECT_THAT(settings.back(), HasSubstr(R"("port":"COM4:","baud":9600)"));
}

TEST_F(GpsTimeWindowTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen) {
  tree.MakeDir("Storage Card/VexaDeck/VexaGPSTime.ini");  // a folder in the way
  const auto log = Run(
      "click \"Vexa GPS Time\" \"Config\"\n"
      "click \"환경 설정\" \"확인\"\n"
      "click \"환경 설정\" \"취소\"\n"
      "click \"Vexa GPS Time\" \"Return\"\n");
  EXPECT_THAT(log, Contains(HasSubstr(R"("caption":"에러","text":"[VexaGpsTime.ini] 를 열수 없습니다.")")));
  EXPECT_EQ(Matching(log, "window_closed").size(), 2u);
  EXPECT_THAT(Matching(log, "serial_open"), IsEmpty());
  EXPECT_EQ(exitCode, 0);
}

TEST(GpsTimeLinesTest, DateAndTimeLinesAsTheClockShowsThem) {
  EXPECT_EQ(DateLine({2008, 1, 6, 5, 0, 0, 0, 0}), u"2008.01.05");
  EXPECT_EQ(TimeLine({2008, 1, 6, 5, 0, 0, 9, 0}), u"오전 0:00:09");
  EXPECT_EQ(TimeLine({2008, 1, 6, 5, 12, 5, 0, 0}), u"오후 12:05:00");
  EXPECT_EQ(TimeLine({2008, 1, 6, 5, 23, 59, 59, 0}), u"오후 11:59:59");
}

}  // namespace
}  // namespace vexa::gpstime
