#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

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

// What a pattern does that its writer may not mean, one note per conversion, for tools that check the
// patterns of a skin before it is shown. `at` is where the conversion's '%' stands.
struct FormatNote {
  enum class Kind {
    kNoValue,     // a conversion with no value left: shows nothing
    kOtherType,   // a conversion of another type than its value: the value is converted
    kUnknown,     // not a conversion ("%y"): copied as written
    kUnfinished,  // a '%' conversion cut off by the end of the pattern: copied as written
    kIgnored,     // "%n": shows nothing
  };
  Kind kind;
  std::size_t at;
  std::u16string conversion;  // the conversion as written: "%5.1f"
};
std::vector<FormatNote> CheckFormat(std::u16string_view pattern, std::span<const FormatArg> args);

}  // namespace vexa::text
