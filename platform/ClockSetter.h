#pragma once

#include "platform/Clock.h"

namespace vexa::platform {

// Sets the device's clock, as the device's SetSystemTime does: the time given is UTC, and the local
// time follows from the device's time zone.
class ClockSetter {
 public:
  virtual ~ClockSetter() = default;
  // The day of the week and the milliseconds of `utc` are not looked at. False when the clock could
  // not be set (an impossible date, or a host clock the process may not set).
  virtual bool SetSystemTime(const DateTime& utc) = 0;
};

}  // namespace vexa::platform
