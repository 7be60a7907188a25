#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/WindowList.h"

namespace vexa::toolbar {

// The program in front, as Kill and the keyboard find it: the top-level windows that are visible,
// have a title and are not the desktop (at most 256, top of the z-order first), of which the first
// that is not one of the toolbar's own windows (`ours`, by title). The toolbar, being top-most, is
// normally the first window, so this is the second; when another top-most window lies above the
// toolbar, that window is the one in front, and the toolbar itself is never taken.
std::optional<platform::ui::ForeignWindow> FindFrontWindow(platform::ui::WindowList& windows,
                                                           const std::vector<std::u16string>& ours);

}  // namespace vexa::toolbar
