#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text helpers for UTF-16 text. Letter case is folded one UTF-16 unit at a time over the whole Basic
// Multilingual Plane (simple case folding: 'Ä' matches 'ä', 'Σ' matches 'σ' and 'ς').
namespace vexa::text {

char16_t FoldCase(char16_t c);
char16_t ToUpper(char16_t c);
char16_t ToLower(char16_t c);
std::u16string ToUpper(std::u16string_view s);
std::u16string ToLower(std::u16string_view s);

// Comparison without regard to letter case.
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
// <0, 0 or >0, comparing folded units in order.
int CompareNoCase(std::u16string_view a, std::u16string_view b);
// Position of the first occurrence of `needle` at or after `from`, or npos.
std::size_t FindNoCase(std::u16string_view haystack, std::u16string_view needle, std::size_t from = 0);
bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix);
bool EndsWithNoCase(std::u16string_view s, std::u16string_view suffix);

// White space: blank, tab, CR, LF, vertical tab, form feed, and the Unicode spaces of the BMP.
bool IsSpace(char16_t c);
std::u16string_view TrimView(std::u16string_view s);
std::u16string Trim(std::u16string_view s);
std::u16string TrimLeft(std::u16string_view s);
std::u16string TrimRight(std::u16string_view s);

// Decimal conversion: leading white space skipped, an optional '+' or '-', then digits up to the first
// non-digit. No digits give 0; a value beyond the 32-bit range saturates at INT32_MIN / INT32_MAX.
std::int32_t ParseInt(std::u16string_view s);
// Plain decimal, as "%d" writes it.
std::u16string FromInt(std::int64_t value);
// Decimal with leading zeros up to `width` digits, as "%.2d" writes it ("07"); a negative value
// shows as 0 (clock and date fields).
std::u16string ZeroPadded(std::int64_t value, int width);

// UTF-8 at the edges (host file names, logs, command lines). Unpaired surrogates and invalid UTF-8
// become U+FFFD.
std::u16string FromUtf8(std::string_view s);
// The same, appended to `out`.
void AppendFromUtf8(std::string_view s, std::u16string& out);
std::string ToUtf8(std::u16string_view s);

}  // namespace vexa::text
