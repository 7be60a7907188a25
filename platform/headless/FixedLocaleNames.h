#pragma once

#include <cstdint>

#include "platform/Locale.h"
#include "platform/LocaleNames.h"

namespace vexa::platform {

// The names of a Korean or an English (United States) device from tables of their own, the same texts
// the desktop takes from the host's locale data, so headless screenshots and logs do not depend on
// the host. Every language but Korean gets the English names.
class FixedLocaleNames : public LocaleNames {
 public:
  explicit FixedLocaleNames(std::uint16_t langId) : korean_(langId == kLangKorean) {}

  std::u16string DayName(int day, bool abbreviated) override;
  std::u16string MonthName(int month, bool abbreviated) override;
  std::u16string DayHalf(bool afternoon) override;

 private:
  bool korean_;
};

}  // namespace vexa::platform
