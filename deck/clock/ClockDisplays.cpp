#include "deck/clock/ClockDisplays.h"

#include <cstdint>

#include "common/PathTokens.h"
#include "deck/clock/ClockScene.h"

namespace vexa::deck {

std::u16string ClockDisplays::Pattern(std::u16string_view key, std::u16string_view fallback) {
  return env_.skin().GetString(u"Format", key, fallback);
}

std::u16string ClockDisplays::MessageOf(const platform::DateTime& day) {
  ProfileStore& clock = env_.clock();
  const std::u16string path = env_.GetPath(PATH_PROGRAM_DIR) + std::u16string(kClockFile);
  // A missing file has no messages; a file that cannot be read leaves the store empty.
  if (!env_.FileExists(path)) return {};
  auto* window = host_.window();
  clock.Read(window != nullptr ? window->handle() : platform::kNoWindow, path);
  return DayMessage(clock, day);
}

void ClockDisplays::Tick(const platform::DateTime& now) {
  const LiveSlots& live = host_.live();
  if (ButtonSlot* date = host_.LiveSlot(live.date)) {
    const auto text = picture_.Format(Pattern(u"Date", u"yyyy.MM.dd"), now);
    if (text != date->caption()) {
      SetDisplayText(env_, *date, *live.date, text);
      if (ButtonSlot* message = host_.LiveSlot(live.message)) {
        SetDisplayText(env_, *message, *live.message, MessageOf(now));
      }
    }
  }
  if (ButtonSlot* time = host_.LiveSlot(live.time)) {
    SetDisplayText(env_, *time, *live.time, picture_.Format(Pattern(u"Time", u"TT hh:mm:ss"), now));
  }
}

}  // namespace vexa::deck
