#pragma once

#include <string>

namespace vexa::platform {

// The names a device's locale gives days, months and the two halves of the day, as the clock
// displays show them.
class LocaleNames {
 public:
  virtual ~LocaleNames() = default;
  // Day 1 is Monday .. 7 Sunday; empty outside that range.
  virtual std::u16string DayName(int day, bool abbreviated) = 0;
  // Month 1 is January .. 12 December; empty outside that range.
  virtual std::u16string MonthName(int month, bool abbreviated) = 0;
  // The text before noon ("AM", "오전") or from noon on ("PM", "오후").
  virtual std::u16string DayHalf(bool afternoon) = 0;
};

}  // namespace vexa::platform
