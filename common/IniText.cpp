#include "common/IniText.h"

#include <algorithm>

#include "common/text/Text.h"

namespace vexa {

// [Main]
// SkinFolder = %STORAGE%\VexaDeck\Skin
void ForEachIniEntry(std::u16string_view text,
                     const std::function<void(std::u16string_view, std::u16string_view, std::u16string_view)>& entry) {
  std::u16string section;
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
  std::u16string text;
  for (std::size_t s = 0; s < sections.size(); ++s) {
    text += u"[" + sections[s] + u"]\r\n";
    for (const auto& entry : entries) {
      if (!text::EqualsNoCase(entry.section, sections[s])) continue;
      text += entry.key;
      text += u'=';
      text += entry.value;
      text += u"\r\n";
    }
    if (s + 1 < sections.size()) text += u"\r\n";
  }
  std::erase(text, u'\0');
  return text;
}

std::string_view UpToFirstZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace vexa
