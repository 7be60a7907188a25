// The clock window's scene and texts, and the placement its template and the calendar's share.

#include "deck/clock/ClockScene.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "deck/clock/ClockLayout.h"
#include "platform/headless/FixedLocaleNames.h"
#include "platform/ui/ResourceIds.h"
#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using platform::DateTime;
namespace res = platform::ui::res::deck;

constexpr std::u16string_view kFolder = u"\\Storage Card\\VexaDeck\\Clock\\";

DateTime At(int month, int day, int hour, int minute = 0, int second = 0) {
  return {2008, month, platform::DayOfWeek(2008, month, day), day, hour, minute, second, 0};
}

class ClockSceneTest : public ::testing::Test {
 protected:
  const ProfileStore& ClockFile(const std::string& content) {
    device.tree.WriteHostFile("default.ini", content);
    store.Read(platform::kNoWindow, u"\\default.ini");
    return store;
  }
  ClockScene Scene(const ProfileStore* file, const DateTime& now) {
    return ChooseClockScene(file, now, kFolder, [this](std::u16string_view path) {
      return present.count(std::u16string(path)) != 0;
    });
  }

  testing::TestDevice device;
  ProfileStore store{device.platform};
  std::set<std::u16string> present;  // the picture files of the clock folder
};

TEST_F(ClockSceneTest, DayRunsFromTheSunriseHourToTheEndOfTheSunsetHour) {
  // June: sunrise 6 is taken; sunset 21 is out of range, so 19 applies. March has no entries.
  const auto& file = ClockFile("[DaylightTime]\r\n06_Sunrise=6\r\n06_Sunset=21\r\n03_Sunrise=4\r\n");
  EXPECT_FALSE(Scene(&file, At(6, 21, 5, 59)).day);
  EXPECT_TRUE(Scene(&file, At(6, 21, 6, 0)).day);
  EXPECT_TRUE(Scene(&file, At(6, 21, 19, 59)).day);
  EXPECT_FALSE(Scene(&file, At(6, 21, 20, 0)).day);
  EXPECT_EQ(SunriseHour(&file, 3), 8);  // 4 is below the range
  EXPECT_EQ(SunsetHour(&file, 3), 19);
}

TEST_F(ClockSceneTest, AnAnniversaryShowsItsPictureByDayAndTheNightPictureAfterSunset) {
  const auto& file = ClockFile(
      "[Main]\r\nDayightImage=day.jpg\r\nNightImage=night.jpg\r\nTimeLightColor=10,20,30\r\nTimeNightColor="
      "Auto\r\n"
      "[Anniversary]\r\nDefault=Drive safely\r\n20081225=Merry Christmas\r\n20081225_Image=tree.jpg\r\n");
  present = {std::u16string(kFolder) + u"day.jpg", std::u16string(kFolder) + u"night.jpg",
             std::u16string(kFolder) + u"tree.jpg"};

  const auto noon = Scene(&file, At(12, 25, 12));
  EXPECT_EQ(noon.picture, std::u16string(kFolder) + u"tree.jpg");
  EXPECT_EQ(noon.message, u"Merry Christmas");
  EXPECT_EQ(noon.colors[kTimeLine], gfx::Rgb(10, 20, 30));
  EXPECT_EQ(noon.colors[kDateLine], gfx::Rgb(0, 0, 0));  // not given: black by day

  const auto evening = Scene(&file, At(12, 25, 22));
  EXPECT_EQ(evening.picture, std::u16string(kFolder) + u"night.jpg");
  EXPECT_EQ(evening.message, u"Merry Christmas");
  EXPECT_EQ(evening.colors[kTimeLine], gfx::Rgb(255, 255, 255));  // "Auto" is no colour: white by night

  // Without its file the day's own picture gives way to the day picture; other days have the default.
  present.erase(std::u16string(kFolder) + u"tree.jpg");
  EXPECT_EQ(Scene(&file, At(12, 25, 12)).picture, std::u16string(kFolder) + u"day.jpg");
  EXPECT_EQ(Scene(&file, At(12, 24, 12)).message, u"Drive safely");
  // Without the day picture either, the built-in one shows.
  present.erase(std::u16string(kFolder) + u"day.jpg");
  const auto bare = Scene(&file, At(12, 25, 12));
  EXPECT_TRUE(bare.picture.empty());
  EXPECT_EQ(bare.builtIn, res::kClockDay);
}

TEST_F(ClockSceneTest, WithoutAClockFileTheBuiltInPicturesAndPlainColoursShow) {
  const auto day = Scene(nullptr, At(3, 5, 12));
  EXPECT_TRUE(day.day);
  EXPECT_EQ(day.builtIn, res::kClockDay);
  EXPECT_TRUE(day.message.empty());
  for (auto color : day.colors) EXPECT_EQ(color, gfx::Rgb(0, 0, 0));
  const auto night = Scene(nullptr, At(3, 5, 20));
  EXPECT_EQ(night.builtIn, res::kClockNight);
  for (auto color : night.colors) EXPECT_EQ(color, gfx::Rgb(255, 255, 255));
}

TEST(ClockTextsTest, TheTimeCountsHoursToTwelveAndTheKoreanDateShortensTheDay) {
  platform::FixedLocaleNames english{platform::kLangEnglishUs};
  platform::FixedLocaleNames korean{platform::kLangKorean};
  const auto afterMidnight = FormatClockTexts(At(3, 5, 0, 5), false, &english);
  EXPECT_EQ(afterMidnight.time, u"0:05:00");
  EXPECT_EQ(afterMidnight.mark, u"AM");
  EXPECT_EQ(afterMidnight.date, u"2008.03.05 Wednesday");
  const auto noon = FormatClockTexts(At(3, 5, 12, 30), false, &english);
  EXPECT_EQ(noon.time, u"12:30:00");
  EXPECT_EQ(noon.mark, u"PM");
  EXPECT_EQ(FormatClockTexts(At(3, 9, 13, 4, 9), false, &english).time, u"1:04:09");
  // Sunday is the locale's seventh day.
  EXPECT_EQ(FormatClockTexts(At(3, 9, 13), false, &english).date, u"2008.03.09 Sunday");
  EXPECT_EQ(FormatClockTexts(At(3, 5, 9), true, &korean).date, u"2008.03.05 수요일");
  EXPECT_EQ(FormatClockTexts(At(3, 5, 9), true, &english).date, u"2008.03.05 Wed");
}

TEST(ClockLayoutTest, TheReturnButtonKeepsItsSizeOnEveryScreen) {
  // In the template at 640 x 480: 32 x 32 in the top right corner.
  const gfx::Rect layout{600, 8, 632, 40};
  // 480 x 272: scaled to 24 x 18, so the 24 x 24 button moves up by 3.
  const auto small = ReturnLook({480, 272});
  EXPECT_EQ(small.icon, res::kReturnSmall);
  EXPECT_EQ(ScaleFromLayout(layout, {480, 272}), (gfx::Rect{450, 4, 474, 22}));
  EXPECT_EQ(PlaceFixedSize(ScaleFromLayout(layout, {480, 272}), small.size), (gfx::Rect{450, 1, 474, 25}));
  // 800 x 480: scaled to 40 x 32; the 32 x 32 button keeps its top-left corner.
  const auto large = ReturnLook({800, 480});
  EXPECT_EQ(large.icon, res::kReturnLarge);
  EXPECT_EQ(PlaceFixedSize(ScaleFromLayout(layout, {800, 480}), large.size), (gfx::Rect{750, 8, 782, 40}));
  // 320 x 240: 16 x 16 grows to 24 x 24 around its middle.
  EXPECT_EQ(PlaceFixedSize(ScaleFromLayout(layout, {320, 240}), ReturnLook({320, 240}).size),
            (gfx::Rect{296, 0, 320, 24}));
}

}  // namespace
}  // namespace vexa::deck
