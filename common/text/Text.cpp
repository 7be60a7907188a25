#include "common/text/Text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vexa::text {

namespace {

#include "common/text/CaseTables.inc"

// Looks a unit up in one of the two-level case tables: the index picks a block of 64 differences.
inline char16_t MapCase(const std::uint8_t* index, char16_t c) {
  const unsigned block = index[c >> kCaseBlockShift];
  const unsigned offset = c & ((1u << kCaseBlockShift) - 1);
  return static_cast<char16_t>(c + kCaseBlocks[(block << kCaseBlockShift) + offset]);
}

constexpr char16_t kReplacement = 0xFFFD;

inline bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
inline bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

char16_t FoldCase(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  return MapCase(kFoldIndex, c);
}

char16_t ToUpper(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  return MapCase(kUpperIndex, c);
}

char16_t ToLower(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  return MapCase(kLowerIndex, c);
}

std::u16string ToUpper(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) c = ToUpper(c);
  return out;
}

std::u16string ToLower(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) c = ToLower(c);
  return out;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = FoldCase(a[i]);
    const char16_t y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::size_t FindNoCase(std::u16string_view haystack, std::u16string_view needle, std::size_t from) {
  if (from > haystack.size() || needle.size() > haystack.size() - from) return std::u16string_view::npos;
  if (needle.empty()) return from;
  const char16_t first = FoldCase(needle[0]);
  const std::size_t last = haystack.size() - needle.size();
  for (std::size_t i = from; i <= last; ++i) {
    if (FoldCase(haystack[i]) == first &&
        EqualsNoCase(haystack.substr(i + 1, needle.size() - 1), needle.substr(1))) {
      return i;
    }
  }
  return std::u16string_view::npos;
}

bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
  return prefix.size() <= s.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::u16string_view s, std::u16string_view suffix) {
  return suffix.size() <= s.size() && EqualsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

bool IsSpace(char16_t c) {
  if (c <= 0x20) return c == 0x20 || (c >= 0x09 && c <= 0x0D);
  if (c < 0x85) return false;
  switch (c) {
    case 0x85:    // next line
    case 0xA0:    // no-break space
    case 0x1680:  // ogham space mark
    case 0x2028:  // line separator
    case 0x2029:  // paragraph separator
    case 0x202F:  // narrow no-break space
    case 0x205F:  // medium mathematical space
    case 0x3000:  // ideographic space
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;  // en quad .. hair space
  }
}

std::u16string_view TrimView(std::u16string_view s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && IsSpace(s[begin])) ++begin;
  while (end > begin && IsSpace(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

std::u16string Trim(std::u16string_view s) {
  return std::u16string(TrimView(s));
}

std::u16string TrimLeft(std::u16string_view s) {
  std::size_t begin = 0;
  while (begin < s.size() && IsSpace(s[begin])) ++begin;
  return std::u16string(s.substr(begin));
}

std::u16string TrimRight(std::u16string_view s) {
  std::size_t end = s.size();
  while (end > 0 && IsSpace(s[end - 1])) --end;
  return std::u16string(s.substr(0, end));
}

// "  -42abc" gives -42. The magnitude is accumulated in 64 bits and clamped as soon as it passes the
// 32-bit range, so any number of digits is safe.
std::int32_t ParseInt(std::u16string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
    negative = s[i] == u'-';
    ++i;
  }
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
    magnitude = magnitude * 10 + (s[i] - u'0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

std::u16string FromInt(std::int64_t value) {
  char16_t buffer[24];
  char16_t* end = buffer + sizeof buffer / sizeof buffer[0];
  char16_t* p = end;
  // Work on the unsigned magnitude so that INT64_MIN has no overflow.
  std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  do {
    *--p = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = u'-';
  return std::u16string(p, end);
}

std::u16string ZeroPadded(std::int64_t value, int width) {
  std::u16string digits = FromInt(value < 0 ? 0 : value);
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), u'0');
  return digits;
}

// Decodes UTF-8, replacing each maximal invalid subsequence with one U+FFFD: overlong forms, encoded
// surrogates, values past U+10FFFF, stray continuation bytes and truncated sequences.
std::u16string FromUtf8(std::string_view s) {
  std::u16string out;
  AppendFromUtf8(s, out);
  return out;
}

void AppendFromUtf8(std::string_view s, std::u16string& out) {
  out.reserve(out.size() + s.size());
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
      out.push_back(b0);
      ++i;
      continue;
    }
    int length = 0;
    char32_t cp = 0;
    unsigned char low = 0x80;  // range allowed for the second byte
    unsigned char high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2;
      cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3;
      cp = b0 & 0x0F;
      if (b0 == 0xE0) low = 0xA0;   // no overlong forms
      if (b0 == 0xED) high = 0x9F;  // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4;
      cp = b0 & 0x07;
      if (b0 == 0xF0) low = 0x90;   // no overlong forms
      if (b0 == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    int taken = 1;
    bool valid = true;
    for (; taken < length; ++taken) {
      if (i + taken >= n) {
        valid = false;
        break;
      }
      const auto b = static_cast<unsigned char>(s[i + taken]);
      const unsigned char lo = taken == 1 ? low : 0x80;
      const unsigned char hi = taken == 1 ? high : 0xBF;
      if (b < lo || b > hi) {
        valid = false;
        break;
      }
      cp = (cp << 6) | (b & 0x3F);
    }
    i += taken;
    if (!valid) {
      out.push_back(kReplacement);
    } else if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
}

std::string ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (IsHighSurrogate(cp) && i + 1 < s.size() && IsLowSurrogate(s[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(cp) || IsLowSurrogate(cp)) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace vexa::text
