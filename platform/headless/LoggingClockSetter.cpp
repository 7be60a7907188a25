#include "platform/headless/LoggingClockSetter.h"

#include <cstdio>
#include <string>

namespace vexa::platform {

bool LoggingClockSetter::SetSystemTime(const DateTime& utc) {
  const bool ok = inner_.SetSystemTime(utc);
  // Wide enough for any int the fields may hold, so a wrong date is logged as given.
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", utc.year, utc.month, utc.day, utc.hour,
                utc.minute, utc.second);
  log_.Record("clock_set", {{"utc", std::string(text)}, {"ok", ok}});
  return ok;
}

}  // namespace vexa::platform
