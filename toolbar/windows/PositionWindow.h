#pragma once

#include "common/gfx/Geometry.h"
#include "toolbar/ToolbarHost.h"

// The "Position" window: moves the toolbar or its minimised icon to one of nine places on the
// screen, or by 1 or 10 pixels at a time.
namespace vexa::toolbar {

enum PositionControl : int {
  kPositionSave = 1,
  kPositionReturn = 2,
  kPositionPresetGroup = 1001,
  kPositionAdjustGroup = 1002,
  kPositionPresetFirst = 1010,  // top left, top middle, top right, middle left, ... bottom right
  kPositionLeft1 = 1020,
  kPositionLeft10 = 1021,
  kPositionRight1 = 1022,
  kPositionRight10 = 1023,
  kPositionUp1 = 1024,
  kPositionUp10 = 1025,
  kPositionDown1 = 1026,
  kPositionDown10 = 1027,
  kPositionWhere = 1030,  // "120, 0"
};

inline constexpr char16_t kPositionTitle[] = u"Position";

// Preset 0 is the top left corner, 1 the top middle ... 8 the bottom right corner (row by row).
gfx::Point PresetPosition(int preset, gfx::Size screen, gfx::Size window);

enum class Nudge { kLeft, kRight, kUp, kDown };
// One arrow: by 1 pixel only while the window can go that way (left and up while the coordinate is
// above 0, right and down while its far edge is inside the screen); by 10 pixels no further than
// the screen's edge.
gfx::Point NudgePosition(gfx::Rect window, Nudge direction, int pixels, gfx::Size screen);

// Runs the window over `target` modally. Save keeps the new position and answers true; Return (or
// closing the window) puts back the position it had when the window opened and answers false.
bool RunPositionWindow(ToolbarHost& host, PositionTarget& target, platform::ui::Window* owner);

}  // namespace vexa::toolbar
