#pragma once

#include <optional>
#include <string>

#include "platform/Clock.h"

namespace vexa::gps {

// The latest values the receiver reported, as it sent them.
struct GpsFix {
  // The fix's date and time (UTC, whole seconds); unset until a sentence carried a usable date.
  std::optional<platform::DateTime> time;
  std::u16string status;   // "A" or "V" as sent; stored, not interpreted
  double latitude = 0.0;   // ddmm.mmmm as sent; the hemisphere letter is not kept
  double longitude = 0.0;  // dddmm.mmmm as sent
  double speed = 0.0;      // knots
  double course = 0.0;     // degrees, filtered (a standing receiver's 0 is not taken)
  double altitude = 0.0;   // metres
  double hdop = 0.0;
  bool operator==(const GpsFix&) const = default;
};

}  // namespace vexa::gps
