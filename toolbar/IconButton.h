#pragma once

#include <optional>
#include <string_view>

#include "common/gfx/Bitmap.h"
#include "platform/ControlFonts.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Window.h"

namespace vexa::toolbar {

// Draws one icon button of the toolbar and its minimised icon into the button's canvas: white in
// every state, the icon centred across and, with a label, 3 pixels below the top with the label in
// the room under it; without a label the icon is centred downwards. A pressed button shows a sunken
// frame and its icon one pixel down and right; a resting one a light frame.
//
// An icon of the program's resources carries its own transparency. A picture file (a program's icon)
// is opaque: `keyed` draws it without the colour of its top-left pixel.
void DrawIconButton(gfx::Bitmap& canvas, const platform::ui::DrawItemState& state, int iconSize,
                    const gfx::Bitmap* icon, bool keyed, std::u16string_view label,
                    const platform::FontSpec& font, platform::ui::TextRenderer* text);

}  // namespace vexa::toolbar
