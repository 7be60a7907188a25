#pragma once

#include <atomic>

#include "platform/posix/UniqueFd.h"

namespace vexa::platform {

// The "stop waiting" signal of a serial port: an eventfd that a waiting poll watches beside the
// port's own descriptor. Once signalled it stays signalled, so every later wait ends at once too.
class ReleaseEvent {
 public:
  ReleaseEvent();

  // Safe from any thread.
  void Signal();
  bool signalled() const { return signalled_.load(); }
  // The descriptor to poll for POLLIN; -1 when no eventfd could be made (then only the flag tells).
  int fd() const { return fd_.get(); }

 private:
  UniqueFd fd_;
  std::atomic<bool> signalled_ = false;
};

// Waits up to `milliseconds` (-1: without limit) for POLLIN on `fd` or for `release`. Answers the
// poll events of `fd` (0 when the time ran out or the wait was released).
short WaitReadable(int fd, const ReleaseEvent& release, int milliseconds);

}  // namespace vexa::platform
