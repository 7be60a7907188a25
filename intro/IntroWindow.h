#pragma once

#include "common/Environment.h"
#include "common/ProfileStore.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

namespace vexa::intro {

// The controls of the logo window and of the settings window, as a scenario names them.
enum IntroControl : int {
  kLogo = 1000,
  kHint = 1001,
  kSettingsButton = 1002,  // "설정"
  kCloseButton = 1003,     // "닫기"
  kNaviButton = 1004,      // "Navi"
  kDeckButton = 1005,      // "VexaDeck"
  kToolbarButton = 1006,   // "VexaTBar"
  kWindowsButton = 1007,   // "Windows"
};
enum IntroSettingsControl : int {
  kSettingsOk = 1,
  kSettingsCancel = 2,
  kDeckCaption = 1101,
  kDeckPath = 1102,  // the path as a wide button: opens the file chooser
  kDeckRun = 1103,
  kNaviCaption = 1104,
  kNaviPath = 1105,
  kNaviRun = 1106,
  kToolbarCaption = 1107,
  kToolbarPath = 1108,
  kToolbarRun = 1109,
  kWindowsCaption = 1110,
  kWindowsMode = 1111,
};

// The logo window's one timer: the start-up, 1500 ms after the window opens or 100 ms after saving.
inline constexpr int kStartTimer = 1;

inline constexpr char16_t kIntroTitle[] = u"VexaIntro";
inline constexpr char16_t kIntroSettingsTitle[] = u"환경설정";

// The settings window on the intro's store; OK (with every program to run given a path) sets the
// store and answers true. Nothing is saved here.
bool RunIntroSettings(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                      ProfileStore& store);

// The logo window: after 1500 ms (unless the logo is tapped) it switches to Windows mode and starts
// the programs chosen in "\VexaIntro.ini" beside the program, then closes.
void RunIntroWindow(Environment& env, platform::ui::UserInterface& ui);

}  // namespace vexa::intro
