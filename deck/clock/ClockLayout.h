#pragma once

#include "common/gfx/Geometry.h"

// How the clock and calendar windows lay out their controls on any screen: the templates are drawn
// for 640 x 480 and scaled to the screen, and the Return button keeps the size of its picture.
namespace vexa::deck {

// The size the full-screen windows' templates are drawn for.
inline constexpr gfx::Size kLayoutSize{640, 480};

// A screen at least 640 wide and 480 high gets the large Return button and the large captions.
bool IsLargeScreen(gfx::Size screen);

// A template rectangle on `screen`: left and right by screen width / 640, top and bottom by screen
// height / 480, truncating.
gfx::Rect ScaleFromLayout(const gfx::Rect& rect, gfx::Size screen);

// A button of fixed size placed where a scaled rectangle is: a rectangle narrower (or lower) than the
// button grows around its middle, its left (or top) edge moving back by half the missing amount, and
// the button then takes its own width and height from that corner.
gfx::Rect PlaceFixedSize(const gfx::Rect& scaled, gfx::Size fixed);

// The Return button's icon and size on a screen: 32 x 32 on large screens, 24 x 24 on others.
struct ReturnButtonLook {
  int icon = 0;
  gfx::Size size;
};
ReturnButtonLook ReturnLook(gfx::Size screen);

}  // namespace vexa::deck
