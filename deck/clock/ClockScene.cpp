#include "deck/clock/ClockScene.h"

#include <cstdint>

#include "common/SettingValues.h"
#include "common/text/Format.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::deck {

namespace {

constexpr int kDefaultSunrise = 8;
constexpr int kDefaultSunset = 19;
constexpr gfx::ColorRef kBlack = gfx::Rgb(0, 0, 0);
constexpr gfx::ColorRef kWhite = gfx::Rgb(255, 255, 255);

// [Main]
// DateLightColor=30,50,80
// DateNightColor=210,225,255
constexpr std::array<std::u16string_view, kClockLineCount> kColorKeys = {u"Date", u"AmPm", u"Time",
                                                                         u"Message"};

std::u16string DateKey(const platform::DateTime& day) {
  return text::Format(u"%.4d%.2d%.2d",
                      {std::int64_t{day.year}, std::int64_t{day.month}, std::int64_t{day.day}});
}

// [DaylightTime]
// 06_Sunrise=5
// 06_Sunset=20
int MonthHour(const ProfileStore* clockFile, int month, std::u16string_view format, int fallback, int low,
              int high) {
  if (clockFile == nullptr) return fallback;
  const int hour = clockFile->GetInt(u"DaylightTime", text::Format(format, {std::int64_t{month}}), fallback);
  return hour < low || hour > high ? fallback : hour;
}

}  // namespace

std::u16string DayMessage(const ProfileStore& clockFile, const platform::DateTime& day) {
  auto message = clockFile.GetString(u"Anniversary", DateKey(day), u"");
  if (message.empty()) message = clockFile.GetString(u"Anniversary", u"Default", u"");
  return message;
}

int SunriseHour(const ProfileStore* clockFile, int month) {
  return MonthHour(clockFile, month, u"%.2d_Sunrise", kDefaultSunrise, 5, 10);
}

int SunsetHour(const ProfileStore* clockFile, int month) {
  return MonthHour(clockFile, month, u"%.2d_Sunset", kDefaultSunset, 16, 20);
}

ClockScene ChooseClockScene(const ProfileStore* clockFile, const platform::DateTime& now,
                            std::u16string_view clockFolder,
                            const std::function<bool(std::u16string_view)>& exists) {
  ClockScene scene;
  // The whole last hour is still day: with sunset 19, 19:59 is day and 20:00 night.
  scene.day = SunriseHour(clockFile, now.month) <= now.hour && now.hour <= SunsetHour(clockFile, now.month);
  if (clockFile != nullptr) {
    scene.message = DayMessage(*clockFile, now);
    // [Anniversary]
    // 20261225_Image=christmas.jpg
    // A day's own picture shows by day only, and only when its file is there.
    std::u16string name;
    if (scene.day) {
      name = clockFile->GetString(u"Anniversary", DateKey(now) + u"_Image", u"");
      if (!name.empty() && !exists(std::u16string(clockFolder) + name)) name.clear();
    }
    if (name.empty()) name = clockFile->GetString(u"Main", scene.day ? u"DayightImage" : u"NightImage", u"");
    if (!name.empty() && exists(std::u16string(clockFolder) + name))
      scene.picture = std::u16string(clockFolder) + name;
  }
  namespace res = platform::ui::res::deck;
  if (scene.picture.empty()) scene.builtIn = scene.day ? res::kClockDay : res::kClockNight;

  const gfx::ColorRef fallback = scene.day ? kBlack : kWhite;
  for (int line = 0; line < kClockLineCount; ++line) {
    auto& color = scene.colors[static_cast<std::size_t>(line)];
    color = fallback;
    if (clockFile == nullptr) continue;
    const auto key = std::u16string(kColorKeys[static_cast<std::size_t>(line)]) +
                     (scene.day ? u"LightColor" : u"NightColor");
    // A colour the parser does not take, "Auto" among them, is the period's default.
    color = ParseColor(clockFile->GetString(u"Main", key, u""), fallback);
  }
  return scene;
}

ClockTexts FormatClockTexts(const platform::DateTime& now, bool korean, platform::LocaleNames* names) {
  // The locale counts Monday as 1 and Sunday as 7; the clock counts Sunday as 0.
  const int localeDay = now.dayOfWeek == 0 ? 7 : now.dayOfWeek;
  std::u16string dayName = names != nullptr ? names->DayName(localeDay, false) : std::u16string();
  if (korean) dayName = dayName.substr(0, 3);
  ClockTexts texts;
  texts.date = text::Format(u"%.4d.%.2d.%.2d %s", {std::int64_t{now.year}, std::int64_t{now.month},
                                                   std::int64_t{now.day}, dayName});
  const int hour = now.hour > 12 ? now.hour - 12 : now.hour;
  texts.time =
      text::Format(u"%d:%.2d:%.2d", {std::int64_t{hour}, std::int64_t{now.minute}, std::int64_t{now.second}});
  texts.mark = now.hour < 12 ? u"AM" : u"PM";
  return texts;
}

}  // namespace vexa::deck
