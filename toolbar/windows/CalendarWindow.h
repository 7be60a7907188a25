#pragma once

#include <string>

#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "toolbar/ToolbarHost.h"

// The toolbar's calendar window and the texts of its date and time lines.
namespace vexa::toolbar {

enum CalendarControl : int {
  kCalendarReturn = 2,
  kCalendarMonth = 1001,
  kCalendarDate = 1002,    // "2026.12.09(수)"
  kCalendarTime = 1003,    // "오전 2:45:00"
  kCalendarGpsTime = 1004,
};

inline constexpr char16_t kToolbarCalendarTitle[] = u"Calendar";
inline constexpr int kCalendarTimer = 1;
inline constexpr int kCalendarTickMs = 1000;

// "2026.12.09(W)": the date with the first character of the weekday's full name in the device's
// language (none without locale names).
std::u16string CalendarDateLine(const platform::DateTime& time, platform::LocaleNames* names);
// "오전 0:30:00", "오후 1:05:09": the half of the day, then the hour less 12 past noon.
std::u16string CalendarTimeLine(const platform::DateTime& time);

// The GPS time window over another window of the toolbar (the calendar).
void RunToolbarGpsTimeOver(ToolbarHost& host, platform::ui::Window* owner);

}  // namespace vexa::toolbar
