#pragma once

#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/LocaleNames.h"

namespace vexa::deck {

// Formats a date and time by a picture pattern from a skin's [Format] keys ("yyyy.MM.dd",
// "TT hh:mm:ss"): runs of the letters d M y q w g h H m s t T are fields, counted by their length,
// text in single quotes and every other character are shown as they are, and "2" asks for a blank
// instead of a leading zero in the one-letter fields. Counts that mean nothing show "???".
class TimePicture {
 public:
  // `names` gives the day, month and day-half names; without one those fields are empty.
  explicit TimePicture(platform::LocaleNames* names) : names_(names) {}

  std::u16string Format(std::u16string_view pattern, const platform::DateTime& time);

 private:
  void Emit(std::u16string& out, char16_t letter, int count, bool twoDigits, const platform::DateTime& time);

  platform::LocaleNames* names_;
};

}  // namespace vexa::deck
