#pragma once

#include <map>
#include <string>

#include "platform/FileSystem.h"
#include "platform/FileWatcher.h"
#include "platform/posix/UniqueFd.h"

namespace vexa::platform {

// The host's inotify behind the device folders: a watch on each folder's host folder, read without
// blocking whenever the changes are asked for.
class InotifyFileWatcher : public FileWatcher {
 public:
  // `files` maps device paths to the host's.
  explicit InotifyFileWatcher(FileSystem& files);

  bool Watch(std::u16string_view folder) override;
  void Clear() override;
  std::vector<FileChange> TakeChanges() override;

 private:
  FileSystem& files_;
  UniqueFd fd_;
  std::map<int, std::u16string> folders_;  // by watch descriptor
};

}  // namespace vexa::platform
