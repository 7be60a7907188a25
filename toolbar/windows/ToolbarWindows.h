#pragma once

#include <optional>
#include <string>

#include "toolbar/ToolbarHost.h"

// The toolbar's own windows, opened by its buttons.
namespace vexa::toolbar {

// Task: the toolbar's variant of the task list, opened beside the Task button (control 1002). Answers
// true when a hot-key setup opened from it was saved; the toolbar has then been laid out again
// (host.Relayout() once the task manager closed).
bool RunTaskManager(ToolbarHost& host);

// The hot-key setup window "SetUp Hotkey" for program button `number` (1 to 5). With a window title
// it is pre-filled from that window (task manager); without, from the section's current values.
// Answers true when it was saved (the store and the file then hold the new values).
bool RunHotkeySetup(ToolbarHost& host, int number, std::optional<std::u16string> fromTitle);

// The clock label's text at that time of day, for the toolbar's icon size.
std::u16string ClockLabelText(int hour, int minute, int second, int iconSize);

// Clock: the calendar window with its date and time lines and its GPS Time button.
void RunCalendar(ToolbarHost& host);

// The GPS time window with the toolbar's settings (section GpsTime of the toolbar's file).
void RunToolbarGpsTime(ToolbarHost& host);

// Home: the settings window "SetUp Toolbar". Answers true on Save (the file was written and
// host.ApplyClockSetting() has run); Return has read the file again and laid the toolbar out again.
bool RunToolbarSetup(ToolbarHost& host);

}  // namespace vexa::toolbar
