#pragma once

#include <string>

namespace vexa::platform {

// The host path of the running program file, as /proc/self/exe links to it; empty when it cannot be
// read.
std::string HostExecutablePath();

}  // namespace vexa::platform
