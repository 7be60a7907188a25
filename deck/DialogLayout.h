#pragma once

#include "common/Environment.h"
#include "common/gfx/Geometry.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowTemplate.h"

// What the launcher's dialogs share: standard button ids, centring on the device screen, and the
// larger finger-sized font on screens of 640 × 480 and up.
namespace vexa::deck {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// The rectangle of a w × h dialog centred on a screen of the given size.
inline gfx::Rect Centred(gfx::Size screen, int width, int height) {
  return gfx::Rect::FromSize((screen.width - width) / 2, (screen.height - height) / 2, width, height);
}

// Whether dialogs on a screen of this size use the larger finger-sized font.
inline bool UsesLargeFont(gfx::Size screen) { return screen.width >= 640 && screen.height >= 480; }

// A dialog laid out for the small font, made half as large again for the large one (the font grows
// from 14 to 20 pixels and a little more for its glyphs) and centred on the screen again, so every
// caption keeps fitting its control. Nothing changes on small screens.
void ScaleForLargeFont(platform::ui::WindowTemplate& tmpl, gfx::Size screen);

// Gives every control of the template the "System" face at a finger-sized height on large screens.
void ApplyLargeFont(Environment& env, platform::ui::Window& window, const platform::ui::WindowTemplate& tmpl,
                    gfx::Size screen);

}  // namespace vexa::deck
