#pragma once

#include <QLocale>

#include <cstdint>

#include "platform/LocaleNames.h"

namespace vexa::platform {

// The names of the device's language from the host's locale data: Korean (South Korea) on a Korean
// device, English (United States) on any other.
class QtLocaleNames : public LocaleNames {
 public:
  explicit QtLocaleNames(std::uint16_t langId);

  std::u16string DayName(int day, bool abbreviated) override;
  std::u16string MonthName(int month, bool abbreviated) override;
  std::u16string DayHalf(bool afternoon) override;

 private:
  QLocale locale_;
};

}  // namespace vexa::platform
