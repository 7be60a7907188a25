#include "toolbar/ListPlacement.h"

#include <algorithm>

namespace vexa::toolbar {
namespace {

// One axis of the rule: `near`/`far` are the button's edges across the toolbar, `start` the
// toolbar's edge along it.
struct Axis {
  int across;
  int along;
};

Axis Place(int buttonNear, int buttonFar, int screenAcross, int listAcross, int toolbarAlong, int screenAlong,
           int listAlong) {
  const long centre = (static_cast<long>(buttonNear) + buttonFar) / 2;
  const bool fitsAfter = static_cast<long>(buttonFar) + listAcross <= screenAcross;
  int across = 0;
  if (centre < screenAcross / 2 || fitsAfter) {
    across = buttonFar;
  } else {
    across = std::max(0, gfx::SubtractSaturated(buttonNear, listAcross));
  }
  int along = toolbarAlong;
  if (gfx::AddSaturated(along, listAlong) > screenAlong) along = gfx::SubtractSaturated(screenAlong, listAlong);
  return {across, along};
}

}  // namespace

gfx::Point PlaceBesideButton(gfx::Rect button, gfx::Rect toolbar, gfx::Size list, gfx::Size screen, bool vertical) {
  if (vertical) {
    const Axis a = Place(button.left, button.right, screen.width, list.width, toolbar.top, screen.height, list.height);
    return {a.across, a.along};
  }
  const Axis a = Place(button.top, button.bottom, screen.height, list.height, toolbar.left, screen.width, list.width);
  return {a.along, a.across};
}

}  // namespace vexa::toolbar
