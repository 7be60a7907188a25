#pragma once

#include <string>

#include "deck/gps/GpsTimeAttempt.h"
#include "platform/Clock.h"
#include "platform/ClockSetter.h"
#include "platform/SerialPorts.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

namespace vexa::gps {

// The control numbers of the GPS time dialog, as a scenario names them.
enum GpsTimeControl : int {
  kGpsTimeOk = 1,          // the toolbar's OK button (an icon)
  kGpsTimeReturn = 2,      // the launcher's "Return" button
  kGpsTimePicture = 1001,  // the satellite beside the status
  kGpsTimeStatusCaption = 1002,
  kGpsTimeStatus = 1003,
  kGpsTimeDate = 1004,     // "2026.12.08", shown after success
  kGpsTimeTime = 1005,     // "HR 21:35:09", shown after success
};

// The dialog's timers: the next attempt, and the close after a success.
inline constexpr int kGpsTimeAttemptTimer = 1;
inline constexpr int kGpsTimeCloseTimer = 2;

// The launcher's look (a "Return" button, English captions) or the toolbar's (an OK button with an
// icon, Korean captions). The attempt's own texts come with the options.
enum class GpsTimeLook { kLauncher, kToolbar };

// What the dialog runs with; every device service it needs is handed in, so that the launcher and the
// toolbar share it.
struct GpsTimeDialogServices {
  platform::ui::UserInterface& ui;
  platform::Clock& clock;
  platform::ClockSetter* clockSetter = nullptr;  // null: a good sentence cannot set the clock
  platform::SerialPorts* ports = nullptr;        // null: every port fails to open
  platform::ui::Resources* resources = nullptr;  // the satellite picture and the OK button's icon
};

struct GpsTimeDialogOptions {
  std::u16string title = u"GPS Time";
  GpsTimeLook look = GpsTimeLook::kLauncher;
  GpsTimeOptions attempt;
  // The satellite picture of the program's resources (the launcher's 197); 0 for none.
  int picture = 0;
  // The toolbar's OK button icon (165), drawn at 24 × 24.
  int okIcon = 0;
  platform::ui::Window* owner = nullptr;
  // Above top-most windows too (the toolbar, which stays on top, opens it).
  bool topMost = false;
};

// Runs the GPS time dialog modally: an attempt 100 ms after it opens and then every second until one
// sets the clock (the date and time it then shows close the dialog 100 ms later) or the user presses
// Return. The port is opened and closed within each attempt. Answers 0.
int RunGpsTimeDialog(const GpsTimeDialogServices& services, const GpsTimeDialogOptions& options);

}  // namespace vexa::gps
