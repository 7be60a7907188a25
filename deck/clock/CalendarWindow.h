#pragma once

#include "common/Environment.h"
#include "common/gfx/Geometry.h"
#include "platform/ui/UserInterface.h"

namespace vexa::deck {

// The calendar window's title, by which scenarios and other programs name it.
inline constexpr std::u16string_view kCalendarTitle = u"Calendar";

// The full-screen month calendar on white, opened at the current month, until Return is tapped. It
// changes nothing. `screen` is the launcher's screen size. Returns when the window closes.
void RunCalendarWindow(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                       gfx::Size screen);

}  // namespace vexa::deck
