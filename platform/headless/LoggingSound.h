#pragma once

#include "platform/EffectLog.h"
#include "platform/ui/Graphics.h"

namespace vexa::platform {

// Sound that logs "sound_played" {path, ok} for every file it is asked to play.
class LoggingSound : public ui::Sound {
 public:
  LoggingSound(ui::Sound& inner, EffectLog& log) : inner_(inner), log_(log) {}

  bool Play(std::u16string_view devicePath) override;
  bool CanPlay() override { return inner_.CanPlay(); }

 private:
  ui::Sound& inner_;
  EffectLog& log_;
};

}  // namespace vexa::platform
