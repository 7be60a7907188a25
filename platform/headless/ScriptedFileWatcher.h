#pragma once

#include <string>
#include <vector>

#include "platform/EffectLog.h"
#include "platform/FileWatcher.h"

namespace vexa::platform {

// The headless file watcher: the scenario says which files changed (Notify), so a run sees the same
// changes at the same virtual moments every time. Logs "file_watch" {folder} for every folder watched
// and "file_changed" {path, watched} for every change reported, watched telling whether a watched
// folder holds the file (only those are handed on).
class ScriptedFileWatcher : public FileWatcher {
 public:
  explicit ScriptedFileWatcher(EffectLog& log) : log_(log) {}

  bool Watch(std::u16string_view folder) override;
  void Clear() override;
  std::vector<FileChange> TakeChanges() override;

  // A file of the device changed: "\Storage Card\VexaDeck\Skin\Default\skin800x480.ini". A path
  // naming a watched folder itself reports the folder as gone.
  void Notify(std::u16string_view path);

  const std::vector<std::u16string>& folders() const { return folders_; }

 private:
  EffectLog& log_;
  std::vector<std::u16string> folders_;
  std::vector<FileChange> pending_;
};

}  // namespace vexa::platform
