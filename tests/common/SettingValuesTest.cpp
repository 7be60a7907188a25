#include "common/SettingValues.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

constexpr Color kDefault = 0x123456;

TEST(SettingValuesTest, ColoursAreThreeDigitRunsOrTheDefault) {
  EXPECT_EQ(ParseColor(u"255,0,128", kDefault), 0x8000FFu);
  EXPECT_EQ(ParseColor(u"0,0,0", kDefault), 0u);
  EXPECT_EQ(ParseColor(u"256,257,511", kDefault), 0xFF0100u);  // each part keeps its low eight bits
  EXPECT_EQ(ParseColor(u"99999999999999999999,0,1", kDefault), 0x0100FFu);  // long runs do not overflow
  for (const char16_t* bad : {u"", u"auto", u"AUTO", u"1,2", u"1,2,3,4", u"1,,3", u",2,3", u"1,2,", u"-1,2,3",
                              u" 1,2,3", u"1,2,x", u"red"}) {
    EXPECT_EQ(ParseColor(bad, kDefault), kDefault) << std::u16string(bad).size();
  }
  EXPECT_EQ(ParseColor(u"Auto", kAutoColor), kAutoColor);
}

TEST(SettingValuesTest, PointsAreTwoDigitRunsOrTheDefaults) {
  EXPECT_EQ(ParsePoint(u"10,20", 1, 2), (Point{10, 20}));
  EXPECT_EQ(ParsePoint(u"0,0", 1, 2), (Point{0, 0}));
  for (const char16_t* bad : {u"", u"10", u"-5,3", u"5,-3", u",3", u"3,", u"1,2,3", u"a,b", u"1 ,2"}) {
    EXPECT_EQ(ParsePoint(bad, 1, 2), (Point{1, 2}));
  }
}

TEST(SettingValuesTest, DigitsAndSwitches) {
  EXPECT_TRUE(IsAllDigits(u""));
  EXPECT_TRUE(IsAllDigits(u"0123456789"));
  EXPECT_FALSE(IsAllDigits(u"12a"));
  EXPECT_FALSE(IsAllDigits(u"１２"));  // fullwidth digits are not decimal digits here
  EXPECT_TRUE(IsYesIgnoringCase(u"y"));
  EXPECT_TRUE(IsYesIgnoringCase(u"Y"));
  EXPECT_FALSE(IsYesIgnoringCase(u"Yes"));
  EXPECT_TRUE(IsYesExactly(u"Y"));
  EXPECT_FALSE(IsYesExactly(u"y"));
  EXPECT_FALSE(IsYesExactly(u""));
}

}  // namespace
}  // namespace vexa
