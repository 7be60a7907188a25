#pragma once

#include <string>

#include "common/Environment.h"
#include "gpstime/GpsTimeSettings.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

namespace vexa::gpstime {

// The controls of the main window and of the settings dialog, as a scenario names them.
enum GpsTimeControl : int {
  kConfig = 1001,         // opens the settings dialog, then tries again
  kReturn = 1002,         // ends the program
  kDecoration = 1003,     // the satellite
  kStatusCaption = 1004,  // "상태:"
  kStatus = 1005,         // the attempt's progress and failures
  kDateLine = 1006,       // "2008.01.05", shown once the clock was set
  kTimeLine = 1007,       // "오전 10:00:00"
};
enum GpsTimeSettingsControl : int {
  kSettingsOk = 1,
  kSettingsCancel = 2,
  kPortCaption = 1101,
  kPortList = 1102,
  kSpeedCaption = 1103,
  kSpeedList = 1104,
  kExitCaption = 1105,
  kExitCheck = 1106,
};

// The main window's timers: the next attempt, the end after a success, the running clock.
inline constexpr int kAttemptTimer = 1;
inline constexpr int kExitTimer = 2;
inline constexpr int kClockTimer = 3;

inline constexpr char16_t kMainTitle[] = u"Vexa GPS Time";
inline constexpr char16_t kSettingsTitle[] = u"환경 설정";

// The settings file beside the program.
std::u16string SettingsPath(Environment& env);
// Reads the settings file into the table; a missing, unreadable or oversized file leaves it empty.
void LoadSettings(Environment& env, SettingsTable& table);

// "2008.01.05" and "오전 10:00:00" / "오후 1:05:09" of a local time.
std::u16string DateLine(const platform::DateTime& t);
std::u16string TimeLine(const platform::DateTime& t);

// The settings dialog: the port, the speed and whether to end after a success. OK sets them in the
// table and writes the file (a file that cannot be written is reported and the dialog stays open).
// True when OK closed it.
bool RunSettingsDialog(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                       SettingsTable& table);

// The program's main window: tries to set the clock from the receiver 500 ms after it opens and then
// every second until it succeeds, then shows the running clock. Returns when the window closes.
void RunGpsTimeWindow(Environment& env, platform::ui::UserInterface& ui);

}  // namespace vexa::gpstime
