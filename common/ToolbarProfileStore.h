#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/IniText.h"
#include "common/Launcher.h"
#include "common/PathTokens.h"
#include "platform/Platform.h"

namespace vexa {

// The toolbar's settings store, an older form of ProfileStore that also carries the toolbar's path and
// launch services. It differs from ProfileStore in that:
// - it holds at most 500 entries in at most 100 sections; lines beyond that are left out (a file
//   larger than kMaxIniFileBytes is refused as unreadable, as by ProfileStore);
// - it speaks Korean only and keeps its owner window itself;
// - reading keeps every key line, duplicates included (look-ups find the first), trims every value
//   and expands "%STORAGE%" in every value as it is read;
// - its byte texts are in the device's code page when the toolbar runs from "\Storage Card", in the
//   Korean code page otherwise.
class ToolbarProfileStore {
 public:
  static constexpr std::size_t kMaxEntries = 500;
  static constexpr std::size_t kMaxSections = 100;

  explicit ToolbarProfileStore(platform::Platform& platform, platform::WindowHandle owner = platform::kNoWindow);
  // Its launcher refers to its own path tokens, so a copy or a moved store would launch through the
  // tokens of another (perhaps destroyed) store: it stays where it was made.
  ToolbarProfileStore(const ToolbarProfileStore&) = delete;
  ToolbarProfileStore& operator=(const ToolbarProfileStore&) = delete;

  void SetOwner(platform::WindowHandle owner) { owner_ = owner; }

  bool Read(std::u16string_view path);
  bool Save(std::u16string_view path);

  std::u16string GetString(std::u16string_view section, std::u16string_view key,
                           std::u16string_view defaultValue) const;
  std::int32_t GetInt(std::u16string_view section, std::u16string_view key, std::int32_t defaultValue) const;
  void SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  void SetInt(std::u16string_view section, std::u16string_view key, std::int32_t value);
  void DeleteKey(std::u16string_view section, std::u16string_view key);
  void GetSectionNames(std::vector<std::u16string>& names) const { names = sections_; }
  std::size_t EntryCount() const { return entries_.size(); }

  std::u16string GetPath(int code) const { return paths_.GetPath(code); }
  std::u16string ExpandStorage(std::u16string_view path) const { return paths_.ExpandStorage(path); }
  // Starts a program or shortcut; a program file gets an empty command line.
  bool Launch(std::u16string_view path) { return launcher_.Launch(owner_, path); }

  // The code page of the toolbar's byte texts.
  std::uint16_t CodePage() const;

 private:
  using Entry = IniEntry;

  void Clear();
  // Adds an entry, and its section when new, as long as there is room.
  void Append(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  // The section's place in the list, or Entry::kRemoved when it is not there.
  std::uint32_t FindSection(std::u16string_view section) const;
  Entry* Find(std::u16string_view section, std::u16string_view key);
  const Entry* Find(std::u16string_view section, std::u16string_view key) const;
  void ShowOpenError(std::u16string_view path);

  platform::Platform& platform_;
  platform::WindowHandle owner_;
  std::vector<std::u16string> sections_;
  std::vector<Entry> entries_;
  PathTokens paths_;
  Launcher launcher_;
};

}  // namespace vexa
