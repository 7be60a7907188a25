#pragma once

#include <cstdint>

namespace vexa::platform {

// Identifies one window of the device. The user-interface layer hands these out; 0 is "no window".
using WindowHandle = std::uint32_t;
inline constexpr WindowHandle kNoWindow = 0;

}  // namespace vexa::platform
