#include "platform/Wildcard.h"

#include <cstddef>

#include "common/text/Text.h"

namespace vexa::platform {

namespace {

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Units taken by the character starting at `at`: 2 for a whole surrogate pair, else 1.
std::size_t CharLength(std::u16string_view s, std::size_t at) {
  if (at + 1 < s.size() && IsHighSurrogate(s[at]) && IsLowSurrogate(s[at + 1])) return 2;
  return 1;
}

// Plain matching of '*' and '?': walks name and pattern together and, on a mismatch, lets the last
// '*' seen swallow one more character and tries again from there.
bool MatchPlain(std::u16string_view pattern, std::u16string_view name) {
  constexpr std::size_t kNoStar = std::u16string_view::npos;
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t afterStar = kNoStar;  // pattern position just after the last '*'
  std::size_t starName = 0;         // name position where that '*' currently stops
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      afterStar = ++p;
      starName = n;
    } else if (p < pattern.size() && pattern[p] == u'?') {
      ++p;
      n += CharLength(name, n);
    } else if (p < pattern.size() && text::FoldCase(pattern[p]) == text::FoldCase(name[n])) {
      ++p;
      ++n;
    } else if (afterStar != kNoStar) {
      p = afterStar;
      starName += CharLength(name, starName);
      n = starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace

bool HasWildcards(std::u16string_view pattern) {
  return pattern.find_first_of(u"*?") != pattern.npos;
}

bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name) {
  if (MatchPlain(pattern, name)) return true;
  // "name.*" stands for "name with any extension or none".
  if (pattern.size() >= 2 && pattern.ends_with(u".*")) {
    return MatchPlain(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

}  // namespace vexa::platform
