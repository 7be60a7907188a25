#include "platform/Clock.h"

#include <array>

namespace vexa::platform {

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

int DaysInMonth(int year, int month) {
  constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

int DayOfWeek(int year, int month, int day) {
  constexpr std::array<int, 12> kOffsets = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[static_cast<std::size_t>(month - 1)] + day) % 7;
}

}  // namespace vexa::platform
