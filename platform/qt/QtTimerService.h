#pragma once

#include <functional>
#include <map>
#include <memory>

#include "platform/ui/EventLoop.h"

class QTimer;

namespace vexa::platform {

// Real-time timers of a desktop run, one QTimer each, firing on the GUI thread.
class QtTimerService : public ui::TimerService {
 public:
  QtTimerService();
  ~QtTimerService() override;
  QtTimerService(const QtTimerService&) = delete;
  QtTimerService& operator=(const QtTimerService&) = delete;

  // Periods below 1 ms count as 1 ms.
  int Start(int milliseconds, std::function<void()> fire) override;
  // Stopping an unknown or stopped timer does nothing; a timer may stop itself while it fires.
  void Stop(int timer) override;

 private:
  int next_ = 1;
  std::map<int, QTimer*> timers_;
};

}  // namespace vexa::platform
