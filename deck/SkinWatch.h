#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ProfileStore.h"
#include "platform/FileSystem.h"
#include "platform/FileWatcher.h"

namespace vexa::deck {

// What a batch of changes touched of the shown skin.
enum class SkinChange {
  kNone,      // nothing of the skin: another screen's skin file, an editor's scratch file
  kSkinFile,  // only the skin file that is shown
  kFiles,     // pictures, sounds, fonts or folders of the skin (perhaps the skin file as well)
};

// Follows the files of the shown skin: its own folder and each folder in it, and the shared common
// folder and each folder in that, for the launcher to load the skin again when one of them changes.
class SkinWatch {
 public:
  SkinWatch(platform::FileSystem& files, platform::FileWatcher& watcher) : files_(files), watcher_(watcher) {}

  // Watches the skin `skinName` of `skinFolder` (ending with "\"), shown from `skinFile`. Folders
  // made or removed since are taken in: this is called again after every load.
  void Follow(std::u16string_view skinFolder, std::u16string_view skinName, std::u16string_view skinFile);
  // Takes the changes seen since the last call and tells what they touched.
  SkinChange Take();

  // The folders watched now.
  const std::vector<std::u16string>& folders() const { return folders_; }

 private:
  void WatchTree(const std::u16string& folder);
  SkinChange Classify(const platform::FileChange& change) const;

  platform::FileSystem& files_;
  platform::FileWatcher& watcher_;
  std::u16string ownFolder_;     // the skin's own folder, without the trailing "\"
  std::u16string skinFileName_;  // "skin800x480.ini"
  std::vector<std::u16string> folders_;
};

// Reads the skin file into `store` and tells why it cannot be shown any more, in words for the log;
// empty when it can be: it is there, it can be read and it has at least one element.
std::string ReadSkinForReload(platform::Platform& platform, std::u16string_view skinFile, ProfileStore& store);

}  // namespace vexa::deck
