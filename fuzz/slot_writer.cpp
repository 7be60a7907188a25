// Any bytes as a runner program file, with a slot and a text taken from the first bytes: the writer
// never changes the file's size, leaves the image alone when it fails, touches nothing before the
// anchor, leaves the text where the reader finds it, and writing the same text again changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "xrun/RunnerSlots.h"
#include "xrun/SlotWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int id = vexa::xrun::kFirstSlot + data[0] % 6;
  const std::size_t length = data[1] % 2 == 0 ? data[1] / 2 : 280 + data[1] % 3;  // short, or near the limits
  const std::u16string text(length, static_cast<char16_t>(u'a' + data[1] % 26));
  const std::string original(reinterpret_cast<const char*>(data) + 2, size - 2);

  std::string image = original;
  const auto result = vexa::xrun::PatchSlot(image, id, text);
  if (image.size() != original.size()) std::abort();
  if (result != vexa::xrun::SlotWriteResult::kWritten) {
    if (image != original) std::abort();
    return 0;
  }
  std::string anchor;
  for (const char16_t c : vexa::xrun::AnchorTag()) anchor += {static_cast<char>(c), '\0'};
  const auto at = original.find(anchor);
  if (at == std::string::npos || image.compare(0, at + anchor.size(), original, 0, at + anchor.size()) != 0) {
    std::abort();
  }
  std::string bytes;
  for (const char16_t c : text) bytes += {static_cast<char>(c), '\0'};
  if (image.find(bytes, at) == std::string::npos) std::abort();
  std::string again = image;
  if (vexa::xrun::PatchSlot(again, id, text) != vexa::xrun::SlotWriteResult::kWritten || again != image)
    std::abort();
  return 0;
}
