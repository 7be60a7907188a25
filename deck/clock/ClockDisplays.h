#pragma once

#include <string>

#include "common/Environment.h"
#include "deck/clock/TimePicture.h"
#include "deck/gpsview/GpsDisplays.h"

namespace vexa::deck {

// The clock file of the launcher, in its program folder.
inline constexpr std::u16string_view kClockFile = u"\\Clock\\default.ini";

// The launcher's date, time and message displays, brought up to date every second (timer 3): the
// date and time by the skin's [Format] patterns, the day's message from the clock file when the
// date text changes. Only a text that changed is set, so a tick redraws one slot in the usual case.
class ClockDisplays {
 public:
  ClockDisplays(Environment& env, GpsDisplayHost& host)
      : env_(env), host_(host), picture_(env.platform().localeNames) {}

  void Tick(const platform::DateTime& now);

  // The message of a day: [Anniversary] "yyyyMMdd", else [Anniversary] Default, from the clock file
  // read again (a missing file has none).
  std::u16string MessageOf(const platform::DateTime& day);

 private:
  std::u16string Pattern(std::u16string_view key, std::u16string_view fallback);

  Environment& env_;
  GpsDisplayHost& host_;
  TimePicture picture_;
};

}  // namespace vexa::deck
