#pragma once

#include <optional>

#include "platform/SerialPorts.h"

namespace vexa::platform {

// The line settings of a host terminal device, through termios2 so that every rate can be set, the
// non-standard ones (14400, 19600) among them. Kept apart from <termios.h>, whose definitions clash
// with the kernel's.

// Raw mode: no echo, no line editing, no signals, no character translation either way, 8 bits
// through; the receiver is on and modem lines are ignored.
bool MakeRawLine(int fd);
// Baud, byte size, parity, stop bits, parity check and flow control as the device reads them back.
// stripNull is false (the host's drivers do not strip NUL bytes; the port does that itself).
// Nullopt when `fd` is not a terminal.
std::optional<SerialSettings> GetLineSettings(int fd);
// False for settings the line cannot take: a byte size outside 5 to 8, a rate of 0, one and a half
// stop bits with more than 5 data bits or two with 5, or a driver that refuses them.
bool SetLineSettings(int fd, const SerialSettings& settings);

}  // namespace vexa::platform
