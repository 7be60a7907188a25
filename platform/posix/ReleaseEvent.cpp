#include "platform/posix/ReleaseEvent.h"

#include <poll.h>
#include <sys/eventfd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

namespace vexa::platform {

ReleaseEvent::ReleaseEvent() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void ReleaseEvent::Signal() {
  signalled_.store(true);
  if (fd_.valid()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd_.get(), &one, sizeof one);
  }
}

short WaitReadable(int fd, const ReleaseEvent& release, int milliseconds) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds < 0 ? 0 : milliseconds);
  for (;;) {
    if (release.signalled()) return 0;
    int timeout = -1;
    if (milliseconds >= 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      timeout = left < 0 ? 0 : static_cast<int>(left);
    }
    // Without an eventfd the flag is looked at ten times a second.
    if (release.fd() < 0 && (timeout < 0 || timeout > 100)) timeout = 100;
    pollfd fds[2] = {{fd, POLLIN, 0}, {release.fd(), POLLIN, 0}};
    const int ready = ::poll(fds, release.fd() >= 0 ? 2 : 1, timeout);
    if (ready < 0 && errno != EINTR) return POLLERR;
    if (ready > 0) {
      if (fds[1].revents != 0 || release.signalled()) return 0;
      if (fds[0].revents != 0) return fds[0].revents;
    }
    if (milliseconds >= 0 && Clock::now() >= deadline) return 0;
  }
}

}  // namespace vexa::platform
