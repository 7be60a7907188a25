#pragma once

#include <optional>
#include <string>

#include "toolbar/ToolbarHost.h"

// The controls of the hot-key setup window "SetUp Hotkey", as a scenario names them.
namespace vexa::toolbar {

enum HotkeyControl : int {
  kHotkeySave = 1,
  kHotkeyReturn = 2,
  kHotkeyGroup = 1001,  // "메모리-1"
  kHotkeyShow = 1002,
  kHotkeyShortNameLabel = 1003,
  kHotkeyShortName = 1004,
  kHotkeyTitleLabel = 1005,
  kHotkeyTitle = 1006,
  kHotkeyPathLabel = 1007,
  kHotkeyPath = 1008,
  kHotkeyBrowse = 1009,
  kHotkeyExecute = 1010,
  kHotkeyMessage = 1011,
  kHotkeyMinimize = 1012,
};

inline constexpr char16_t kHotkeySetupTitle[] = u"SetUp Hotkey";

// RunHotkeySetup over another window of the toolbar (the task manager, the settings window).
bool RunHotkeySetupOver(ToolbarHost& host, int number, std::optional<std::u16string> fromTitle,
                        platform::ui::Window* owner);

}  // namespace vexa::toolbar
