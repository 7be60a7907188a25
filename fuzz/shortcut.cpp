// Any bytes as a shortcut file's text: the reader answers a target and arguments, never more text
// than it was given.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/Launcher.h"
#include "common/text/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (std::uint16_t codePage : {std::uint16_t{949}, std::uint16_t{1252}}) {
    const auto text = vexa::text::Decode(bytes, codePage);
    bool flip = false;
    const auto command = vexa::ParseShortcut(text, [&](std::u16string_view) { return flip = !flip; });
    if (command.target.size() + command.arguments.size() > text.size()) std::abort();
  }
  return 0;
}
