#include "deck/SkinWatch.h"

#include <algorithm>

#include "common/IniText.h"
#include "common/ProfileStore.h"
#include "common/text/Text.h"
#include "deck/SkinFile.h"

namespace vexa::deck {

namespace {

constexpr std::u16string_view kCommonFolder = u"_Common";
// A skin holds a handful of folders (button, background, gauge, Font, wave); a tree of more is not a
// skin's, and only this many are watched.
constexpr std::size_t kMaxFolders = 64;

bool EndsWithNoCase(std::u16string_view text, std::u16string_view end) {
  return text.size() >= end.size() && text::EqualsNoCase(text.substr(text.size() - end.size()), end);
}

// Files that editors and savers write beside the one they save: hidden files, backups, swap files,
// the probe file some editors make to test a folder, and the scratch copy of an atomic save.
bool IsScratchFile(std::u16string_view name) {
  if (name.empty()) return false;
  if (name.front() == u'.' || name.front() == u'#' || name.back() == u'~') return true;
  if (name == u"4913") return true;
  for (std::u16string_view end : {u".swp", u".swx", u".tmp", u".bak", u".part"}) {
    if (EndsWithNoCase(name, end)) return true;
  }
  return false;
}

std::u16string_view WithoutTrailingBackslash(std::u16string_view path) {
  while (path.size() > 1 && path.back() == u'\\') path.remove_suffix(1);
  return path;
}

}  // namespace

void SkinWatch::Follow(std::u16string_view skinFolder, std::u16string_view skinName,
                       std::u16string_view skinFile) {
  watcher_.Clear();
  folders_.clear();
  const std::u16string root(skinFolder);
  ownFolder_ = std::u16string(WithoutTrailingBackslash(root + std::u16string(skinName)));
  skinFileName_ = std::u16string(FileNameOf(skinFile));
  WatchTree(ownFolder_);
  WatchTree(std::u16string(WithoutTrailingBackslash(root + std::u16string(kCommonFolder))));
}

void SkinWatch::WatchTree(const std::u16string& folder) {
  if (folders_.size() >= kMaxFolders || !files_.IsDirectory(folder)) return;
  if (watcher_.Watch(folder)) folders_.push_back(folder);
  // One level down: the button, background, gauge, Font and wave folders.
  for (const auto& entry : files_.Find(folder + u"\\*.*")) {
    if (folders_.size() >= kMaxFolders) break;
    if (!entry.directory || entry.name == u"." || entry.name == u"..") continue;
    const std::u16string inner = folder + u"\\" + entry.name;
    if (watcher_.Watch(inner)) folders_.push_back(inner);
  }
}

SkinChange SkinWatch::Classify(const platform::FileChange& change) const {
  // A watched folder that went away, or changes the host lost count of.
  if (change.name.empty()) return SkinChange::kFiles;
  if (IsScratchFile(change.name)) return SkinChange::kNone;
  const bool own = text::EqualsNoCase(WithoutTrailingBackslash(change.folder), ownFolder_);
  if (own && text::EqualsNoCase(change.name, skinFileName_)) return SkinChange::kSkinFile;
  // The skin files of other screens are not shown.
  if (own && EndsWithNoCase(change.name, u".ini")) return SkinChange::kNone;
  return SkinChange::kFiles;
}

SkinChange SkinWatch::Take() {
  SkinChange seen = SkinChange::kNone;
  for (const platform::FileChange& change : watcher_.TakeChanges()) seen = std::max(seen, Classify(change));
  return seen;
}

std::string ReadSkinForReload(platform::Platform& platform, std::u16string_view skinFile, ProfileStore& store) {
  if (!platform.files.Exists(skinFile)) return "the skin file is gone";
  const std::optional<std::string> bytes = platform.files.ReadWholeFile(skinFile, kMaxIniFileBytes);
  if (!bytes) return "the skin file cannot be read";
  // Read only once it is known to be readable, so no error box comes up over the launcher.
  if (!store.Read(platform::kNoWindow, skinFile)) return "the skin file cannot be read";
  std::vector<std::u16string> sections;
  store.GetSectionNames(sections);
  if (std::none_of(sections.begin(), sections.end(), [](const std::u16string& s) { return IsElementSection(s); })) {
    return "the skin file has no elements";
  }
  return {};
}

}  // namespace vexa::deck
