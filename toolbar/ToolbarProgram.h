#pragma once

#include "platform/Platform.h"
#include "platform/ui/UserInterface.h"

namespace vexa::toolbar {

// The toolbar program: one at a time. When a window titled as the toolbar exists (the toolbar, or
// its icon while minimised) it is brought forward and the program ends; otherwise the toolbar runs
// until it is closed. Answers the exit code, 0.
int RunToolbar(platform::Platform& platform, platform::ui::UserInterface& ui);

}  // namespace vexa::toolbar
