#include "platform/qt/QtLocaleNames.h"

#include <gtest/gtest.h>

#include "platform/headless/FixedLocaleNames.h"

namespace vexa::platform {
namespace {

// The headless tables hold the texts a desktop takes from the host's locale data, so a headless
// screenshot shows what the device shows.
TEST(QtLocaleNamesTest, TheHeadlessTablesAgreeWithTheHostsLocaleData) {
  for (const std::uint16_t lang : {kLangEnglishUs, kLangKorean}) {
    QtLocaleNames host(lang);
    FixedLocaleNames fixed(lang);
    for (int day = 0; day <= 8; ++day) {
      for (const bool abbreviated : {false, true}) {
        EXPECT_EQ(host.DayName(day, abbreviated), fixed.DayName(day, abbreviated)) << lang << " day " << day;
      }
    }
    for (int month = 0; month <= 13; ++month) {
      for (const bool abbreviated : {false, true}) {
        EXPECT_EQ(host.MonthName(month, abbreviated), fixed.MonthName(month, abbreviated))
            << lang << " month " << month;
      }
    }
    EXPECT_EQ(host.DayHalf(false), fixed.DayHalf(false));
    EXPECT_EQ(host.DayHalf(true), fixed.DayHalf(true));
  }
  EXPECT_EQ(FixedLocaleNames(kLangEnglishUs).DayName(7, false), u"Sunday");
}

}  // namespace
}  // namespace vexa::platform
