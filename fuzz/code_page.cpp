// Any bytes in either code page: decoding then encoding gives the bytes back wherever no byte was
// invalid, and UTF-8 conversion round-trips whatever it decoded.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/text/CodePage.h"
#include "common/text/DeviceText.h"
#include "common/text/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (std::uint16_t codePage : {std::uint16_t{949}, std::uint16_t{1252}}) {
    const auto text = vexa::text::Decode(bytes, codePage);
    if (text.find(u'\uFFFD') == std::u16string::npos && vexa::text::Encode(text, codePage) != bytes)
      std::abort();
    vexa::text::Encode(text, codePage, true);
  }
  const auto utf16 = vexa::text::FromUtf8(bytes);
  if (vexa::text::FromUtf8(vexa::text::ToUtf8(utf16)) != utf16) std::abort();
  for (std::uint16_t codePage : {std::uint16_t{949}, std::uint16_t{1252}}) {
    vexa::text::DecodeDeviceText(bytes, codePage);
    const auto file = vexa::text::EncodeDeviceText(utf16, codePage);
    if (file.starts_with(vexa::text::kUtf8ByteOrderMark) &&
        vexa::text::DecodeDeviceText(file, codePage) != utf16) {
      std::abort();
    }
  }
  return 0;
}
