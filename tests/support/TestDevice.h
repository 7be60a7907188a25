#pragma once

#include <string>
#include <string_view>

#include "platform/DeviceLocale.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/headless/RecordingProcesses.h"
#include "platform/headless/ScriptedMessageBoxes.h"
#include "platform/posix/PosixFileSystem.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::testing {

// A small device for tests: a temporary device tree with "\Windows\Desktop" and "\Windows\Programs",
// the real file system adapter on it, processes that are only recorded, scripted message boxes, and
// a language of the test's choosing. The running program is given by its device path.
class TestDevice {
 public:
  explicit TestDevice(std::u16string modulePath = u"\\Storage Card\\VexaDeck\\VexaDeck.exe",
                      std::uint16_t langId = platform::kLangEnglishUs);

  TempDeviceTree tree;
  platform::PosixFileSystem files;
  platform::RecordingProcesses processes;
  platform::ScriptedMessageBoxes messageBoxes;
  platform::DeviceLocale locale;
  platform::Shell shell;
  platform::Platform platform;

  // The texts of the message boxes shown so far, as "caption|text".
  std::vector<std::u16string> Boxes() const;
};

}  // namespace vexa::testing
