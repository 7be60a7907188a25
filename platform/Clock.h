#pragma once

#include <cstdint>

namespace vexa::platform {

struct DateTime {
  int year = 0;
  int month = 0;      // 1 to 12
  int dayOfWeek = 0;  // 0 Sunday to 6 Saturday
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
  bool operator==(const DateTime&) const = default;
};

// The days of a month (1 to 12) of the Gregorian calendar.
int DaysInMonth(int year, int month);
// 0 Sunday to 6 Saturday, for a date of the Gregorian calendar.
int DayOfWeek(int year, int month, int day);

// Time on the device: real on a desktop, virtual in the headless mode.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since some fixed start; never goes backwards.
  virtual std::uint64_t TickCount() = 0;
  virtual DateTime LocalTime() = 0;
  virtual DateTime SystemTime() = 0;  // UTC
  // Waits; in the headless mode this advances virtual time.
  virtual void Sleep(int milliseconds) = 0;
};

}  // namespace vexa::platform
