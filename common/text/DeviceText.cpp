#include "common/text/DeviceText.h"

#include "common/text/CodePage.h"
#include "common/text/Text.h"

namespace vexa::text {

std::u16string DecodeDeviceText(std::string_view bytes, std::uint16_t codePage) {
  if (bytes.starts_with(kUtf8ByteOrderMark)) return FromUtf8(bytes.substr(kUtf8ByteOrderMark.size()));
  return Decode(bytes, codePage);
}

DeviceTextPieces::DeviceTextPieces(std::string_view bytes, std::uint16_t codePage)
    : rest_(bytes), codePage_(codePage), utf8_(bytes.starts_with(kUtf8ByteOrderMark)) {
  if (utf8_) rest_.remove_prefix(kUtf8ByteOrderMark.size());
}

bool DeviceTextPieces::Next(std::u16string& piece) {
  if (rest_.empty()) return false;
  // Small enough to stay in the processor's cache while it is parsed.
  constexpr std::size_t kPieceBytes = 32 * 1024;
  std::size_t end = rest_.size();
  if (end > kPieceBytes) {
    const auto lineEnd = rest_.find("\r\n", kPieceBytes);
    if (lineEnd != std::string_view::npos) end = lineEnd + 2;
  }
  const std::string_view bytes = rest_.substr(0, end);
  rest_.remove_prefix(end);
  piece = utf8_ ? FromUtf8(bytes) : Decode(bytes, codePage_);
  return true;
}

std::string EncodeDeviceText(std::u16string_view text, std::uint16_t codePage) {
  // Code page text that happens to begin with the mark's bytes ("ï»¿" in code page 1252) would be
  // read back as UTF-8, so it is written as UTF-8 too.
  auto bytes = EncodeExactly(text, codePage, /*composeFirst=*/true);
  if (bytes && !bytes->starts_with(kUtf8ByteOrderMark)) return std::move(*bytes);
  std::string utf8(kUtf8ByteOrderMark);
  utf8 += ToUtf8(text);
  return utf8;
}

}  // namespace vexa::text
