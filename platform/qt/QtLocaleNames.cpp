#include "platform/qt/QtLocaleNames.h"

#include "platform/Locale.h"

namespace vexa::platform {

namespace {

std::u16string Text(const QString& text) { return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), text.size()); }

}  // namespace

QtLocaleNames::QtLocaleNames(std::uint16_t langId)
    : locale_(langId == kLangKorean ? QLocale(QLocale::Korean, QLocale::SouthKorea)
                                    : QLocale(QLocale::English, QLocale::UnitedStates)) {}

std::u16string QtLocaleNames::DayName(int day, bool abbreviated) {
  if (day < 1 || day > 7) return {};
  return Text(locale_.dayName(day, abbreviated ? QLocale::ShortFormat : QLocale::LongFormat));
}

std::u16string QtLocaleNames::MonthName(int month, bool abbreviated) {
  if (month < 1 || month > 12) return {};
  return Text(locale_.monthName(month, abbreviated ? QLocale::ShortFormat : QLocale::LongFormat));
}

std::u16string QtLocaleNames::DayHalf(bool afternoon) { return Text(afternoon ? locale_.pmText() : locale_.amText()); }

}  // namespace vexa::platform
