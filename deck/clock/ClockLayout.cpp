#include "deck/clock/ClockLayout.h"

#include <cstdint>

#include "platform/ui/ResourceIds.h"

namespace vexa::deck {

namespace {

int Scale(int value, int to, int from) {
  return from <= 0 ? value : gfx::SaturateInt(std::int64_t{value} * to / from);
}

}  // namespace

bool IsLargeScreen(gfx::Size screen) {
  return screen.width >= kLayoutSize.width && screen.height >= kLayoutSize.height;
}

gfx::Rect ScaleFromLayout(const gfx::Rect& rect, gfx::Size screen) {
  return {Scale(rect.left, screen.width, kLayoutSize.width),
          Scale(rect.top, screen.height, kLayoutSize.height),
          Scale(rect.right, screen.width, kLayoutSize.width),
          Scale(rect.bottom, screen.height, kLayoutSize.height)};
}

gfx::Rect PlaceFixedSize(const gfx::Rect& scaled, gfx::Size fixed) {
  int left = scaled.left;
  int top = scaled.top;
  if (scaled.width() < fixed.width) left = gfx::SubtractSaturated(left, (fixed.width - scaled.width()) / 2);
  if (scaled.height() < fixed.height) top = gfx::SubtractSaturated(top, (fixed.height - scaled.height()) / 2);
  return gfx::Rect::FromSize(left, top, fixed.width, fixed.height);
}

ReturnButtonLook ReturnLook(gfx::Size screen) {
  namespace res = platform::ui::res::deck;
  if (IsLargeScreen(screen)) return {res::kReturnLarge, {32, 32}};
  return {res::kReturnSmall, {24, 24}};
}

}  // namespace vexa::deck
