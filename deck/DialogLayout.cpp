#include "deck/DialogLayout.h"

namespace vexa::deck {

void ScaleForLargeFont(platform::ui::WindowTemplate& tmpl, gfx::Size screen) {
  if (!UsesLargeFont(screen)) return;
  auto scale = [](int v) { return v * 3 / 2; };
  tmpl.rect = Centred(screen, scale(tmpl.rect.width()), scale(tmpl.rect.height()));
  for (auto& control : tmpl.controls) {
    control.rect = {scale(control.rect.left), scale(control.rect.top), scale(control.rect.right),
                    scale(control.rect.bottom)};
  }
}

void ApplyLargeFont(Environment& env, platform::ui::Window& window, const platform::ui::WindowTemplate& tmpl,
                    gfx::Size screen) {
  if (!UsesLargeFont(screen)) return;
  for (const auto& control : tmpl.controls) {
    env.SetControlFont({window.handle(), control.id}, 20, 700);
  }
}

}  // namespace vexa::deck
