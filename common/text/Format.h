#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

// A printf-style formatter for patterns that come from files users write (a skin's [Format] keys), so
// it must be safe against any pattern: a conversion never reads an argument of the wrong type, never
// writes memory, and never fails.
namespace vexa::text {

using FormatArg = std::variant<std::int64_t, double, std::u16string>;

// Formats `pattern` with `args`. See Format.cpp for the exact rules on mismatched conversions.
std::u16string Format(std::u16string_view pattern, std::span<const FormatArg> args);
inline std::u16string Format(std::u16string_view pattern, std::initializer_list<FormatArg> args) {
  return Format(pattern, std::span<const FormatArg>(args.begin(), args.size()));
}

}  // namespace vexa::text
