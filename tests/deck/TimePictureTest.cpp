#include "deck/clock/TimePicture.h"

#include <gtest/gtest.h>

#include "platform/headless/FixedLocaleNames.h"

namespace vexa::deck {
namespace {

using platform::DateTime;

// 2008-03-05 was a Wednesday.
constexpr DateTime kMorning{2008, 3, 3, 5, 9, 4, 7, 0};
constexpr DateTime kAfternoon{2008, 3, 3, 5, 13, 4, 9, 0};

class TimePictureTest : public ::testing::Test {
 protected:
  std::u16string English(std::u16string_view pattern, const DateTime& time = kAfternoon) {
    return TimePicture(&english).Format(pattern, time);
  }
  platform::FixedLocaleNames english{platform::kLangEnglishUs};
  platform::FixedLocaleNames korean{platform::kLangKorean};
};

TEST_F(TimePictureTest, TheSkinsUsualPatterns) {
  EXPECT_EQ(English(u"yyyy.MM.dd"), u"2008.03.05");
  EXPECT_EQ(English(u"TT hh:mm:ss"), u"PM 01:04:09");
  EXPECT_EQ(English(u"TT hh:mm:ss", kMorning), u"AM 09:04:07");
  EXPECT_EQ(English(u"HH:mm", kAfternoon), u"13:04");
  EXPECT_EQ(English(u"2h:mm", kMorning), u" 9:04");  // the blank stands for the leading zero
  EXPECT_EQ(English(u"h:m:s", kMorning), u"9:4:7");
  EXPECT_EQ(English(u"yy/M/d q"), u"08/3/5 1");
}

TEST_F(TimePictureTest, NamesComeFromTheLocale) {
  EXPECT_EQ(English(u"dddd, MMMM d"), u"Wednesday, March 5");
  EXPECT_EQ(English(u"ddd MMM"), u"Wed Mar");
  EXPECT_EQ(English(u"tt"), u"PM");
  EXPECT_EQ(TimePicture(&korean).Format(u"M월 d일 dddd tt", kMorning), u"3월 5일 수요일 오전");
  EXPECT_EQ(TimePicture(&korean).Format(u"ddd", kMorning), u"수");
  // Without names the name fields are empty and the rest is kept.
  EXPECT_EQ(TimePicture(nullptr).Format(u"dddd yyyy", kMorning), u" 2008");
}

TEST_F(TimePictureTest, QuotesLiteralsAndCountsWithoutMeaning) {
  EXPECT_EQ(English(u"yyyy AD"), u"2008 AD");  // text after the last field stays at the end
  EXPECT_EQ(English(u"yyyy year"), u"2008 2008ear");  // a field letter in a word is a field
  EXPECT_EQ(English(u"'h'h", kMorning), u"h9");
  EXPECT_EQ(English(u"'It''s' H"), u"Its 13");
  EXPECT_EQ(English(u"yyy hhh w g gg T t"), u"??? ??? ???    ");
  EXPECT_EQ(English(u"ddddd MMMMM"), u"??? ???");
  // A long literal run is shown whole.
  const std::u16string words(300, u'x');
  EXPECT_EQ(English(words + u" yyyy"), words + u" 2008");
  EXPECT_EQ(English(u""), u"");
}

}  // namespace
}  // namespace vexa::deck
