#include "platform/posix/HostSerialPorts.h"

#include "common/text/Text.h"
#include "platform/posix/GpsdSerialPort.h"
#include "platform/posix/ReplaySerialPort.h"
#include "platform/posix/TermiosSerialPort.h"

namespace vexa::platform {

HostSerialPorts::HostSerialPorts(SerialPortMap ports, std::string_view program, std::ostream& messages)
    : ports_(std::move(ports)) {
  for (const auto& [number, source] : ports_) {
    if (source.kind != SerialSource::Kind::kPty) continue;
    const std::string name = text::ToUtf8(SerialPortName(number));
    if (auto terminal = PseudoTerminal::Create()) {
      messages << program << ": " << name << " is " << terminal->slavePath() << std::endl;
      terminals_[number] = std::move(terminal);
    } else {
      messages << program << ": " << name << " has no pseudo-terminal: the host gave none" << std::endl;
    }
  }
}

HostSerialPorts::~HostSerialPorts() = default;

std::unique_ptr<SerialPort> HostSerialPorts::Open(std::u16string_view deviceName) {
  const std::optional<int> number = SerialPortNumber(deviceName);
  if (!number) return nullptr;
  const auto mapped = ports_.find(*number);
  if (mapped == ports_.end()) return nullptr;
  const SerialSource& source = mapped->second;
  switch (source.kind) {
    case SerialSource::Kind::kDevice: return TermiosSerialPort::Open(source.path);
    case SerialSource::Kind::kFile: return ReplaySerialPort::Open(source.path);
    case SerialSource::Kind::kGpsd: return GpsdSerialPort::Open(source.host, source.port);
    case SerialSource::Kind::kScript: return nullptr;  // only the headless mode's scenario feeds it
    case SerialSource::Kind::kPty: {
      const auto terminal = terminals_.find(*number);
      return terminal == terminals_.end() ? nullptr : terminal->second->OpenPort();
    }
  }
  return nullptr;
}

std::string HostSerialPorts::PseudoTerminalPath(int number) const {
  const auto terminal = terminals_.find(number);
  return terminal == terminals_.end() ? std::string() : terminal->second->slavePath();
}

}  // namespace vexa::platform
