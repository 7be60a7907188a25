#pragma once

#include "platform/ClockSetter.h"
#include "platform/EffectLog.h"

namespace vexa::platform {

// A clock setter that logs "clock_set" {utc: "2008-01-05 10:00:00", ok} for every attempt.
class LoggingClockSetter : public ClockSetter {
 public:
  LoggingClockSetter(ClockSetter& inner, EffectLog& log) : inner_(inner), log_(log) {}

  bool SetSystemTime(const DateTime& utc) override;

 private:
  ClockSetter& inner_;
  EffectLog& log_;
};

}  // namespace vexa::platform
