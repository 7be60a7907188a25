#include "common/text/CodePage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vexa::text {
namespace {

std::string Bytes(std::initializer_list<unsigned> values) {
  std::string out;
  for (unsigned v : values) out.push_back(static_cast<char>(v));
  return out;
}

TEST(CodePageWestern, EveryByteDecodesAndEncodesBack) {
  std::string all;
  for (unsigned b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::u16string text = Decode(all, kCodePageWestern);
  ASSERT_EQ(text.size(), 256u);
  EXPECT_EQ(text[0x80], u'€');
  EXPECT_EQ(text[0x9F], u'Ÿ');
  EXPECT_EQ(text[0xE4], u'ä');
  // The five bytes the code page leaves unassigned pass through as C1 controls.
  for (unsigned b : {0x81u, 0x8Du, 0x8Fu, 0x90u, 0x9Du}) EXPECT_EQ(text[b], b);
  EXPECT_EQ(Encode(text, kCodePageWestern), all);
}

TEST(CodePageWestern, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Encode(u"Straße 5€", kCodePageWestern), "Stra\xDF\x65 5\x80");
  EXPECT_EQ(Encode(u"中a\u0080Ω", kCodePageWestern), "?a??");  // U+0080 is not byte 0x80
  EXPECT_EQ(Encode(std::u16string{u'x', u'\xD800', u'y', u'\xDC00'}, kCodePageWestern), "x?y?");
  EXPECT_EQ(Encode(u"\U0001F600!", kCodePageWestern), "?!");  // one character, one '?'
}

TEST(CodePageWestern, UnknownCodePagesAreWestern) {
  EXPECT_EQ(Decode("\x80\xE9", 0), u"€é");
  EXPECT_EQ(Decode("\x80\xE9", 65001), u"€é");
  EXPECT_EQ(Encode(u"€é", 437), "\x80\xE9");
}

TEST(CodePageKorean, SamplesDecodeAndEncode) {
  const std::string storageCard = "\xC0\xFA\xC0\xE5\xBC\xD2\x20\xC4\xAB\xB5\xE5";
  const std::string musicFile = "\xC0\xBD\xBE\xC7\xC6\xC4\xC0\xCF";
  const std::string extended = "\x8C\x63\xB9\xE6\xB0\xA2\xC7\xCF";  // first syllable outside KS X 1001
  EXPECT_EQ(Decode(storageCard, kCodePageKorean), u"저장소 카드");
  EXPECT_EQ(Decode(musicFile, kCodePageKorean), u"음악파일");
  EXPECT_EQ(Decode(extended, kCodePageKorean), u"똠방각하");
  EXPECT_EQ(Encode(u"저장소 카드", kCodePageKorean), storageCard);
  EXPECT_EQ(Encode(u"음악파일", kCodePageKorean), musicFile);
  EXPECT_EQ(Encode(u"똠방각하", kCodePageKorean), extended);
  EXPECT_EQ(Encode(u"\\SDMMC\\음악\\a.mp3", kCodePageKorean), "\\SDMMC\\\xC0\xBD\xBE\xC7\\a.mp3");
  EXPECT_EQ(Decode(Bytes({0x81, 0x41, 0xC8, 0xFE, 0xA1, 0xA1}), kCodePageKorean), u"갂힝\u3000");
}

// Every pair of lead 0x81..0xFE and trail 0x41..0xFE either decodes to one character that encodes back
// to the same pair, or is one replacement character; no two pairs share a character.
TEST(CodePageKorean, EveryMappedPairRoundTrips) {
  std::size_t mapped = 0;
  std::u16string seen(0x10000, u'\0');
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x41; trail <= 0xFE; ++trail) {
      const std::string pair = Bytes({lead, trail});
      const std::u16string text = Decode(pair, kCodePageKorean);
      if (text == u"\uFFFD") continue;
      if (text.size() == 2) continue;  // trail outside the lead's row: decoded separately
      ASSERT_EQ(text.size(), 1u) << lead << " " << trail;
      ASSERT_EQ(Encode(text, kCodePageKorean), pair) << lead << " " << trail;
      ASSERT_EQ(seen[text[0]], u'\0') << "two pairs for one character";
      seen[text[0]] = 1;
      ++mapped;
    }
  }
  EXPECT_EQ(mapped, 17048u);
  for (char16_t c = 1; c < 0x80; ++c)
    EXPECT_EQ(Decode(Encode(std::u16string(1, c), kCodePageKorean), 949)[0], c);
}

TEST(CodePageKorean, EveryBmpCharacterEncodesToItselfOrAQuestionMark) {
  for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::u16string text(1, static_cast<char16_t>(c));
    const std::string bytes = Encode(text, kCodePageKorean);
    if (bytes == "?") continue;
    ASSERT_EQ(bytes.size(), 2u);
    ASSERT_EQ(Decode(bytes, kCodePageKorean), text) << std::hex << static_cast<std::uint32_t>(c);
  }
  // All 11172 modern syllables are in the unified code.
  for (char16_t c = 0xAC00; c <= 0xD7A3; ++c) ASSERT_NE(Encode(std::u16string(1, c), kCodePageKorean), "?");
}

TEST(CodePageKorean, BrokenBytesBecomeReplacementsWithoutLosingWhatFollows) {
  const auto decode = [](std::string_view bytes) { return Decode(bytes, kCodePageKorean); };
  EXPECT_EQ(decode("ab\xB0"), u"ab\uFFFD");  // lead byte cut off at the end
  EXPECT_EQ(decode("\xB0"), u"\uFFFD");
  // 'A' is no trail of a lead past the extended Hangul rows, nor 'Z' of their short last row: kept.
  EXPECT_EQ(decode(std::string("\xC7") + "A"), u"\uFFFDA");
  EXPECT_EQ(decode(std::string("\xC6") + "Z"), u"\uFFFDZ");
  EXPECT_EQ(decode("\xB0\n\xB0\xA1"), u"\uFFFD\n가");
  EXPECT_EQ(decode("\x81\x41"), u"갂");  // but 'A' is a trail of an extended Hangul lead
  EXPECT_EQ(decode("\x81\x30"), u"\uFFFD0");
  EXPECT_EQ(decode("\x80\x61\xFF\x62"), u"\uFFFDa\uFFFDb");  // bytes the code page never uses
  EXPECT_EQ(decode("\xC9\xA1\x63"), u"\uFFFD\u0063");        // well-formed but unassigned pair: one character
  EXPECT_EQ(decode("\xB0\xFF\xB0\xA1"), u"\uFFFD\uFFFD가");
  EXPECT_EQ(decode(std::string("a\0\xB0\xA1\0", 5)), std::u16string(u"a\0가\0", 4));
  EXPECT_EQ(decode(""), u"");
}

TEST(CodePageKorean, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Encode(u"é가", kCodePageKorean), "?\xB0\xA1");
  EXPECT_EQ(Encode(std::u16string{u'\xDC00', u'a'}, kCodePageKorean), "?a");
  EXPECT_EQ(Encode(u"\U00020000", kCodePageKorean), "?");
  EXPECT_EQ(Encode(std::u16string(u"\0", 1), kCodePageKorean), std::string(1, '\0'));
}

TEST(CodePageCompose, BaseAndMarkAreComposedWhenAsked) {
  EXPECT_EQ(Encode(u"e\u0301", kCodePageWestern), "e?");
  EXPECT_EQ(Encode(u"e\u0301", kCodePageWestern, true), "\xE9");
  EXPECT_EQ(Encode(u"Cafe\u0301 A\u0308", kCodePageWestern, true), "Caf\xE9 \xC4");
  // Marks keep composing onto the result: A + diaeresis + macron is U+01DE, which 949 lacks.
  EXPECT_EQ(Encode(u"A\u0308\u0304", kCodePageWestern, true), "?");
  EXPECT_EQ(Encode(u"A\u0308\u0304", kCodePageWestern), "A??");
  // A mark that composes with nothing stays as it was, and so does a mark with no base.
  EXPECT_EQ(Encode(u"q\u0308", kCodePageWestern, true), "q?");
  EXPECT_EQ(Encode(u"\u0301e", kCodePageWestern, true), "?e");
  // Composition exclusions stay decomposed, as canonical composition leaves them.
  EXPECT_EQ(Encode(u"\u0915\u093C", kCodePageWestern, true), "??");
}

TEST(CodePageCompose, HangulJamoComposeIntoSyllables) {
  EXPECT_EQ(Encode(u"\u1100\u1161", kCodePageKorean, true), "\xB0\xA1");        // 가
  EXPECT_EQ(Encode(u"\u1100\u1161\u11A8", kCodePageKorean, true), "\xB0\xA2");  // 각
  EXPECT_EQ(Encode(u"\uAC00\u11A8", kCodePageKorean, true), "\xB0\xA2");        // 가 + ㄱ
  EXPECT_EQ(Encode(u"\uAC01\u11A8", kCodePageKorean, true), "\xB0\xA2?");       // 각 takes no second
}

TEST(CodePageBulk, LargeAndRandomInputsAreHandled) {
  // 10 MB of mixed text decodes to the right number of characters.
  std::string big;
  const std::string line = "Name=\xC0\xBD\xBE\xC7\r\n";  // 7 ASCII bytes and 2 syllables
  big.reserve(10 * 1024 * 1024);
  while (big.size() + line.size() <= 10 * 1024 * 1024) big += line;
  const std::size_t lines = big.size() / line.size();
  const auto start = std::chrono::steady_clock::now();
  const std::u16string text = Decode(big, kCodePageKorean);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(text.size(), lines * 9);
  EXPECT_EQ(Encode(text, kCodePageKorean), big);
  EXPECT_LT(elapsed, std::chrono::seconds(2));

  // Pseudo-random bytes: never more characters than bytes, and decoding the re-encoded text is stable.
  std::string garbage(1 << 16, '\0');
  std::uint32_t state = 12345;
  for (char& b : garbage) {
    state = state * 1103515245u + 12345u;
    b = static_cast<char>(state >> 24);
  }
  for (std::uint16_t page : {kCodePageKorean, kCodePageWestern}) {
    const std::u16string decoded = Decode(garbage, page);
    EXPECT_LE(decoded.size(), garbage.size());
    const std::string encoded = Encode(decoded, page);
    EXPECT_EQ(Decode(encoded, page), Decode(Encode(Decode(encoded, page), page), page));
  }
  EXPECT_EQ(Decode(garbage, kCodePageWestern).size(), garbage.size());
}

}  // namespace
}  // namespace vexa::text
