// The launcher's date, time and message displays ticking headless from a chosen start time.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/DeckProgram.h"
#include "tests/deckapp/DeckRunFixture.h"

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;

int RunDeckProgram(platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); }

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

}  // namespace
}  // namespace vexa::deck
