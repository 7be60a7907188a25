#include "toolbar/IconButton.h"

#include "platform/ui/ResourceIds.h"
#include "toolbar/ToolbarButtons.h"

namespace vexa::toolbar {

namespace {
constexpr gfx::ColorRef kWhite = gfx::Rgb(255, 255, 255);
constexpr gfx::ColorRef kRestingFrame = gfx::Rgb(208, 212, 218);
constexpr gfx::ColorRef kLabelText = gfx::Rgb(0, 0, 0);
// A resource icon: its key-coloured pixels are see-through, the others blended by their alpha.
void DrawResourceIcon(gfx::Bitmap& canvas, const gfx::Rect& place, const gfx::Bitmap& icon) {
  gfx::Bitmap sized(place.width(), place.height(), 0);
  gfx::StretchCopy(sized, sized.bounds(), icon, icon.bounds());
  const gfx::Pixel key = gfx::ToPixel(platform::ui::res::kIconTransparent) & 0xFFFFFFu;
  for (int y = 0; y < sized.height(); ++y) {
    gfx::Pixel* row = sized.Row(y);
    for (int x = 0; x < sized.width(); ++x) {
      if ((row[x] & 0xFFFFFFu) == key) row[x] = 0;
    }
  }
  gfx::DrawIcon(canvas, {place.left, place.top}, sized);
}

}  // namespace

void DrawIconButton(gfx::Bitmap& canvas, const platform::ui::DrawItemState& state, int iconSize,
                    const gfx::Bitmap* icon, bool keyed, std::u16string_view label,
                    const platform::FontSpec& font, platform::ui::TextRenderer* text) {
  gfx::FillRect(canvas, canvas.bounds(), kWhite);
  if (state.pressed) {
    gfx::DrawSunkenFrame(canvas, canvas.bounds());
  } else {
    gfx::FrameRect(canvas, canvas.bounds(), kRestingFrame);
  }
  const int shift = state.pressed ? 1 : 0;
  const gfx::Rect place = IconPlace(canvas.size(), iconSize, !label.empty()).Offset(shift, shift);
  if (icon != nullptr && !icon->empty()) {
    if (keyed) {
      gfx::KeyedCopy(canvas, place, *icon, icon->bounds(), gfx::kAutoTransparent);
    } else {
      DrawResourceIcon(canvas, place, *icon);
    }
  }
  if (!label.empty() && text != nullptr) {
    const gfx::Rect room{1 + shift, place.bottom, canvas.width() - 1 + shift, canvas.height() - 1};
    text->DrawText(canvas, room, label, font, kLabelText, platform::ui::TextAlign::kCenter);
  }
}

}  // namespace vexa::toolbar
