#include "common/text/CodePage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vexa::text {

namespace {

#include "common/text/CompositionTable.inc"
#include "common/text/Cp1252Table.inc"
#include "common/text/Cp949Table.inc"

constexpr char16_t kReplacement = 0xFFFD;
constexpr char kUnmappable = '?';

// Layout of the double-byte part of code page 949: lead bytes 0x81..0xFE, trail bytes 0x41..0xFE.
constexpr unsigned kLeadFirst = 0x81;
constexpr unsigned kLeadLast = 0xFE;
constexpr unsigned kTrailFirst = 0x41;
constexpr unsigned kTrailsPerLead = 0xFE - kTrailFirst + 1;
static_assert(sizeof kCp949Decode / sizeof kCp949Decode[0] == (kLeadLast - kLeadFirst + 1) * kTrailsPerLead);

// Whether `trail` belongs to the row of `lead`. Every lead takes trails 0xA1..0xFE; the extended Hangul
// rows (leads 0x81..0xC5) also take 0x41..0x5A, 0x61..0x7A and 0x81..0xA0, and their last row, lead 0xC6,
// also 0x41..0x52. A byte outside its lead's row is never part of the pair, so ASCII that follows a
// broken lead byte survives.
inline bool IsTrailOf(unsigned lead, unsigned trail) {
  if (trail >= 0xA1 && trail <= 0xFE) return true;
  if (lead > 0xC6) return false;
  if (lead == 0xC6) return trail >= 0x41 && trail <= 0x52;
  return (trail >= 0x41 && trail <= 0x5A) || (trail >= 0x61 && trail <= 0x7A) ||
         (trail >= 0x81 && trail <= 0xA0);
}

void AppendWestern(std::string_view bytes, std::u16string& out) {
  const std::size_t at = out.size();
  out.resize(at + bytes.size());
  char16_t* to = out.data() + at;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    to[i] = (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : static_cast<char16_t>(b);
  }
}

// "\xC0\xFA\xC0\xE5\xBC\xD2" is "저장소". Single bytes below 0x80 are ASCII; 0x80 and 0xFF are not
// used by the code page.
void AppendKorean(std::string_view bytes, std::u16string& out) {
  out.reserve(out.size() + bytes.size());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    if (lead < kLeadFirst || lead > kLeadLast || i + 1 >= n) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    if (!IsTrailOf(lead, trail)) {
      out.push_back(kReplacement);  // only the lead is dropped; the next byte is read on its own
      ++i;
      continue;
    }
    // A well-formed pair that the code page leaves unassigned is one character: one replacement.
    const char16_t c = kCp949Decode[(lead - kLeadFirst) * kTrailsPerLead + (trail - kTrailFirst)];
    out.push_back(c != 0 ? c : kReplacement);
    i += 2;
  }
}

// Byte of code page 1252 for `c`, or '?'.
char EncodeWestern(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (unsigned i = 0; i < 32; ++i) {
    if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
  }
  return kUnmappable;
}

// Appends the bytes of code page 949 for `c`, or '?'.
void EncodeKorean(char16_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return;
  }
  const auto* begin = std::begin(kCp949ByChar);
  const auto* end = std::end(kCp949ByChar);
  const auto* it = std::lower_bound(
      begin, end, c, [](std::uint16_t index, char16_t value) { return kCp949Decode[index] < value; });
  if (it == end || kCp949Decode[*it] != c) {
    out.push_back(kUnmappable);
    return;
  }
  out.push_back(static_cast<char>(kLeadFirst + *it / kTrailsPerLead));
  out.push_back(static_cast<char>(kTrailFirst + *it % kTrailsPerLead));
}

// Hangul jamo compose by arithmetic: leading consonant + vowel, then that syllable + trailing consonant.
constexpr char16_t kSyllableBase = 0xAC00;
constexpr char16_t kLeadingBase = 0x1100;
constexpr char16_t kVowelBase = 0x1161;
constexpr char16_t kTrailingBase = 0x11A7;
constexpr unsigned kVowelCount = 21;
constexpr unsigned kTrailingCount = 28;
constexpr unsigned kSyllableCount = 19 * kVowelCount * kTrailingCount;

// The precomposed character for `base` followed by `mark`, or 0 if they do not compose.
char16_t Compose(char16_t base, char16_t mark) {
  if (mark < 0x300) return 0;  // every second character of a pair is a combining mark or a jamo
  if (base >= kLeadingBase && base < kLeadingBase + 19 && mark >= kVowelBase &&
      mark < kVowelBase + kVowelCount) {
    return static_cast<char16_t>(kSyllableBase + ((base - kLeadingBase) * kVowelCount + (mark - kVowelBase)) *
                                                     kTrailingCount);
  }
  if (base >= kSyllableBase && base < kSyllableBase + kSyllableCount &&
      (base - kSyllableBase) % kTrailingCount == 0 && mark > kTrailingBase &&
      mark < kTrailingBase + kTrailingCount) {
    return static_cast<char16_t>(base + (mark - kTrailingBase));
  }
  const std::uint32_t key = (std::uint32_t{base} << 16) | mark;
  const auto* begin = std::begin(kCompositionPairs);
  const auto* end = std::end(kCompositionPairs);
  const auto* it = std::lower_bound(begin, end, key);
  if (it == end || *it != key) return 0;
  return kCompositionResults[it - begin];
}

inline bool IsSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

}  // namespace

void AppendDecoded(std::string_view bytes, std::uint16_t codePage, std::u16string& out) {
  if (codePage == kCodePageKorean) {
    AppendKorean(bytes, out);
  } else {
    AppendWestern(bytes, out);
  }
}

std::u16string Decode(std::string_view bytes, std::uint16_t codePage) {
  std::u16string out;
  AppendDecoded(bytes, codePage, out);
  return out;
}

namespace {

// The bytes of `text` in the code page; `lost` tells whether a character had to become '?'.
std::string EncodeCounting(std::u16string_view text, std::uint16_t codePage, bool composeFirst, bool& lost) {
  const bool korean = codePage == kCodePageKorean;
  std::string out;
  out.reserve(korean ? text.size() * 2 : text.size());
  lost = false;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    char16_t c = text[i];
    if (IsSurrogate(c)) {
      // A surrogate pair is one character outside the BMP, which neither code page holds.
      if (c <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
      out.push_back(kUnmappable);
      lost = true;
      continue;
    }
    if (composeFirst) {
      // Fold each following mark into the character as long as a precomposed form exists, so
      // "A" U+0308 U+0304 becomes U+01DE by way of U+00C4.
      while (i + 1 < n) {
        const char16_t composed = Compose(c, text[i + 1]);
        if (composed == 0) break;
        c = composed;
        ++i;
      }
    }
    const std::size_t before = out.size();
    if (korean) {
      EncodeKorean(c, out);
    } else {
      out.push_back(EncodeWestern(c));
    }
    // The replacement character stands for bytes that were lost when the text was read; a '?' keeps
    // it as well as anything could.
    if (out.size() == before + 1 && out.back() == kUnmappable && c != u'?' && c != kReplacement) lost = true;
  }
  return out;
}

}  // namespace

std::string Encode(std::u16string_view text, std::uint16_t codePage, bool composeFirst) {
  bool lost = false;
  return EncodeCounting(text, codePage, composeFirst, lost);
}

std::optional<std::string> EncodeExactly(std::u16string_view text, std::uint16_t codePage,
                                         bool composeFirst) {
  bool lost = false;
  std::string bytes = EncodeCounting(text, codePage, composeFirst, lost);
  if (lost) return std::nullopt;
  return bytes;
}

}  // namespace vexa::text
