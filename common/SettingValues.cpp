#include "common/SettingValues.h"

#include <algorithm>

#include "common/text/Text.h"

namespace vexa {

namespace {

// The value of a digit run, reduced to the low eight bits as each colour part is. Only the last three
// digits matter for that, so long runs cannot overflow.
std::uint32_t LowByte(std::u16string_view digits) {
  std::uint32_t value = 0;
  for (char16_t c : digits) value = (value * 10 + static_cast<std::uint32_t>(c - u'0')) % 256;
  return value;
}

bool IsDigitRun(std::u16string_view text) { return !text.empty() && IsAllDigits(text); }

}  // namespace

bool IsAllDigits(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// TextColor=255,0,128
Color ParseColor(std::u16string_view text, Color defaultColor) {
  if (text.empty() || text::EqualsNoCase(text, u"Auto")) return defaultColor;
  const auto first = text.find(u',');
  if (first == std::u16string_view::npos) return defaultColor;
  const auto red = text.substr(0, first);
  const auto rest = text.substr(first + 1);
  const auto second = rest.find(u',');
  if (second == std::u16string_view::npos) return defaultColor;
  const auto green = rest.substr(0, second);
  const auto blue = rest.substr(second + 1);
  if (!IsDigitRun(red) || !IsDigitRun(green) || !IsDigitRun(blue)) return defaultColor;
  return LowByte(red) + LowByte(green) * 256 + LowByte(blue) * 65536;
}

// Position=120,48
Point ParsePoint(std::u16string_view text, int defaultX, int defaultY) {
  const auto comma = text.find(u',');
  if (comma == std::u16string_view::npos) return {defaultX, defaultY};
  const auto x = text.substr(0, comma);
  const auto y = text.substr(comma + 1);
  if (!IsDigitRun(x) || !IsDigitRun(y)) return {defaultX, defaultY};
  // Digit runs beyond the integer range saturate rather than wrap.
  return {text::ParseInt(x), text::ParseInt(y)};
}

bool IsYesIgnoringCase(std::u16string_view value) { return value == u"Y" || value == u"y"; }

bool IsYesExactly(std::u16string_view value) { return value == u"Y"; }

}  // namespace vexa
