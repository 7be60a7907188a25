#include "common/text/Text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace vexa::text {
namespace {

TEST(TextCase, LettersOfManyScriptsFoldToOneForm) {
  EXPECT_EQ(FoldCase(u'A'), u'a');
  EXPECT_EQ(FoldCase(u'Ä'), u'ä');
  EXPECT_EQ(FoldCase(u'Σ'), FoldCase(u'σ'));
  EXPECT_EQ(FoldCase(u'ς'), FoldCase(u'σ'));
  EXPECT_EQ(FoldCase(u'Ж'), u'ж');
  EXPECT_EQ(FoldCase(u'Ｚ'), u'ｚ');  // fullwidth Latin
  EXPECT_EQ(FoldCase(u'Ω'), FoldCase(u'ω'));
  EXPECT_EQ(FoldCase(u'\u212A'), u'k');  // Kelvin sign
  EXPECT_EQ(FoldCase(u'ſ'), u's');       // long s
  EXPECT_EQ(FoldCase(u'ẞ'), u'ß');       // capital sharp s folds by its lower case
}

TEST(TextCase, UnitsWithoutCaseAndSurrogatesFoldToThemselves) {
  for (char16_t c : {u'1', u'_', u'가', u'中', u'\u0300', u'\uFFFD', u'\uFFFF', u'\0'}) {
    EXPECT_EQ(FoldCase(c), c);
    EXPECT_EQ(ToUpper(c), c);
    EXPECT_EQ(ToLower(c), c);
  }
  for (char32_t c = 0xD800; c <= 0xDFFF; ++c) {
    ASSERT_EQ(FoldCase(static_cast<char16_t>(c)), c);
    ASSERT_EQ(ToUpper(static_cast<char16_t>(c)), c);
  }
}

TEST(TextCase, FoldingIsStableOverTheWholePlane) {
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    const char16_t folded = FoldCase(static_cast<char16_t>(c));
    ASSERT_EQ(FoldCase(folded), folded) << std::hex << static_cast<std::uint32_t>(c);
  }
}

TEST(TextCase, UpperAndLowerUseOneToOneMappings) {
  EXPECT_EQ(ToUpper(u"straße ǆ ä ω ж ｚ"), u"STRAßE Ǆ Ä Ω Ж Ｚ");  // ß has no single upper case
  EXPECT_EQ(ToLower(u"STRASSE Ǆ Ä Σ Ж Ｚ İ"), u"strasse ǆ ä σ ж ｚ i");
  EXPECT_EQ(ToUpper(u'ᾀ'), u'ᾈ');
  EXPECT_EQ(ToUpper(u'ς'), u'Σ');
}

TEST(TextCompare, EqualityAndOrderIgnoreCase) {
  EXPECT_TRUE(EqualsNoCase(u"ÄRGER.txt", u"ärger.TXT"));
  EXPECT_TRUE(EqualsNoCase(u"ΟΔΟΣ", u"οδος"));
  EXPECT_TRUE(EqualsNoCase(u"", u""));
  EXPECT_FALSE(EqualsNoCase(u"abc", u"abcd"));
  EXPECT_FALSE(EqualsNoCase(u"abc", u"abd"));

  EXPECT_EQ(CompareNoCase(u"Apple", u"apple"), 0);
  EXPECT_LT(CompareNoCase(u"apple", u"BANANA"), 0);
  EXPECT_GT(CompareNoCase(u"Banana", u"apple"), 0);
  EXPECT_LT(CompareNoCase(u"app", u"APPLE"), 0);  // a prefix sorts first
  EXPECT_GT(CompareNoCase(u"apple", u"APP"), 0);
  // Units compare unsigned: a CJK unit sorts after any Latin letter.
  EXPECT_GT(CompareNoCase(u"中", u"z"), 0);
}

TEST(TextCompare, FindStartsAndEndsIgnoreCase) {
  EXPECT_EQ(FindNoCase(u"\\SDMMC\\Music\\Song.MP3", u"music"), 7u);
  EXPECT_EQ(FindNoCase(u"abcABC", u"abc", 1), 3u);
  EXPECT_EQ(FindNoCase(u"abc", u"abcd"), std::u16string_view::npos);
  EXPECT_EQ(FindNoCase(u"abc", u"x"), std::u16string_view::npos);
  EXPECT_EQ(FindNoCase(u"abc", u"", 2), 2u);
  EXPECT_EQ(FindNoCase(u"abc", u"", 3), 3u);
  EXPECT_EQ(FindNoCase(u"abc", u"", 4), std::u16string_view::npos);
  EXPECT_EQ(FindNoCase(u"abc", u"c", 99), std::u16string_view::npos);
  EXPECT_EQ(FindNoCase(u"aaab", u"AAB"), 1u);

  EXPECT_TRUE(StartsWithNoCase(u"Setting.INI", u"SETTING"));
  EXPECT_FALSE(StartsWithNoCase(u"Set", u"Setting"));
  EXPECT_TRUE(EndsWithNoCase(u"Song.MP3", u".mp3"));
  EXPECT_FALSE(EndsWithNoCase(u"mp3", u".mp3"));
  EXPECT_TRUE(EndsWithNoCase(u"x", u""));
}

TEST(TextSpace, AsciiAndUnicodeSpacesAreTrimmed) {
  EXPECT_TRUE(IsSpace(u' '));
  EXPECT_TRUE(IsSpace(u'\t'));
  EXPECT_TRUE(IsSpace(u'\v'));
  EXPECT_TRUE(IsSpace(u'\f'));
  EXPECT_TRUE(IsSpace(u'\u3000'));
  EXPECT_TRUE(IsSpace(u'\u00A0'));
  EXPECT_TRUE(IsSpace(u'\u2009'));
  EXPECT_FALSE(IsSpace(u'\0'));
  EXPECT_FALSE(IsSpace(u'\u200B'));  // zero width space is not white space
  EXPECT_FALSE(IsSpace(u'\uFEFF'));
  EXPECT_FALSE(IsSpace(u'x'));

  EXPECT_EQ(Trim(u" \t\r\n key = value \u3000\r\n"), u"key = value");
  EXPECT_EQ(TrimLeft(u"  a b  "), u"a b  ");
  EXPECT_EQ(TrimRight(u"  a b  "), u"  a b");
  EXPECT_EQ(Trim(u"   "), u"");
  EXPECT_EQ(TrimView(u""), u"");
  EXPECT_EQ(TrimLeft(u" \t"), u"");
  EXPECT_EQ(TrimRight(u" \t"), u"");
}

TEST(TextNumbers, ParseIntReadsSignAndLeadingDigits) {
  EXPECT_EQ(ParseInt(u"42"), 42);
  EXPECT_EQ(ParseInt(u"  +12abc"), 12);
  EXPECT_EQ(ParseInt(u"\t-7 "), -7);
  EXPECT_EQ(ParseInt(u"007"), 7);
  EXPECT_EQ(ParseInt(u"abc"), 0);
  EXPECT_EQ(ParseInt(u""), 0);
  EXPECT_EQ(ParseInt(u"-"), 0);
  EXPECT_EQ(ParseInt(u"+ 5"), 0);
  EXPECT_EQ(ParseInt(u"--5"), 0);
  EXPECT_EQ(ParseInt(u"1 2"), 1);
  EXPECT_EQ(ParseInt(u"１２"), 0);  // only ASCII digits count
}

TEST(TextNumbers, ParseIntSaturatesOutsideTheThirtyTwoBitRange) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(ParseInt(u"2147483647"), kMax);
  EXPECT_EQ(ParseInt(u"-2147483648"), kMin);
  EXPECT_EQ(ParseInt(u"2147483648"), kMax);
  EXPECT_EQ(ParseInt(u"-2147483649"), kMin);
  EXPECT_EQ(ParseInt(u"99999999999999999999"), kMax);
  EXPECT_EQ(ParseInt(u"-99999999999999999999999999999999"), kMin);
  EXPECT_EQ(ParseInt(u"00000000000000000000000000000012"), 12);
}

TEST(TextNumbers, FromIntWritesPlainDecimal) {
  EXPECT_EQ(FromInt(0), u"0");
  EXPECT_EQ(FromInt(-15), u"-15");
  EXPECT_EQ(FromInt(1234567890), u"1234567890");
  EXPECT_EQ(FromInt(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
  EXPECT_EQ(FromInt(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
  for (std::int32_t v : {0, 1, -1, 99, -100, 2147483647, -2147483647 - 1}) {
    EXPECT_EQ(ParseInt(FromInt(v)), v);
  }
}

TEST(TextUtf8, ValidTextRoundTrips) {
  const std::u16string text = u"Navi \u00E9\u4E2D\uAC00 \U0001F600 end";
  const std::string utf8 = ToUtf8(text);
  EXPECT_EQ(utf8, "Navi \xC3\xA9\xE4\xB8\xAD\xEA\xB0\x80 \xF0\x9F\x98\x80 end");
  EXPECT_EQ(FromUtf8(utf8), text);
  EXPECT_EQ(FromUtf8(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(FromUtf8("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
}

TEST(TextUtf8, InvalidSequencesBecomeOneReplacementEach) {
  EXPECT_EQ(FromUtf8("a\x80z"), u"a\uFFFDz");                            // stray continuation byte
  EXPECT_EQ(FromUtf8("a\xC3"), u"a\uFFFD");                              // truncated at the end
  EXPECT_EQ(FromUtf8("\xE4\xB8z"), u"\uFFFDz");                          // truncated, then ASCII kept
  EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");                      // overlong '/'
  EXPECT_EQ(FromUtf8("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");            // overlong three-byte form
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");            // encoded surrogate
  EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
  EXPECT_EQ(FromUtf8("\xFF\xFE"), u"\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("\xF0\x9F\x98"), u"\uFFFD");
}

TEST(TextUtf8, UnpairedSurrogatesBecomeReplacement) {
  EXPECT_EQ(ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(std::u16string{u'a', u'\xDC00', u'b'}), "a\xEF\xBF\xBD\x62");
  EXPECT_EQ(ToUtf8(std::u16string{u'\xDBFF', u'\xD800'}), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(std::u16string{u'\xDBFF', u'\xDFFF'}), "\xF4\x8F\xBF\xBF");
}

TEST(TextUtf8, EveryBmpUnitRoundTrips) {
  std::u16string all;
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    if (c < 0xD800 || c > 0xDFFF) all.push_back(static_cast<char16_t>(c));
  }
  EXPECT_EQ(FromUtf8(ToUtf8(all)), all);
}

}  // namespace
}  // namespace vexa::text
