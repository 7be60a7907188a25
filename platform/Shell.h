#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace vexa::platform {

// The device shell's special folders and shortcut files.
class Shell {
 public:
  static constexpr int kProgramsFolder = 2;  // the Programs menu
  static constexpr int kDesktopFolder = 16;  // the desktop

  Shell(FileSystem& files, Locale& locale) : files_(files), locale_(locale) {}

  // The device folder of a special-folder code: 2 is "\Windows\Programs", 16 "\Windows\Desktop".
  // Nothing is created: empty for other codes and when the folder does not exist.
  std::u16string SpecialFolder(int code);

  // Writes a shortcut file in the device's own form, the target's length in characters, "#" and the
  // target, as byte text in the ANSI code page: "27#"\Storage Card\Navi\navi.exe"". Fails, leaving
  // the file alone, when a file of that name exists already or the folder is missing.
  bool CreateShortcut(std::u16string_view shortcutPath, std::u16string_view target);

 private:
  FileSystem& files_;
  Locale& locale_;
};

}  // namespace vexa::platform
