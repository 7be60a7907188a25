#include "platform/DevicePath.h"

#include "common/text/Text.h"

namespace vexa::platform {

namespace {

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

bool IsValidComponent(std::u16string_view name, bool wildcards) {
  if (name.empty() || name == u"." || name == u"..") return false;
  if (text::StartsWithNoCase(name, kTempFilePrefix)) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    if (c < 0x20) return false;
    switch (c) {
      case u'/':
      case u'\\':
      case u':':
      case u'<':
      case u'>':
      case u'"':
      case u'|':
        return false;
      case u'*':
      case u'?':
        if (!wildcards) return false;
        break;
      default:
        break;
    }
    if (IsHighSurrogate(c)) {
      if (i + 1 >= name.size() || !IsLowSurrogate(name[i + 1])) return false;
      ++i;
    } else if (IsLowSurrogate(c)) {
      return false;
    }
  }
  return true;
}

std::optional<ParsedPath> ParseDevicePath(std::u16string_view path, bool wildcardsInLast) {
  if (path.empty()) return std::nullopt;
  ParsedPath parsed;
  if (path.front() == u'\\') path.remove_prefix(1);
  if (path.empty()) return parsed;  // the root
  if (path.back() == u'\\') {
    parsed.trailingSeparator = true;
    path.remove_suffix(1);
  }
  for (;;) {
    const std::size_t end = path.find(u'\\');
    parsed.components.push_back(path.substr(0, end));
    if (end == path.npos) break;
    path.remove_prefix(end + 1);
  }
  for (std::size_t i = 0; i < parsed.components.size(); ++i) {
    const bool last = i + 1 == parsed.components.size();
    if (!IsValidComponent(parsed.components[i], wildcardsInLast && last && !parsed.trailingSeparator)) {
      return std::nullopt;
    }
  }
  return parsed;
}

}  // namespace vexa::platform
