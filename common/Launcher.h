#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/PathTokens.h"
#include "platform/Platform.h"

namespace vexa {

// The messages a launch failure shows: the path, then one of these texts, under the caption.
struct LaunchTexts {
  std::u16string caption;
  std::u16string unknownType;  // the path has no "."
  std::u16string unsupported;  // the extension is neither exe nor lnk
  std::u16string cannotRun;    // the process could not be started
  std::u16string notFound;     // the shortcut file cannot be opened

  static LaunchTexts For(Flavor flavor, bool koreanUi);
};

// What a shortcut file starts: the target program and the command line handed to it, made of the
// arguments written after the target (empty when there are none).
struct ShortcutCommand {
  std::u16string target;
  std::u16string arguments;
};

// Splits the text of a shortcut file ("27#"\Storage Card\Navi\navi.exe"") into target and arguments.
// `isProgram` tells whether a device path names an existing program file: it settles an unquoted
// target holding blanks, which is cut after the longest leading part naming a program.
ShortcutCommand ParseShortcut(std::u16string_view text,
                              const std::function<bool(std::u16string_view)>& isProgram);

// Starts program files (".exe") and shortcut files (".lnk") named by device paths, reporting every
// failure in a message box.
class Launcher {
 public:
  // `passesArguments` is false for the toolbar, whose launches never hand on a caller's arguments.
  Launcher(platform::Platform& platform, const PathTokens& paths, LaunchTexts texts, bool passesArguments)
      : platform_(platform), paths_(paths), texts_(std::move(texts)), passesArguments_(passesArguments) {}

  // True when a process was started, or the shortcut was empty.
  bool Launch(platform::WindowHandle owner, std::u16string_view path, std::u16string_view arguments = {});

 private:
  bool LaunchShortcut(platform::WindowHandle owner, const std::u16string& path, std::u16string_view arguments);
  bool Start(platform::WindowHandle owner, const std::u16string& program, std::u16string_view commandLine);
  void Report(platform::WindowHandle owner, std::u16string_view path, std::u16string_view message);

  platform::Platform& platform_;
  const PathTokens& paths_;
  LaunchTexts texts_;
  bool passesArguments_;
};

}  // namespace vexa
