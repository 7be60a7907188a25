#include "platform/headless/FixedLocaleNames.h"

#include <array>

namespace vexa::platform {

namespace {

constexpr std::array<const char16_t*, 7> kEnglishDays = {u"Monday", u"Tuesday", u"Wednesday", u"Thursday",
                                                         u"Friday", u"Saturday", u"Sunday"};
constexpr std::array<const char16_t*, 7> kEnglishShortDays = {u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"};
constexpr std::array<const char16_t*, 12> kEnglishMonths = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};
constexpr std::array<const char16_t*, 12> kEnglishShortMonths = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                                 u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr std::array<const char16_t*, 7> kKoreanDays = {u"월요일", u"화요일", u"수요일", u"목요일",
                                                        u"금요일", u"토요일", u"일요일"};
constexpr std::array<const char16_t*, 7> kKoreanShortDays = {u"월", u"화", u"수", u"목", u"금", u"토", u"일"};
constexpr std::array<const char16_t*, 12> kKoreanMonths = {u"1월", u"2월", u"3월", u"4월",  u"5월",  u"6월",
                                                           u"7월", u"8월", u"9월", u"10월", u"11월", u"12월"};

}  // namespace

std::u16string FixedLocaleNames::DayName(int day, bool abbreviated) {
  if (day < 1 || day > 7) return {};
  const auto& table = korean_ ? (abbreviated ? kKoreanShortDays : kKoreanDays)
                              : (abbreviated ? kEnglishShortDays : kEnglishDays);
  return table[static_cast<std::size_t>(day - 1)];
}

std::u16string FixedLocaleNames::MonthName(int month, bool abbreviated) {
  if (month < 1 || month > 12) return {};
  const auto& table = korean_ ? kKoreanMonths : (abbreviated ? kEnglishShortMonths : kEnglishMonths);
  return table[static_cast<std::size_t>(month - 1)];
}

std::u16string FixedLocaleNames::DayHalf(bool afternoon) {
  if (korean_) return afternoon ? u"오후" : u"오전";
  return afternoon ? u"PM" : u"AM";
}

}  // namespace vexa::platform
