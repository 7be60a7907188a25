#pragma once

#include <cstdint>
#include <string_view>

// Parsers for setting texts: colours, coordinate pairs and "Y"/"N" switches.
namespace vexa {

using Color = std::uint32_t;  // red + green * 256 + blue * 65536
inline constexpr Color kAutoColor = 0xFF000000;  // the automatic transparent colour

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// True when every character is a decimal digit; an empty text is true.
bool IsAllDigits(std::u16string_view text);

// "255,0,128" gives 0x8000FF. "Auto" (any case) and an empty text give the default, as does anything
// that is not three comma-separated digit runs. Each part keeps its low eight bits.
Color ParseColor(std::u16string_view text, Color defaultColor);

// "10,20" gives (10, 20); anything but two comma-separated digit runs gives the defaults.
Point ParsePoint(std::u16string_view text, int defaultX, int defaultY);

// The two ways a "Y"/"N" switch is read: the launcher ignores letter case, the toolbar, the runner and
// the intro take only an upper-case "Y" as yes.
bool IsYesIgnoringCase(std::u16string_view value);
bool IsYesExactly(std::u16string_view value);

}  // namespace vexa
