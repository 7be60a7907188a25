#pragma once

#include "common/gfx/Geometry.h"

namespace vexa::toolbar {

// Where a list window opened beside a toolbar button goes (the group lists and the task manager).
// Horizontal toolbar: below the button when the button's centre is in the upper half of the screen or
// the list fits below it, otherwise above it (never above the screen top); its left edge is the
// toolbar's, pulled left when it would pass the screen's right edge. A vertical toolbar follows the
// same rule sideways.
gfx::Point PlaceBesideButton(gfx::Rect button, gfx::Rect toolbar, gfx::Size list, gfx::Size screen, bool vertical);

}  // namespace vexa::toolbar
