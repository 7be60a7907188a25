#pragma once

#include <functional>
#include <memory>

#include "platform/Threads.h"
#include "platform/headless/VirtualClock.h"

namespace vexa::platform {

// Worker threads of the headless mode, in lock-step with the virtual clock (see VirtualClock): Start
// runs the body until it first sleeps or waits; from then on it runs when its sleep ends or its wait
// is woken, within the window thread's advances of time. Join runs it to its end, advancing time over
// its sleeps and waits, with no timers firing, as the device's wait for a thread does.
class VirtualThreads : public Threads {
 public:
  explicit VirtualThreads(VirtualClock& clock) : clock_(clock) {}

  std::unique_ptr<Thread> Start(std::function<void()> body) override;

 private:
  VirtualClock& clock_;
};

}  // namespace vexa::platform
