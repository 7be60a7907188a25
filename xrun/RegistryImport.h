#pragma once

#include <string_view>

#include "platform/Platform.h"

namespace vexa::xrun {

// Imports one registry file (the "REGEDIT4" text form) into the device registry: keys are created and
// values set, nothing is deleted. `path` is the file's full device path, as shown in the messages;
// `programDir` is the runner's own folder without a trailing "\" (what "%InstallDir%" stands for).
// Messages go through platform.messageBoxes. False only when the file cannot be opened or read, or
// is not a registry file; single lines never fail the import.
bool ImportRegistryFile(platform::Platform& platform, std::u16string_view path, std::u16string_view programDir);

}  // namespace vexa::xrun
