#include "xrun/XRunProgram.h"

#include "common/Environment.h"
#include "xrun/RunnerConfigDialog.h"
#include "xrun/RunnerWindow.h"

namespace vexa::xrun {

int RunXRun(platform::Platform& platform, platform::ui::UserInterface& ui, const RunnerServices& services) {
  Environment env(platform, Flavor::kRunner);
  if (const auto target = ConfigTargetOf(platform.commandLine)) {
    RunRunnerConfigDialog(env, ui, *target, services);
  } else {
    RunRunnerWindow(env, ui, services);
  }
  return 0;
}

}  // namespace vexa::xrun
