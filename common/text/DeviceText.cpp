#include "common/text/DeviceText.h"

#include "common/text/CodePage.h"
#include "common/text/Text.h"

namespace vexa::text {

std::u16string DecodeDeviceText(std::string_view bytes, std::uint16_t codePage) {
  if (bytes.starts_with(kUtf8ByteOrderMark)) return FromUtf8(bytes.substr(kUtf8ByteOrderMark.size()));
  return Decode(bytes, codePage);
}

void AppendDeviceText(std::string_view bytes, bool utf8, std::uint16_t codePage, std::u16string& out) {
  if (utf8) {
    AppendFromUtf8(bytes, out);
  } else {
    AppendDecoded(bytes, codePage, out);
  }
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
