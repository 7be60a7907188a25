#pragma once

#include <chrono>

#include "platform/Clock.h"

namespace vexa::platform {

// The host's clock for desktop runs: the tick count counts milliseconds from the moment this object
// was made (the program's start), local time follows the host's time zone, and Sleep really waits.
class SystemClock : public Clock {
 public:
  SystemClock() : start_(std::chrono::steady_clock::now()) {}

  std::uint64_t TickCount() override;
  DateTime LocalTime() override;
  DateTime SystemTime() override;
  void Sleep(int milliseconds) override;

 private:
  std::chrono::steady_clock::time_point start_;
};

}  // namespace vexa::platform
