#include "platform/headless/LoggingSound.h"

namespace vexa::platform {

bool LoggingSound::Play(std::u16string_view devicePath) {
  const bool ok = inner_.Play(devicePath);
  log_.Record("sound_played", {{"path", std::u16string(devicePath)}, {"ok", ok}});
  return ok;
}

}  // namespace vexa::platform
