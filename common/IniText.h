#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/Text.h"

// The text form of .ini files, shared by the profile stores: reading key lines out of a text and
// writing sections back into one.
namespace vexa {

// Settings, skin and clock files larger than this are refused as unreadable: no real one comes near
// it, and reading a huge one whole would cost the launcher its memory.
inline constexpr std::size_t kMaxIniFileBytes = 16u << 20;

// One key line of a file: its section as a place in the store's section list, its key and its value.
struct IniEntry {
  static constexpr std::uint32_t kRemoved = UINT32_MAX;  // a removed entry, left out when writing

  std::uint32_t section = kRemoved;
  std::u16string key;
  std::u16string value;
};

// Calls `entry` with the section, the trimmed key and the value as written (not trimmed) of every key
// line. Only CR LF ends a line, and the last line counts without one. A line starting with "[" is a
// header whose name is the line without its first and last character, trimmed ("[Main]" is Main);
// empty lines, lines before a header with a name and lines without "=" are skipped.
void ForEachIniEntry(std::u16string_view text,
                     const std::function<void(std::u16string_view section, std::u16string_view key,
                                              std::u16string_view value)>& entry);
// The same for one piece of a text cut after a CR LF, with `entry` called in line: `section` is the
// current section, carried from one piece to the next (empty before the first). It is a piece of the
// text (of an earlier piece, which must still be there); so are the section, key and value passed on.
template <class Entry>
void ForEachIniEntry(std::u16string_view text, std::u16string_view& section, Entry&& entry) {
  for (std::size_t start = 0; start <= text.size();) {
    auto end = text.find(u"\r\n", start);
    if (end == std::u16string_view::npos) end = text.size();
    const auto line = text.substr(start, end - start);
    start = end + 2;

    if (!line.empty() && line.front() == u'[') {
      // The last character is dropped whatever it is.
      section = line.size() < 2 ? std::u16string_view() : text::TrimView(line.substr(1, line.size() - 2));
      continue;
    }
    if (line.empty() || section.empty()) continue;
    const auto equals = line.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    entry(section, text::TrimView(line.substr(0, equals)), line.substr(equals + 1));
  }
}

// One key line as the text writer sees it: its section as a place in the section list.
struct IniLine {
  std::uint32_t section;
  std::u16string_view key;
  std::u16string_view value;
};

// The text of a file: for each section in order its header and its entries in entry order, sections
// separated by one empty line, every line ending in CR LF. Zero characters, which a reader would stop
// at, are left out. Takes time in proportion to the sections and entries together. `sectionName(s)`
// gives the name of section s, `entryAt(i)` entry i as an IniLine; an entry whose section is not in
// the list is left out.
template <class SectionName, class EntryAt>
std::u16string FormatIniText(std::size_t sectionCount, SectionName&& sectionName, std::size_t entryCount,
                             EntryAt&& entryAt) {
  // The entries of each section, in entry order, as a chain through `next`.
  constexpr std::uint32_t kEnd = UINT32_MAX;
  std::vector<std::uint32_t> first(sectionCount, kEnd);
  std::vector<std::uint32_t> last(sectionCount, kEnd);
  std::vector<std::uint32_t> next(entryCount, kEnd);
  std::size_t length = 0;
  for (std::uint32_t i = 0; i < entryCount; ++i) {
    const IniLine line = entryAt(i);
    if (line.section >= sectionCount) continue;
    (last[line.section] == kEnd ? first[line.section] : next[last[line.section]]) = i;
    last[line.section] = i;
    length += line.key.size() + line.value.size() + 4;
  }
  for (std::size_t s = 0; s < sectionCount; ++s) length += sectionName(s).size() + 6;

  std::u16string text;
  text.reserve(length);
  for (std::size_t s = 0; s < sectionCount; ++s) {
    text += u'[';
    text += sectionName(s);
    text += u"]\r\n";
    for (std::uint32_t i = first[s]; i != kEnd; i = next[i]) {
      const IniLine line = entryAt(i);
      // A key read from " [a=b" starts with '['; written at the start of its line it would be read
      // back as a section header and move the keys after it. One leading blank keeps it a key (keys
      // are trimmed when read).
      if (!line.key.empty() && line.key.front() == u'[') text += u' ';
      text += line.key;
      text += u'=';
      text += line.value;
      text += u"\r\n";
    }
    if (s + 1 < sectionCount) text += u"\r\n";
  }
  std::erase(text, u'\0');
  return text;
}

// The same over a list of sections and a list of entries.
std::u16string FormatIniText(const std::vector<std::u16string>& sections,
                             const std::vector<IniEntry>& entries);

// The bytes of a file as text: up to the first zero byte.
std::string_view UpToFirstZero(std::string_view bytes);

}  // namespace vexa
