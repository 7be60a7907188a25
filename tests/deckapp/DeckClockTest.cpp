// The launcher's date, time and message displays ticking headless from a chosen start time.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "deck/DeckProgram.h"
#include "tests/deckapp/DeckRunFixture.h"

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;

int RunDeckProgram(platform::Platform& platform, platform::ui::UserInterface& ui) {
  return RunDeck(platform, ui);
}

class DeckClockTest : public DeckRunTest {
 protected:
  DeckClockTest() {
    extraArgs = {"--start-time", "2008-03-05 13:04:08"};
    WriteSkin("skin800x480.ini", Element(1, "NONE", "10,10", "200,40") + "Motion=DISPLAY-DATE\r\n" +
                                     Element(2, "NONE", "220,10", "200,40") + "Motion=DISPLAY-TIME\r\n" +
                                     Element(3, "NONE", "430,10", "300,40") + "Motion=DISPLAY-MESSAGE\r\n");
  }
};

TEST_F(DeckClockTest, TheTimeTicksEverySecondAndTheDateBringsTheDaysMessage) {
  tree.WriteHostFile("Storage Card/VexaDeck/Clock/default.ini",
                     "[Anniversary]\r\nDefault=Drive safely\r\n20080305=Happy birthday\r\n");
  ASSERT_EQ(Run("wait 3200\nquit\n", RunDeckProgram), 0);
  EXPECT_THAT(DisplayTexts("DISPLAY-DATE"), ElementsAre("2008.03.05"));
  EXPECT_THAT(DisplayTexts("DISPLAY-MESSAGE"), ElementsAre("Happy birthday"));
  const auto times = DisplayTexts("DISPLAY-TIME");
  ASSERT_GE(times.size(), 2u);
  EXPECT_EQ(times[0].substr(0, 9), "PM 01:04:");
  EXPECT_NE(times[0], times[1]);  // a new text each second, logged once each
}

TEST_F(DeckClockTest, SkinPatternsAndTheDefaultMessageWithoutADateOfItsOwn) {
  tree.WriteHostFile("Storage Card/VexaDeck/Clock/default.ini", "[Anniversary]\r\nDefault=Drive safely\r\n");
  WriteSkin("skin800x480.ini", "[Format]\r\nDate=dddd d MMMM yyyy\r\nTime=HH:mm\r\n" +
                                   Element(1, "NONE", "10,10", "300,40") + "Motion=DISPLAY-DATE\r\n" +
                                   Element(2, "NONE", "320,10", "200,40") + "Motion=DISPLAY-TIME\r\n" +
                                   Element(3, "NONE", "530,10", "260,40") + "Motion=DISPLAY-MESSAGE\r\n");
  ASSERT_EQ(Run("wait 1500\nquit\n", RunDeckProgram), 0);
  EXPECT_THAT(DisplayTexts("DISPLAY-DATE"), ElementsAre("Wednesday 5 March 2008"));
  EXPECT_THAT(DisplayTexts("DISPLAY-TIME"), ElementsAre("13:04"));
  EXPECT_THAT(DisplayTexts("DISPLAY-MESSAGE"), ElementsAre("Drive safely"));
}

// GO-CLOCK on the demo device's clock folder: the day picture at noon, the night picture at ten in the
// evening, each with the day's message; Return ends the window.
class ClockWindowTest : public DeckRunTest {
 protected:
  ClockWindowTest() {
    const auto demo = std::filesystem::path(VEXA_SOURCE_DIR) / "demo/device/Storage Card/VexaDeck/Clock";
    std::filesystem::copy(demo, tree.root() / "Storage Card/VexaDeck/Clock",
                          std::filesystem::copy_options::recursive);
    WriteSkin("skin800x480.ini",
              Element(1, "GO-CLOCK", "10,10", "100,40") + Element(2, "GO-CALENDAR", "120,10", "100,40"));
  }

  // The clock_scene events of a run that opens the clock at `start`, shows it for two seconds and
  // ends it, from their "day" field on.
  std::vector<std::string> ScenesAt(const std::string& start) {
    extraArgs = {"--start-time", start};
    const auto shot = (tree.root() / "clock.png").string();
    EXPECT_EQ(Run("wait 1000\nclick \"Vexa Deck Ver 3.x\" 1001\nwait 2000\nscreenshot screen " + shot +
                      "\nclick \"Clock\" 2\nwait 500\nquit\n",
                  RunDeckProgram),
              0);
    std::vector<std::string> scenes;
    bool closed = false;
    for (const auto& line : Log()) {
      if (line.find("\"clock_scene\"") != std::string::npos)
        scenes.push_back(line.substr(line.find("\"day\"")));
      if (line.find(R"("window_closed","title":"Clock")") != std::string::npos) closed = true;
    }
    EXPECT_TRUE(closed);
    EXPECT_TRUE(std::filesystem::exists(shot));
    return scenes;
  }
};

TEST_F(ClockWindowTest, NoonShowsTheDayPictureAndTenInTheEveningTheNightPicture) {
  EXPECT_THAT(ScenesAt("2008-03-05 12:00:00"),
              ElementsAre(R"("day":true,"picture":"\\Storage Card\\VexaDeck\\Clock\\day.jpg","resource":0,)"
                          R"("message":"Drive safely and enjoy the ride."})"));
  EXPECT_THAT(
      ScenesAt("2008-03-05 22:00:00"),
      ElementsAre(R"("day":false,"picture":"\\Storage Card\\VexaDeck\\Clock\\night.jpg","resource":0,)"
                  R"("message":"Drive safely and enjoy the ride."})"));
  // March's last day hour is 18: the window open at 18:59:58 turns to night at 19:00.
  const auto turning = ScenesAt("2008-03-05 18:59:57");
  ASSERT_EQ(turning.size(), 2u);
  EXPECT_EQ(turning[0].substr(0, 11), R"("day":true,)");
  EXPECT_EQ(turning[1].substr(0, 12), R"("day":false,)");
}

TEST_F(ClockWindowTest, TheCalendarOpensOverTheLauncherAndReturnEndsIt) {
  ASSERT_EQ(Run("wait 1000\nclick \"Vexa Deck Ver 3.x\" 1002\nclick \"Calendar\" 2\nquit\n", RunDeckProgram),
            0);
  const auto log = Log();
  const auto opened = std::find_if(log.begin(), log.end(), [](const std::string& line) {
    return line.find(R"("window_opened","title":"Calendar")") != std::string::npos;
  });
  ASSERT_NE(opened, log.end());
  EXPECT_NE(std::find_if(opened, log.end(),
                         [](const std::string& line) {
                           return line.find(R"("window_closed","title":"Calendar")") != std::string::npos;
                         }),
            log.end());
}

}  // namespace
}  // namespace vexa::deck
