#pragma once

#include "platform/Platform.h"
#include "platform/ui/UserInterface.h"

namespace vexa::deck {

// The launcher program: brings a running launcher forward and ends, or runs the launcher window until
// it closes. Answers the exit code.
int RunDeck(platform::Platform& platform, platform::ui::UserInterface& ui);

}  // namespace vexa::deck
