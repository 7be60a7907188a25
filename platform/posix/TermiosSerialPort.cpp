#include "platform/posix/TermiosSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/TermiosLine.h"

namespace vexa::platform {

namespace {

constexpr int kSinkLimit = 2048;

}  // namespace

std::unique_ptr<SerialPort> TermiosSerialPort::Open(const std::string& devicePath) {
  UniqueFd fd(::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid() || ::isatty(fd.get()) == 0) return nullptr;
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return nullptr;
  if (::ioctl(fd.get(), TIOCEXCL) != 0) return nullptr;
  if (!MakeRawLine(fd.get())) {
    ::ioctl(fd.get(), TIOCNXCL);
    return nullptr;
  }
  const int raw = fd.get();
  return std::make_unique<TermiosSerialPort>(std::move(fd), [raw] { ::ioctl(raw, TIOCNXCL); });
}

TermiosSerialPort::TermiosSerialPort(UniqueFd fd, std::function<void()> onClose, int sinkFd)
    : fd_(std::move(fd)), onClose_(std::move(onClose)), sinkFd_(sinkFd) {}

TermiosSerialPort::~TermiosSerialPort() {
  if (onClose_) onClose_();
}

std::optional<SerialSettings> TermiosSerialPort::GetSettings() {
  std::optional<SerialSettings> settings = GetLineSettings(fd_.get());
  if (settings) settings->stripNull = stripNull_;
  return settings;
}

bool TermiosSerialPort::SetSettings(const SerialSettings& settings) {
  if (!SetLineSettings(fd_.get(), settings)) return false;
  stripNull_ = settings.stripNull;
  return true;
}

void TermiosSerialPort::Purge() {
  ::tcflush(fd_.get(), TCIOFLUSH);
}

std::size_t TermiosSerialPort::QueuedBytes() {
  int count = 0;
  if (::ioctl(fd_.get(), FIONREAD, &count) != 0 || count < 0) return 0;
  return static_cast<std::size_t>(count);
}

bool TermiosSerialPort::WaitForBytes() {
  while (!hungUp_) {
    const short events = WaitReadable(fd_.get(), release_, -1);
    if (events == 0) return false;  // released
    if ((events & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      // What arrived before the hang-up is still handed out; after it every wait answers false.
      if (QueuedBytes() > 0) return true;
      hungUp_ = true;
      return false;
    }
    if ((events & POLLIN) != 0) return true;
  }
  return false;
}

std::optional<std::size_t> TermiosSerialPort::Read(std::span<std::uint8_t> buffer) {
  if (buffer.empty()) return 0;
  for (bool waited = false;; waited = true) {
    const ssize_t count = ::read(fd_.get(), buffer.data(), buffer.size());
    if (count > 0) {
      std::size_t kept = static_cast<std::size_t>(count);
      if (stripNull_) kept = static_cast<std::size_t>(std::remove(buffer.begin(), buffer.begin() + count, 0) - buffer.begin());
      return kept;
    }
    if (count == 0) {
      hungUp_ = true;
      return std::nullopt;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      if (errno == EIO) hungUp_ = true;
      return std::nullopt;
    }
    if (waited || readTimeout_ == 0 || hungUp_) return 0;
    const short events = WaitReadable(fd_.get(), release_, readTimeout_);
    if (events == 0) return 0;
  }
}

std::optional<std::size_t> TermiosSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (sinkFd_ >= 0) {
    int held = 0;
    if (::ioctl(sinkFd_, FIONREAD, &held) == 0 && held > kSinkLimit) ::tcflush(sinkFd_, TCIFLUSH);
  }
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::write(fd_.get(), bytes.data() + written, bytes.size() - written);
    if (count > 0) {
      written += static_cast<std::size_t>(count);
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return written > 0 ? std::optional(written) : std::nullopt;
    pollfd out{fd_.get(), POLLOUT, 0};
    if (::poll(&out, 1, kWriteTimeout) <= 0 || (out.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) break;
  }
  return written;
}

}  // namespace vexa::platform
