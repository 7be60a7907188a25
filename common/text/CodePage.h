#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversion between UTF-16 and the device's ANSI code pages: 949 (Korean, the unified Hangul code)
// and 1252 (Western). Any other code page number is treated as 1252.
namespace vexa::text {

inline constexpr std::uint16_t kCodePageKorean = 949;
inline constexpr std::uint16_t kCodePageWestern = 1252;

// Byte text to UTF-16. A byte or byte pair that is not valid in the code page becomes U+FFFD and the
// conversion goes on with the next byte, so nothing after it is lost. Zero bytes are kept.
std::u16string Decode(std::string_view bytes, std::uint16_t codePage);
// The same, appended to `out`.
void AppendDecoded(std::string_view bytes, std::uint16_t codePage, std::u16string& out);

// UTF-16 to byte text. A character the code page cannot hold becomes '?'. With `composeFirst`, a base
// character followed by a combining mark is first composed into its precomposed form where one exists
// ("e" + U+0301 becomes "é"), as the device's composite check does.
std::string Encode(std::u16string_view text, std::uint16_t codePage, bool composeFirst = false);
// As Encode, but nullopt when a character cannot be held by the code page. U+FFFD, which stands for
// bytes already lost when a text was decoded, counts as held: it becomes '?'.
std::optional<std::string> EncodeExactly(std::u16string_view text, std::uint16_t codePage,
                                         bool composeFirst = false);

}  // namespace vexa::text
