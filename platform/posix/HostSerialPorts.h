#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string_view>

#include "platform/SerialPorts.h"
#include "platform/posix/PseudoTerminal.h"
#include "platform/posix/SerialSource.h"

namespace vexa::platform {

// The device's serial ports on a desktop: each mapped port number opens its host source (a terminal
// device, a pseudo-terminal made at start-up, a replayed recording, a gpsd daemon). A name without a
// mapping, or whose source is missing or busy, fails to open as a missing port does on the device.
class HostSerialPorts : public SerialPorts {
 public:
  // Makes the pseudo-terminals of the ports mapped to "pty" at once and tells `messages` their
  // names: "VexaDeck: COM2: is /dev/pts/4". They stay for the lifetime of this object.
  HostSerialPorts(SerialPortMap ports, std::string_view program, std::ostream& messages);
  ~HostSerialPorts() override;

  std::unique_ptr<SerialPort> Open(std::u16string_view deviceName) override;

  // The slave path of the pseudo-terminal of port `number`; empty when it has none.
  std::string PseudoTerminalPath(int number) const;

 private:
  SerialPortMap ports_;
  std::map<int, std::unique_ptr<PseudoTerminal>> terminals_;
};

}  // namespace vexa::platform
