#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/Environment.h"
#include "platform/ui/UserInterface.h"
#include "xrun/RunnerServices.h"

namespace vexa::xrun {

// The configuration dialog "Vexa XRun 1.0a Config": the six slots of the runner program at `target`,
// one row each, shown as the running program reads its own slots (the configuration copy of the
// target reads the target's settings). OK writes the six fields into the target's image and saves it;
// Cancel leaves the file alone. True when the target was saved.
bool RunRunnerConfigDialog(Environment& env, platform::ui::UserInterface& ui, std::u16string_view target,
                           const RunnerServices& services);

// The command line of configuration mode: "CONFIG:" in any letter case, then the target's path,
// taken unchanged. Nullopt for any other command line.
std::optional<std::u16string> ConfigTargetOf(std::u16string_view commandLine);

// What the "%s" button makes of a Run field: nothing on an empty field; " %s" at its end (in any
// letter case) taken off, otherwise put on.
std::u16string ToggleArgumentsSuffix(std::u16string_view field);

}  // namespace vexa::xrun
