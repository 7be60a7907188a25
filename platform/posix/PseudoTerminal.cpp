#include "platform/posix/PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/posix/TermiosLine.h"
#include "platform/posix/TermiosSerialPort.h"

namespace vexa::platform {

std::unique_ptr<PseudoTerminal> PseudoTerminal::Create() {
  UniqueFd master(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!master.valid() || ::grantpt(master.get()) != 0 || ::unlockpt(master.get()) != 0) return nullptr;
  char name[128];
  if (::ptsname_r(master.get(), name, sizeof name) != 0) return nullptr;
  UniqueFd slave(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!slave.valid()) return nullptr;
  // No echo of what the port writes back into the port, no CR-LF rewriting of what writers send.
  MakeRawLine(slave.get());
  MakeRawLine(master.get());
  const int flags = ::fcntl(master.get(), F_GETFL);
  if (flags < 0 || ::fcntl(master.get(), F_SETFL, flags | O_NONBLOCK) != 0) return nullptr;
  return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(std::move(master), std::move(slave), name));
}

PseudoTerminal::PseudoTerminal(UniqueFd master, UniqueFd slave, std::string slavePath)
    : master_(std::move(master)),
      slave_(std::move(slave)),
      slavePath_(std::move(slavePath)),
      inUse_(std::make_shared<std::atomic<bool>>(false)) {}

PseudoTerminal::~PseudoTerminal() = default;

std::unique_ptr<SerialPort> PseudoTerminal::OpenPort() {
  if (inUse_->exchange(true)) return nullptr;
  UniqueFd fd(::fcntl(master_.get(), F_DUPFD_CLOEXEC, 0));
  if (!fd.valid()) {
    inUse_->store(false);
    return nullptr;
  }
  return std::make_unique<TermiosSerialPort>(std::move(fd), [inUse = inUse_] { inUse->store(false); },
                                             slave_.get());
}

}  // namespace vexa::platform
