#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "common/ProfileStore.h"
#include "common/gfx/Bitmap.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"

// What the clock window shows at a moment: the scene (day or night, the picture, the colours and the
// day's message) chosen from the clock file, and the three texts of its tick. Both are plain
// functions of the clock file and the time, so they are tested without a window.
namespace vexa::deck {

// The clock window's four lines, in the order their colours are applied.
enum ClockLine : int { kDateLine = 0, kAmPmLine = 1, kTimeLine = 2, kMessageLine = 3, kClockLineCount = 4 };

struct ClockScene {
  bool day = true;
  std::u16string message;
  // The picture file shown (clock folder + name, a file that exists), or empty for the built-in
  // picture of the period, whose resource number is `builtIn`.
  std::u16string picture;
  int builtIn = 0;
  std::array<gfx::ColorRef, kClockLineCount> colors{};
  bool operator==(const ClockScene&) const = default;
};

// [Anniversary] "yyyyMMdd" of the day, or [Anniversary] Default when that is empty.
std::u16string DayMessage(const ProfileStore& clockFile, const platform::DateTime& day);

// The first and the last day hour of a month by [DaylightTime] "MM_Sunrise" / "MM_Sunset": 8 and 19
// unless given, and values outside 5..10 (sunrise) or 16..20 (sunset) count as 8 and 19.
int SunriseHour(const ProfileStore* clockFile, int month);
int SunsetHour(const ProfileStore* clockFile, int month);

// The scene for `now`. `clockFile` is null when there is no clock file (every key at its default);
// `clockFolder` ends in a backslash; `exists` tells whether a device file exists.
ClockScene ChooseClockScene(const ProfileStore* clockFile, const platform::DateTime& now,
                            std::u16string_view clockFolder,
                            const std::function<bool(std::u16string_view)>& exists);

struct ClockTexts {
  std::u16string date;  // "2008.03.05 Wednesday"; on a Korean device the first three characters of the day
  std::u16string time;  // "1:04:09": the hour as 0-12, so 00:05 is "0:05:00"
  std::u16string mark;  // "AM" before noon, "PM" from noon on
};
ClockTexts FormatClockTexts(const platform::DateTime& now, bool korean, platform::LocaleNames* names);

}  // namespace vexa::deck
