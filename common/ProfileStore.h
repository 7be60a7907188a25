#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/FoldedIndex.h"
#include "common/IniText.h"
#include "platform/Handles.h"
#include "platform/Platform.h"

namespace vexa {

// One .ini file in memory: sections of key=value lines, byte text in the device's ANSI code page with
// CR LF line ends (UTF-8 after a byte-order mark when the code page cannot hold the text). Sections and
// keys match without regard to letter case; the spelling of their first appearance is kept. Entries
// keep the order in which they were first added.
class ProfileStore {
 public:
  explicit ProfileStore(platform::Platform& platform);

  // Empties the store, then loads the file. False, with an error box owned by `owner`, when the file
  // cannot be opened or is larger than kMaxIniFileBytes; false without a box when memory runs out.
  bool Read(platform::WindowHandle owner, std::u16string_view path);
  // Writes the whole store over the file, atomically. False when the store is empty (the file is not
  // touched) or when the file cannot be written (with an error box).
  bool Save(platform::WindowHandle owner, std::u16string_view path);

  std::u16string GetString(std::u16string_view section, std::u16string_view key,
                           std::u16string_view defaultValue) const;
  // The value as a decimal number ("12abc" is 12, "abc" is 0); the default when absent or empty.
  std::int32_t GetInt(std::u16string_view section, std::u16string_view key, std::int32_t defaultValue) const;
  void SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  void SetInt(std::u16string_view section, std::u16string_view key, std::int32_t value);
  // Removes the entry; its section stays listed.
  void DeleteKey(std::u16string_view section, std::u16string_view key);
  void GetSectionNames(std::vector<std::u16string>& names) const;
  // The keys of one section in the order they were first added; none for a section not there.
  void GetKeyNames(std::u16string_view section, std::vector<std::u16string>& keys) const;

  // True when both hold the same entries in the same order, spelling included: what one store
  // would write is what the other would.
  bool SameContent(const ProfileStore& other) const;

  bool KoreanUi() const { return koreanUi_; }
  std::size_t EntryCount() const { return entries_.size() - removed_; }

 private:
  // A piece of `pool_`.
  struct Span {
    std::uint32_t at = 0;
    std::uint32_t size = 0;
  };
  struct Section {
    Span name;
    std::uint32_t hash = 0;  // FoldedIndex::Hash(name): the seed of its keys' hashes
  };
  struct Entry {
    static constexpr std::uint32_t kRemoved = UINT32_MAX;  // a removed entry, left out when writing

    std::uint32_t section = kRemoved;
    Span key;
    Span value;
  };

  std::u16string_view View(Span span) const { return std::u16string_view(pool_).substr(span.at, span.size); }
  // Appends the text to the pool.
  Span Keep(std::u16string_view text);
  // Releases a piece of the pool no entry refers to any more; rebuilds the pool once most of it is such.
  void Release(Span span);
  void Clear();
  std::uint32_t FindSection(std::u16string_view section) const;
  // The place of the section in the list, added at its end when new; `hash` is FoldedIndex::Hash(section).
  std::uint32_t SectionOf(std::u16string_view section, std::uint32_t hash);
  std::uint32_t FindEntry(std::uint32_t section, std::u16string_view key) const;
  // The hash of a key of the section: seeded by the section's own hash, so it can be known from the
  // section's name before the section is found.
  std::uint32_t KeyHash(std::u16string_view key, std::uint32_t section) const {
    return FoldedIndex::Hash(key, sections_[section].hash);
  }
  // `hash` is KeyHash(key, section).
  void Set(std::uint32_t section, std::uint32_t hash, std::u16string_view key, std::u16string_view value);
  // Drops removed entries from the list once they are the larger part, keeping the order.
  void Compact();
  void ShowOpenError(platform::WindowHandle owner, std::u16string_view path, bool saving);

  platform::Platform& platform_;
  bool koreanUi_;
  // Every section name, key and value lies in one pool: after a read the pool is the file's text and
  // they are pieces of it; what is set later is added at its end. A large file costs a few allocations
  // instead of two per key, and reading it again frees them at once.
  std::u16string pool_;
  std::size_t released_ = 0;  // characters of the pool nothing refers to
  std::vector<Section> sections_;
  // In the order the entries were first added; removed ones stay as gaps until the next Compact.
  std::vector<Entry> entries_;
  std::size_t removed_ = 0;
  // Sections and entries by their case-folded names, so that reading, writing and look-ups take time
  // in proportion to the file, however its keys are spread over sections.
  FoldedIndex sectionIndex_;
  FoldedIndex entryIndex_;
};

// True when the user or the system default language of the device is Korean.
bool IsKoreanUi(platform::Locale& locale);

// The file name shown in messages: the part of a path after its last backslash.
std::u16string_view FileNameOf(std::u16string_view path);

}  // namespace vexa
