#pragma once

#include "platform/Platform.h"
#include "platform/ui/UserInterface.h"
#include "xrun/RunnerServices.h"

namespace vexa::xrun {

// The runner program: configuration mode when its command line starts with "CONFIG:", else the
// start-up window. Answers the exit code, 0.
int RunXRun(platform::Platform& platform, platform::ui::UserInterface& ui, const RunnerServices& services);

}  // namespace vexa::xrun
