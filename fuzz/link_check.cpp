// Any bytes as a shortcut the checker converts: the target it finds lies inside the text, and the
// converted text differs from the original only by the target's storage name and the count.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/text/CodePage.h"
#include "lnkchk/LinkCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (std::uint16_t codePage : {std::uint16_t{949}, std::uint16_t{1252}}) {
    const auto text = vexa::text::Decode(bytes, codePage);
    bool flip = false;
    const auto target = vexa::lnkchk::FindTarget(text, [&](std::u16string_view) { return flip = !flip; });
    if (target.at > text.size() || target.target.size() > text.size() - target.at) std::abort();
    for (std::u16string_view root : {std::u16string_view(u"\\SDMMC"), std::u16string_view(u"\\Storage Card")}) {
      const auto converted = vexa::lnkchk::ConvertShortcut(text, target, root);
      // At most the root's length more than the text, and the count, grows by at most a few digits.
      if (converted.size() > text.size() + root.size() + 24) std::abort();
    }
  }
  return 0;
}
