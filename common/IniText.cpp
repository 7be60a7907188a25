#include "common/IniText.h"

#include <algorithm>

#include "common/text/Text.h"

namespace vexa {

// [Main]
// SkinFolder = %STORAGE%\VexaDeck\Skin
void ForEachIniEntry(std::u16string_view text,
                     const std::function<void(std::u16string_view, std::u16string_view, std::u16string_view)>& entry) {
  std::u16string section;
  ForEachIniEntry(text, section, entry);
}

void ForEachIniEntry(std::u16string_view text, std::u16string& section,
                     const std::function<void(std::u16string_view, std::u16string_view, std::u16string_view)>& entry) {
  for (std::size_t start = 0; start <= text.size();) {
    auto end = text.find(u"\r\n", start);
    if (end == std::u16string_view::npos) end = text.size();
    const auto line = text.substr(start, end - start);
    start = end + 2;

    if (!line.empty() && line.front() == u'[') {
      // The last character is dropped whatever it is.
      section = line.size() < 2 ? std::u16string() : text::Trim(line.substr(1, line.size() - 2));
      continue;
    }
    if (line.empty() || section.empty()) continue;
    const auto equals = line.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    entry(section, text::TrimView(line.substr(0, equals)), line.substr(equals + 1));
  }
}

std::u16string FormatIniText(const std::vector<std::u16string>& sections, const std::vector<IniEntry>& entries) {
  return FormatIniText(
      sections.size(), [&](std::size_t s) { return std::u16string_view(sections[s]); }, entries.size(),
      [&](std::size_t i) { return IniLine{entries[i].section, entries[i].key, entries[i].value}; });
}

std::string_view UpToFirstZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace vexa
