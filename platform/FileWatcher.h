#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexa::platform {

// One change seen in a watched folder.
struct FileChange {
  std::u16string folder;  // the watched folder, as given to Watch
  std::u16string name;    // the file made, written, renamed or removed in it; empty: the folder itself went
  bool operator==(const FileChange&) const = default;
};

// Tells which files of some device folders changed. The owner asks for the changes from its window
// thread (a timer), so nothing arrives on another thread and nothing is ever waited for.
class FileWatcher {
 public:
  virtual ~FileWatcher() = default;
  // Starts watching one folder (its files, not its sub-folders). False when it cannot be watched: it
  // is not there, or the host refuses more watches.
  virtual bool Watch(std::u16string_view folder) = 0;
  // Stops watching every folder; changes not yet taken are dropped.
  virtual void Clear() = 0;
  // The changes seen since the last call, oldest first; empty when there are none.
  virtual std::vector<FileChange> TakeChanges() = 0;
};

}  // namespace vexa::platform
