#include "common/IniText.h"

#include <algorithm>

#include "common/text/Text.h"

namespace vexa {

// [Main]
// SkinFolder = %STORAGE%\VexaDeck\Skin
void ForEachIniEntry(
    std::u16string_view text,
    const std::function<void(std::u16string_view, std::u16string_view, std::u16string_view)>& entry) {
  std::u16string_view section;
  ForEachIniEntry(text, section, entry);
}

std::u16string FormatIniText(const std::vector<std::u16string>& sections,
                             const std::vector<IniEntry>& entries) {
  return FormatIniText(
      sections.size(), [&](std::size_t s) { return std::u16string_view(sections[s]); }, entries.size(),
      [&](std::size_t i) {
        return IniLine{entries[i].section, entries[i].key, entries[i].value};
      });
}

std::string_view UpToFirstZero(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

}  // namespace vexa
