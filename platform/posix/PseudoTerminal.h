#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/SerialPorts.h"
#include "platform/posix/UniqueFd.h"

namespace vexa::platform {

// A pseudo-terminal that stands in for a serial port: whatever another program writes to its slave
// side (/dev/pts/N: a script, a GPS simulator) the port reads from the master side, and what the port
// writes comes out there.
//
// The slave side is put in raw mode and kept open as long as this object lives, so that writers may
// come and go without the line hanging up, and the name stays valid for the program's lifetime.
class PseudoTerminal {
 public:
  // Null when the host gives no pseudo-terminal.
  static std::unique_ptr<PseudoTerminal> Create();
  ~PseudoTerminal();

  // "/dev/pts/4"
  const std::string& slavePath() const { return slavePath_; }
  // The port on the master side; null while the port given out before is still open (the port is
  // not shared).
  std::unique_ptr<SerialPort> OpenPort();

 private:
  PseudoTerminal(UniqueFd master, UniqueFd slave, std::string slavePath);

  UniqueFd master_;
  UniqueFd slave_;
  std::string slavePath_;
  std::shared_ptr<std::atomic<bool>> inUse_;
};

}  // namespace vexa::platform
