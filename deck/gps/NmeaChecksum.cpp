#include "deck/gps/NmeaChecksum.h"

#include <cstdint>

namespace vexa::gps {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The XOR of the bytes after the '$' up to the first '*' (or the end), and where that '*' is.
std::uint8_t SentenceXor(std::string_view text, std::size_t& star) {
  std::uint8_t sum = 0;
  std::size_t i = 1;
  for (; i < text.size() && text[i] != '*'; ++i) sum ^= static_cast<std::uint8_t>(text[i]);
  star = i;
  return sum;
}

}  // namespace

bool VerifyChecksum(std::string_view line) {
  if (line.empty() || line.front() != '$') return false;
  std::size_t star = 0;
  const std::uint8_t sum = SentenceXor(line, star);
  if (star + 2 >= line.size()) return false;  // no '*', or not two characters after it
  return line[star + 1] == kHexDigits[sum >> 4] && line[star + 2] == kHexDigits[sum & 0x0F];
}

void FillChecksum(std::span<char> sentence) {
  const std::string_view text(sentence.data(), sentence.size());
  if (text.empty() || text.front() != '$') return;
  std::size_t star = 0;
  const std::uint8_t sum = SentenceXor(text, star);
  if (star + 2 >= text.size()) return;
  sentence[star + 1] = kHexDigits[sum >> 4];
  sentence[star + 2] = kHexDigits[sum & 0x0F];
}

}  // namespace vexa::gps
