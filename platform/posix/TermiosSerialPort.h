#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/SerialPorts.h"
#include "platform/posix/ReleaseEvent.h"
#include "platform/posix/UniqueFd.h"

namespace vexa::platform {

// A serial port on a host terminal device (/dev/ttyUSB0, /dev/ttyS0, a pseudo-terminal), in raw
// mode and non-blocking; waits are polls on the device beside a release event.
//
// Open takes the device for this program alone: TIOCEXCL keeps other programs from opening it, and
// an exclusive flock keeps out other opens that TIOCEXCL lets through (this program's own, and those
// of privileged programs).
//
// A line that hangs up (a USB receiver pulled out) ends waits with false, now and later, instead of
// waking the reader again and again; reads then fail.
class TermiosSerialPort : public SerialPort {
 public:
  // Null when the device cannot be opened, is no terminal or is held by someone else.
  static std::unique_ptr<SerialPort> Open(const std::string& devicePath);

  // Over an open terminal descriptor. `onClose` runs when the port goes away. `sinkFd`, when given,
  // is the other end of a pseudo-terminal that nobody may be reading: what is written to the port
  // piles up there, so a write first empties it when it holds more than a few kilobytes.
  TermiosSerialPort(UniqueFd fd, std::function<void()> onClose, int sinkFd = -1);
  ~TermiosSerialPort() override;

  std::optional<SerialSettings> GetSettings() override;
  bool SetSettings(const SerialSettings& settings) override;
  // The host's drivers have queues of their own fixed sizes: the request is accepted and ignored.
  void SetQueueSizes(std::size_t, std::size_t) override {}
  void Purge() override;
  std::size_t QueuedBytes() override;
  void SetReadTimeout(int milliseconds) override { readTimeout_ = milliseconds < 0 ? 0 : milliseconds; }
  bool WaitForBytes() override;
  void ReleaseWait() override { release_.Signal(); }
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override;
  std::optional<std::size_t> Write(std::span<const std::uint8_t> bytes) override;

  // How long a write waits for room in the driver's queue before it gives up on the rest.
  static constexpr int kWriteTimeout = 10000;

 private:
  UniqueFd fd_;
  std::function<void()> onClose_;
  int sinkFd_;
  ReleaseEvent release_;
  int readTimeout_ = 0;
  bool stripNull_ = false;
  bool hungUp_ = false;
};

}  // namespace vexa::platform
