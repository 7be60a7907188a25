#pragma once

#include "platform/EffectLog.h"
#include "platform/ui/Graphics.h"

namespace vexa::platform {

// Fonts that log "font_families" {count} each time the installed families are listed (the font
// dialogs and the skin editor fill their lists with them).
class LoggingFontRegistry : public ui::FontRegistry {
 public:
  LoggingFontRegistry(ui::FontRegistry& inner, EffectLog& log) : inner_(inner), log_(log) {}

  bool Add(std::u16string_view devicePath) override { return inner_.Add(devicePath); }
  bool Remove(std::u16string_view devicePath) override { return inner_.Remove(devicePath); }
  std::vector<std::u16string> Families() override;

 private:
  ui::FontRegistry& inner_;
  EffectLog& log_;
};

}  // namespace vexa::platform
