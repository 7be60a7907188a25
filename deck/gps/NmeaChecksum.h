#pragma once

#include <span>
#include <string_view>

namespace vexa::gps {

// True when `line` is a sentence ("$" first) whose two characters after the first '*' are the
// upper-case hexadecimal XOR of every byte between the '$' and that '*'. A line without '*' and
// lower-case digits fail.
bool VerifyChecksum(std::string_view line);

// Writes the checksum digits of a sentence over the two characters after its first '*'. A text that
// does not start with '$', or has no two characters after its '*', is left as it is.
void FillChecksum(std::span<char> sentence);

}  // namespace vexa::gps
