#pragma once

#include "common/Environment.h"
#include "platform/ui/UserInterface.h"
#include "xrun/RunnerServices.h"

namespace vexa::xrun {

// The runner's start-up window: its picture and, for the first second, the hint that a tap starts the
// configuration. Two seconds after it opens it imports the Reg slots' registry files, starts the Run
// slots' programs and closes; a tap while the hint shows starts the configuration copy instead.
void RunRunnerWindow(Environment& env, platform::ui::UserInterface& ui, const RunnerServices& services);

// The runner's configuration cycle: copies the running program to its "_tmp.exe" name and starts the
// copy with "CONFIG:" and the program's own path. False when the copy could not be made (the error
// has been shown).
bool StartConfigurationCopy(Environment& env, platform::WindowHandle owner);

}  // namespace vexa::xrun
