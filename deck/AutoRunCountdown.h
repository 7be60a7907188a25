#pragma once

#include "common/Environment.h"
#include "platform/ui/UserInterface.h"

namespace vexa::deck {

// What the automatic start after the launcher's start-up ended with.
enum class AutoRunResult { kNavigation, kImageViewer, kCancel };

// The count-down window of the automatic start: [Main] AutoRun "NAVI" counts down to the navigation
// program, "IMAGE" to the slide show; it runs when the count reaches 0 or "Run" is tapped, and
// "Return" cancels. It starts the navigation program itself; the slide show is the caller's.
AutoRunResult RunAutoRunCountdown(Environment& env, platform::ui::UserInterface& ui,
                                  platform::ui::Window* owner);

}  // namespace vexa::deck
