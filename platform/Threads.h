#pragma once

#include <functional>
#include <memory>

namespace vexa::platform {

// A thread of the program's own, started by Threads::Start.
class Thread {
 public:
  // Joins the thread when Join was not called.
  virtual ~Thread() = default;
  // Waits until the thread's body has returned.
  virtual void Join() = 0;
};

// Worker threads. On a desktop they are real threads; in the headless mode they run in step with
// virtual time: a worker runs only while the window thread waits for it, and its sleeps (Clock::Sleep)
// and port waits (SerialPort::WaitForBytes) hand the turn back, so a run gives the same results every
// time.
class Threads {
 public:
  virtual ~Threads() = default;
  // Starts `body` on a thread of its own at normal priority; null when no thread can be made.
  virtual std::unique_ptr<Thread> Start(std::function<void()> body) = 0;
};

}  // namespace vexa::platform
