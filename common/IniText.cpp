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
  // The entries of each section, in entry order, as a chain through `next`.
  constexpr std::uint32_t kEnd = UINT32_MAX;
  std::vector<std::uint32_t> first(sections.size(), kEnd);
  std::vector<std::uint32_t> last(sections.size(), kEnd);
  std::vector<std::uint32_t> next(entries.size(), kEnd);
  std::size_t length = 0;
  for (std::uint32_t i = 0; i < entries.size(); ++i) {
    const std::uint32_t s = entries[i].section;
    if (s >= sections.size()) continue;
    (last[s] == kEnd ? first[s] : next[last[s]]) = i;
    last[s] = i;
    length += entries[i].key.size() + entries[i].value.size() + 3;
  }
  for (const auto& section : sections) length += section.size() + 6;

  std::u16string text;
  text.reserve(length);
  for (std::size_t s = 0; s < sections.size(); ++s) {
    text += u'[';
    text += sections[s];
    text += u"]\r\n";
    for (std::uint32_t i = first[s]; i != kEnd; i = next[i]) {
      // A key read from " [a=b" starts with '['; written at the start of its line it would be read
      // back as a section header and move the keys after it. One leading blank keeps it a key (keys
      // are trimmed when read).
      if (!entries[i].key.empty() && entries[i].key.front() == u'[') text += u' ';
      text += entries[i].key;
      text += u'=';
      text += entries[i].value;
      text += u"\r\n";
    }
    if (s + 1 < sections.size()) text += u"\r\n";
  }
  std::erase(text, u'\0');
  return text;
}

std::string_view UpToFirstZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace vexa
