#pragma once

#include <optional>

#include "common/Environment.h"
#include "common/gfx/Geometry.h"
#include "platform/ui/UserInterface.h"

namespace vexa::deck {

// "ScreenSize Setup": the preset sizes the device screen can hold, "Fit" for the screen itself, or a
// custom width and height. Given a size, it answers the chosen one, or nullopt on "Cancel".
std::optional<gfx::Size> RunScreenSizeDialog(Environment& env, platform::ui::UserInterface& ui,
                                             platform::ui::Window* owner, gfx::Size given);

}  // namespace vexa::deck
