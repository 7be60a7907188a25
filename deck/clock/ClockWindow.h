#pragma once

#include "common/Environment.h"
#include "common/gfx/Geometry.h"
#include "platform/ui/UserInterface.h"

namespace vexa::deck {

// The clock window's title, by which scenarios and other programs name it.
inline constexpr std::u16string_view kClockTitle = u"Clock";

// The full-screen clock: date and weekday, AM/PM, a large time and the day's message over a day or
// night picture, as the clock file "\Clock\default.ini" sets them, until Return is tapped. `screen`
// is the launcher's screen size. Returns when the window closes.
void RunClockWindow(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                    gfx::Size screen);

}  // namespace vexa::deck
