#include "deck/DialogLayout.h"

namespace vexa::deck {

void ApplyLargeFont(Environment& env, platform::ui::Window& window, const platform::ui::WindowTemplate& tmpl,
                    gfx::Size screen) {
  if (screen.width < 640 || screen.height < 480) return;
  for (const auto& control : tmpl.controls) {
    env.SetControlFont({window.handle(), control.id}, 20, 700);
  }
}

}  // namespace vexa::deck
