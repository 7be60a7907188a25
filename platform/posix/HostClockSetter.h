#pragma once

#include <atomic>
#include <optional>
#include <ostream>
#include <string>

#include "platform/ClockSetter.h"

namespace vexa::platform {

// Sets the host's own clock (clock_settime of CLOCK_REALTIME), for a car computer without a
// battery-backed clock that takes its time from GPS. A process without the right to set it gets
// false, and one message on `messages` the first time, saying how to grant the right.
class HostClockSetter : public ClockSetter {
 public:
  HostClockSetter(std::string program, std::ostream& messages) : program_(std::move(program)), messages_(messages) {}
  bool SetSystemTime(const DateTime& utc) override;

 private:
  std::string program_;
  std::ostream& messages_;
  std::atomic<bool> told_ = false;
};

// Seconds since 1970 of a UTC date and time; nullopt for an impossible one (February 30, hour 24)
// or a year before 1970 or after 9999.
std::optional<long long> UtcSeconds(const DateTime& utc);

}  // namespace vexa::platform
