#include "common/text/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace vexa::text {
namespace {

using namespace std::string_literals;

std::u16string Wide(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// What the C library writes for an int, as the reference for the integer conversions.
std::string CInt(const std::string& pattern, int value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, pattern.c_str(), value);
  return buffer;
}
std::string CDouble(const std::string& pattern, double value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, pattern.c_str(), value);
  return buffer;
}

TEST(FormatSkinPatterns, RealPatternsFormatTheirValues) {
  EXPECT_EQ(Format(u"%d", {std::int64_t{87}}), u"87");
  EXPECT_EQ(
      Format(u"%3d:%02d:%02d.%02d", {std::int64_t{37}, std::int64_t{5}, std::int64_t{9}, std::int64_t{42}}),
      u" 37:05:09.42");
  EXPECT_EQ(Format(u"%d˚/360˚", {std::int64_t{270}}), u"270˚/360˚");
  EXPECT_EQ(Format(u"%.4d.%.2d.%.2d %.3s",
                   {std::int64_t{2024}, std::int64_t{3}, std::int64_t{7}, FormatArg{u"Thursday"s}}),
            u"2024.03.07 Thu");
  EXPECT_EQ(Format(u"%d:%.2d\n[%.2d]", {std::int64_t{9}, std::int64_t{5}, std::int64_t{30}}), u"9:05\n[30]");
  EXPECT_EQ(Format(u"-%d-", {std::int64_t{12}}), u"-12-");
  EXPECT_EQ(Format(u"%.2d:%s", {std::int64_t{7}, FormatArg{u"오후"s}}), u"07:오후");
  EXPECT_EQ(Format(u"%02X", {std::int64_t{0xA}}), u"0A");
  EXPECT_EQ(Format(u"%02x", {std::int64_t{0xBE}}), u"be");
  EXPECT_EQ(Format(u"COM%d:", {std::int64_t{3}}), u"COM3:");
}

TEST(FormatSkinPatterns, TextOutsideConversionsIsCopiedUnchanged) {
  EXPECT_EQ(Format(u"속도 ˚ 𝄞 plain", {}), u"속도 ˚ 𝄞 plain");
  EXPECT_EQ(Format(u"", {std::int64_t{1}}), u"");
  EXPECT_EQ(Format(u"100%% sure", {}), u"100% sure");
}

TEST(FormatCCompatibility, IntegerConversionsMatchTheCLibrary) {
  const std::vector<std::string> flag_sets = {"",   "-",  "+",  " ",  "0",  "#",
                                              "-0", "+0", "- ", "#0", "-#", "+ 0#"};
  const std::vector<std::string> widths = {"", "1", "3", "8"};
  const std::vector<std::string> precisions = {"", ".", ".0", ".1", ".3", ".6"};
  const std::vector<std::string> conversions = {"d", "i", "u", "o", "x", "X"};
  const std::vector<int> values = {
      0, 1, -1, 5, -42, 255, 4096, 65535, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
  int checked = 0;
  for (const auto& flags : flag_sets) {
    for (const auto& width : widths) {
      for (const auto& precision : precisions) {
        for (const auto& conversion : conversions) {
          std::string pattern = "%" + flags + width + precision + conversion;
          for (int value : values) {
            ASSERT_EQ(Format(Wide(pattern), {std::int64_t{value}}), Wide(CInt(pattern, value)))
                << pattern << " of " << value;
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 10000);
}

TEST(FormatCCompatibility, FloatingConversionsMatchTheCLibrary) {
  const std::vector<std::string> flag_sets = {"", "-", "+", " ", "0", "#", "+0", "-#", "#0"};
  const std::vector<std::string> widths = {"", "4", "12"};
  const std::vector<std::string> precisions = {"", ".", ".0", ".1", ".3", ".10"};
  const std::vector<std::string> conversions = {"f", "F", "e", "E", "g", "G"};
  const std::vector<double> values = {0.0,
                                      -0.0,
                                      1.0,
                                      -1.5,
                                      0.5,
                                      2.5,
                                      3.14159265358979,
                                      1e-5,
                                      1.5e-4,
                                      123456,
                                      1e15,
                                      -9.995,
                                      1e300,
                                      0.000123,
                                      99999.5,
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::quiet_NaN()};
  for (const auto& flags : flag_sets) {
    for (const auto& width : widths) {
      for (const auto& precision : precisions) {
        for (const auto& conversion : conversions) {
          std::string pattern = "%" + flags + width + precision + conversion;
          for (double value : values) {
            ASSERT_EQ(Format(Wide(pattern), {value}), Wide(CDouble(pattern, value)))
                << pattern << " of " << value;
          }
        }
      }
    }
  }
}

TEST(FormatCCompatibility, HexFloatsMatchTheCLibrary) {
  for (std::string pattern : {"%a", "%A", "%.3a", "%#.0a", "%+12a", "%012a"}) {
    for (double value : {1.0, 3.0, -0.1, 0.0, 1e300, 4.9406564584124654e-324}) {
      EXPECT_EQ(Format(Wide(pattern), {value}), Wide(CDouble(pattern, value))) << pattern << " of " << value;
    }
  }
}

TEST(FormatCCompatibility, StarTakesWidthAndPrecisionFromArguments) {
  EXPECT_EQ(Format(u"[%*d]", {std::int64_t{5}, std::int64_t{42}}), u"[   42]");
  EXPECT_EQ(Format(u"[%*d]", {std::int64_t{-5}, std::int64_t{42}}), u"[42   ]");
  EXPECT_EQ(Format(u"[%.*d]", {std::int64_t{4}, std::int64_t{42}}), u"[0042]");
  EXPECT_EQ(Format(u"[%0*.*d]", {std::int64_t{6}, std::int64_t{-1}, std::int64_t{42}}), u"[000042]")
      << "a negative precision is no precision";
  EXPECT_EQ(Format(u"[%*.*s]", {std::int64_t{6}, std::int64_t{2}, FormatArg{u"abc"s}}), u"[    ab]");
  // A non-integer '*' counts as 0 and still uses up its argument.
  EXPECT_EQ(Format(u"[%*d]", {FormatArg{u"9"s}, std::int64_t{42}}), u"[42]");
  EXPECT_EQ(Format(u"[%*d]", {2.5, std::int64_t{42}}), u"[42]");
}

TEST(FormatCCompatibility, LengthModifiersAreIgnored) {
  for (std::u16string_view pattern : {u"%ld", u"%lld", u"%hd", u"%hhd", u"%I64d", u"%I32d", u"%Id", u"%zd",
                                      u"%jd", u"%td", u"%Ld", u"%wd"}) {
    EXPECT_EQ(Format(pattern, {std::int64_t{-7}}), u"-7");
  }
  EXPECT_EQ(Format(u"%I64d", {std::int64_t{1} << 40}), u"1099511627776");
  EXPECT_EQ(Format(u"%ls|%hs|%ws", {FormatArg{u"a"s}, FormatArg{u"b"s}, FormatArg{u"c"s}}), u"a|b|c");
}

TEST(FormatCCompatibility, UnsignedOfNegativeIsThirtyTwoBitTwosComplement) {
  EXPECT_EQ(Format(u"%u", {std::int64_t{-1}}), u"4294967295");
  EXPECT_EQ(Format(u"%x", {std::int64_t{-2}}), u"fffffffe");
  EXPECT_EQ(Format(u"%o", {std::int64_t{-1}}), u"37777777777");
  EXPECT_EQ(Format(u"%X", {std::int64_t{std::numeric_limits<std::int32_t>::min()}}), u"80000000");
  // Beyond the 32-bit range the full 64-bit value is used.
  EXPECT_EQ(Format(u"%x", {std::int64_t{1} << 36}), u"1000000000");
  EXPECT_EQ(Format(u"%x", {-(std::int64_t{1} << 36)}), u"fffffff000000000");
  EXPECT_EQ(Format(u"%d", {std::numeric_limits<std::int64_t>::min()}), u"-9223372036854775808");
}

TEST(FormatCharacters, CharacterOfAnIntegerIsThatUnit) {
  EXPECT_EQ(Format(u"[%c]", {std::int64_t{'A'}}), u"[A]");
  EXPECT_EQ(Format(u"[%c]", {std::int64_t{0x02DA}}), u"[˚]");
  EXPECT_EQ(Format(u"[%c]", {std::int64_t{0}}), u"[]");
  EXPECT_EQ(Format(u"[%c]", {std::int64_t{0x10041}}), u"[A]") << "only the low 16 bits count";
  EXPECT_EQ(Format(u"[%3c|%-3c]", {std::int64_t{'x'}, std::int64_t{'y'}}), u"[  x|y  ]");
  EXPECT_EQ(Format(u"[%c]", {FormatArg{u"𝄞z"s}}), u"[𝄞]") << "a text gives its first character";
  EXPECT_EQ(Format(u"[%c]", {FormatArg{u""s}}), u"[]");
}

TEST(FormatText, PrecisionCutsTextWithoutSplittingASurrogatePair) {
  EXPECT_EQ(Format(u"%.3s", {FormatArg{u"Monday"s}}), u"Mon");
  EXPECT_EQ(Format(u"%.0s|", {FormatArg{u"Monday"s}}), u"|");
  EXPECT_EQ(Format(u"%.10s", {FormatArg{u"Mo"s}}), u"Mo");
  EXPECT_EQ(Format(u"%.2s", {FormatArg{u"a𝄞b"s}}), u"a");
  EXPECT_EQ(Format(u"%.3s", {FormatArg{u"a𝄞b"s}}), u"a𝄞");
  EXPECT_EQ(Format(u"[%5s|%-5S|%05s]", {FormatArg{u"ab"s}, FormatArg{u"cd"s}, FormatArg{u"ef"s}}),
            u"[   ab|cd   |   ef]");
}

TEST(FormatMismatch, IntegerConversionOfTextReadsItAsDecimal) {
  EXPECT_EQ(Format(u"%d", {FormatArg{u"  -12ab"s}}), u"-12");
  EXPECT_EQ(Format(u"%03d", {FormatArg{u"+7"s}}), u"007");
  EXPECT_EQ(Format(u"%d", {FormatArg{u"abc"s}}), u"0");
  EXPECT_EQ(Format(u"%d", {FormatArg{u""s}}), u"0");
  EXPECT_EQ(Format(u"%d", {FormatArg{u"99999999999999999999999"s}}), u"9223372036854775807");
  EXPECT_EQ(Format(u"%d", {FormatArg{u"-99999999999999999999999"s}}), u"-9223372036854775808");
  EXPECT_EQ(Format(u"%x", {FormatArg{u"255"s}}), u"ff");
  EXPECT_EQ(Format(u"%u", {FormatArg{u"-1"s}}), u"4294967295");
}

TEST(FormatMismatch, IntegerConversionOfADoubleTruncatesAndSaturates) {
  EXPECT_EQ(Format(u"%d", {2.9}), u"2");
  EXPECT_EQ(Format(u"%d", {-2.9}), u"-2");
  EXPECT_EQ(Format(u"%d", {1e300}), u"9223372036854775807");
  EXPECT_EQ(Format(u"%d", {-std::numeric_limits<double>::infinity()}), u"-9223372036854775808");
  EXPECT_EQ(Format(u"%d", {std::numeric_limits<double>::quiet_NaN()}), u"0");
}

TEST(FormatMismatch, TextConversionOfANumberWritesItInDecimal) {
  EXPECT_EQ(Format(u"%s", {std::int64_t{42}}), u"42");
  EXPECT_EQ(Format(u"%S", {std::int64_t{-42}}), u"-42");
  EXPECT_EQ(Format(u"%s", {2.5}), u"2.5");
  EXPECT_EQ(Format(u"%s", {1e20}), u"1e+20");
  EXPECT_EQ(Format(u"[%5s]", {std::int64_t{42}}), u"[   42]");
  EXPECT_EQ(Format(u"%.2s", {std::int64_t{12345}}), u"12") << "then cut like any text";
}

TEST(FormatMismatch, FloatingConversionOfIntegerOrTextUsesItsValue) {
  EXPECT_EQ(Format(u"%.1f", {std::int64_t{3}}), u"3.0");
  EXPECT_EQ(Format(u"%g", {std::int64_t{-1234567}}), u"-1.23457e+06");
  EXPECT_EQ(Format(u"%.2f", {FormatArg{u" -1.5e3 km"s}}), u"-1500.00");
  EXPECT_EQ(Format(u"%.1f", {FormatArg{u"x"s}}), u"0.0");
  EXPECT_EQ(Format(u"%f", {FormatArg{u"1e999"s}}), u"inf");
  EXPECT_EQ(Format(u"%f", {FormatArg{u"1e-999"s}}), u"0.000000");
  EXPECT_EQ(Format(u"%f", {FormatArg{u"0.0000001e-999"s}}), u"0.000000");
}

TEST(FormatHostile, PercentNWritesNothingAndTakesNoArgument) {
  EXPECT_EQ(Format(u"a%nb%d", {std::int64_t{5}}), u"ab5");
  EXPECT_EQ(Format(u"%*n%d", {std::int64_t{5}}), u"5");
  EXPECT_EQ(Format(u"%lln%hn%d", {std::int64_t{6}}), u"6");
}

TEST(FormatHostile, MissingArgumentsProduceNothing) {
  EXPECT_EQ(Format(u"%d-%s-%f-%c!", {}), u"---!");
  EXPECT_EQ(Format(u"%d:%d:%d", {std::int64_t{1}}), u"1::");
  EXPECT_EQ(Format(u"[%*d]", {std::int64_t{5}}), u"[]") << "the star used up the only argument";
  EXPECT_EQ(Format(u"%d", {std::int64_t{1}, std::int64_t{2}}), u"1") << "arguments left over are ignored";
}

TEST(FormatHostile, UnknownConversionsAreCopiedAsWritten) {
  EXPECT_EQ(Format(u"%y %k %-5q %*v", {std::int64_t{1}}), u"%y %k %-5q %*v");
  EXPECT_EQ(Format(u"%y%d", {std::int64_t{1}}), u"%y1") << "an unknown conversion takes no argument";
  EXPECT_EQ(Format(u"%˚", {}), u"%˚");
  EXPECT_EQ(Format(u"50%", {}), u"50%");
  EXPECT_EQ(Format(u"%", {std::int64_t{1}}), u"%");
  EXPECT_EQ(Format(u"x%-08.3", {std::int64_t{1}}), u"x%-08.3");
  EXPECT_EQ(Format(u"x%l", {std::int64_t{1}}), u"x%l");
  EXPECT_EQ(Format(u"%5%%d", {std::int64_t{1}}), u"%1");
}

TEST(FormatHostile, HugeWidthAndPrecisionAreClamped) {
  std::u16string wide = Format(u"%100000d", {std::int64_t{5}});
  EXPECT_EQ(wide.size(), 1024u);
  EXPECT_EQ(wide.back(), u'5');
  EXPECT_EQ(Format(u"%.99999999999999999999d", {std::int64_t{5}}).size(), 1024u);
  EXPECT_EQ(Format(u"%*d", {std::int64_t{1} << 40, std::int64_t{5}}).size(), 1024u);
  EXPECT_EQ(Format(u"%*d", {std::numeric_limits<std::int64_t>::min(), std::int64_t{5}}).size(), 1024u);
  EXPECT_EQ(Format(u"%.100000f", {1.0}).size(), 1026u);
  EXPECT_EQ(Format(u"%.100000f", {-1.0e308}).size(), 310u + 1u + 1024u);
  EXPECT_EQ(Format(u"%-100000s|", {FormatArg{u"a"s}}).size(), 1025u);
}

TEST(FormatHostile, OutputStopsAtTheCap) {
  std::u16string many(5000, u'%');  // 2500 "%%" pairs
  EXPECT_EQ(Format(many, {}).size(), 2500u);
  EXPECT_EQ(Format(std::u16string(10000, u'x'), {}).size(), 4096u);
  EXPECT_EQ(Format(u"%1024d%1024d%1024d%1024d%1024d",
                   {std::int64_t{1}, std::int64_t{2}, std::int64_t{3}, std::int64_t{4}, std::int64_t{5}})
                .size(),
            4096u);
  // The cut does not leave half a surrogate pair.
  std::u16string pairs;
  for (int i = 0; i < 3000; ++i) pairs += u"x𝄞";
  std::u16string capped = Format(u"ab%s", {FormatArg{pairs}});
  EXPECT_EQ(capped.size(), 4095u);
  EXPECT_EQ(capped.back(), u'x');
}

// Random patterns of conversion pieces and random arguments: never a crash, never beyond the cap, and
// formatting is deterministic.
TEST(FormatHostile, RandomPatternsStayWithinTheCap) {
  const std::u16string pieces[] = {u"%",     u"%", u"%", u"-", u"+", u" ",      u"0",     u"#",   u"1", u"9",
                                   u"00000", u"*", u".", u"l", u"h", u"I64",    u"d",     u"i",   u"u", u"x",
                                   u"X",     u"o", u"c", u"s", u"S", u"f",      u"e",     u"g",   u"G", u"a",
                                   u"n",     u"y", u"k", u"˚", u"𝄞", u"\xD800", u"99999", u"1024"};
  std::mt19937 random(20240307);
  for (int round = 0; round < 20000; ++round) {
    std::u16string pattern;
    int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) pattern += pieces[random() % std::size(pieces)];
    std::vector<FormatArg> args;
    int count = static_cast<int>(random() % 5);
    for (int i = 0; i < count; ++i) {
      switch (random() % 6) {
        case 0:
          args.emplace_back(static_cast<std::int64_t>(random()) - (std::int64_t{1} << 31));
          break;
        case 1:
          args.emplace_back(std::numeric_limits<std::int64_t>::min());
          break;
        case 2:
          args.emplace_back(
              std::ldexp(static_cast<double>(random()), static_cast<int>(random() % 2000) - 1000));
          break;
        case 3:
          args.emplace_back(std::numeric_limits<double>::quiet_NaN());
          break;
        case 4:
          args.emplace_back(u"-12x𝄞"s);
          break;
        default:
          args.emplace_back(std::u16string(random() % 3000, u'w'));
          break;
      }
    }
    std::u16string first = Format(pattern, args);
    ASSERT_LE(first.size(), 4096u);
    ASSERT_EQ(first, Format(pattern, args));
  }
}

TEST(FormatTest, CheckNotesWhatAPatternDoesWithItsValues) {
  using Kind = FormatNote::Kind;
  auto kinds = [](std::u16string_view pattern, std::initializer_list<FormatArg> args) {
    std::vector<std::pair<Kind, std::u16string>> out;
    for (const auto& note : CheckFormat(pattern, std::span<const FormatArg>(args.begin(), args.size())))
      out.emplace_back(note.kind, note.conversion);
    return out;
  };
  using Notes = std::vector<std::pair<Kind, std::u16string>>;
  EXPECT_EQ(kinds(u"%3d:%02d km/h %%", {std::int64_t{1}, std::int64_t{2}}), Notes{});
  EXPECT_EQ(kinds(u"%d/%d", {std::int64_t{355}}), (Notes{{Kind::kNoValue, u"%d"}}));
  EXPECT_EQ(kinds(u"%.1f %s", {std::int64_t{37}, 2.5}), (Notes{{Kind::kOtherType, u"%.1f"}, {Kind::kOtherType, u"%s"}}));
  EXPECT_EQ(kinds(u"%y %n %5", {2.5}), (Notes{{Kind::kUnknown, u"%y"}, {Kind::kIgnored, u"%n"}, {Kind::kUnfinished, u"%5"}}));
  // The notes change nothing of what Format writes.
  EXPECT_EQ(Format(u"%d/%d", {std::int64_t{355}}), u"355/");
}

}  // namespace
}  // namespace vexa::text
