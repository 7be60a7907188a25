#pragma once

#include "platform/EffectLog.h"
#include "platform/FileSystem.h"
#include "platform/FolderPicker.h"

namespace vexa::platform {

class QtUserInterface;

// The folder picker of a desktop run: a dialog of ours with the device's folder tree (through the
// device's file system, never the host's), the root "\" at the top and each folder's subfolders read
// when it is opened. It answers the chosen device path ("\Storage Card\Music"), "\" for the root, or
// an empty text when cancelled. The title is the line shown above the tree. Logged as
// "folder_dialog" {title, answer}, as in the headless mode.
class QtFolderPicker : public FolderPicker {
 public:
  QtFolderPicker(QtUserInterface& ui, FileSystem& files, EffectLog& log) : ui_(ui), files_(files), log_(log) {}
  std::u16string Browse(WindowHandle owner, std::u16string_view title) override;

 private:
  QtUserInterface& ui_;
  FileSystem& files_;
  EffectLog& log_;
};

}  // namespace vexa::platform
