#pragma once

#include "common/gfx/Bitmap.h"

// The numbers of the pictures compiled into each program (Resources::Icon and Resources::Picture).
// Every program has its own set, named below; numbers repeat between sets (each program's icon is
// 128). The pictures are drawn by scripts/gen-resources.py into resources/<set>/.
//
// Icons come at several sizes (16, 24, 32, 48 as each needs); asking for another size scales the
// nearest larger one. An icon's see-through area is painted in kIconTransparent, and its top-left
// pixel is always see-through, so KeyedCopy with kAutoTransparent (or this colour) draws an icon
// over any background as the device draws icons with their masks. Pictures are opaque.
namespace vexa::platform::ui::res {

// Magenta: no icon uses it for anything else.
inline constexpr gfx::ColorRef kIconTransparent = gfx::Rgb(255, 0, 255);

// The window icon of every program (large and small).
inline constexpr int kProgramIcon = 128;

namespace deck {
inline constexpr char kSet[] = "deck";
inline constexpr int kDefaultAppIcon = 129;    // the task list's icon for windows without their own
inline constexpr int kReturnSmall = 138;       // the clock and calendar Return button, 24 × 24
inline constexpr int kReturnLarge = 142;       // the same, 32 × 32, on screens of 640 × 480 and up
inline constexpr int kGpsDecoration = 197;     // picture: the GPS time dialog's satellite
inline constexpr int kClockDay = 198;          // picture: the clock's built-in day background
inline constexpr int kClockNight = 199;        // picture: the clock's built-in night background
inline constexpr int kProductPicture = 200;    // picture: the settings sheet's about page
}  // namespace deck

namespace toolbar {
inline constexpr char kSet[] = "toolbar";
inline constexpr int kSys = 141;
inline constexpr int kGame = 143;
inline constexpr int kPgm = 145;
inline constexpr int kHome = 146;
inline constexpr int kClose = 147;
inline constexpr int kTask = 148;
inline constexpr int kM5 = 150;
inline constexpr int kM1 = 151;
inline constexpr int kM2 = 152;
inline constexpr int kM3 = 153;
inline constexpr int kM4 = 154;
inline constexpr int kClock = 160;
inline constexpr int kGpsOk = 165;        // the GPS time window's OK button, 24 × 24
inline constexpr int kKill = 166;
inline constexpr int kMinimizedIcon = 171;  // the one button of the minimised toolbar
inline constexpr int kKeyboard = 173;
inline constexpr int kMinimize = 175;
inline constexpr int kProgramFile = 129;  // a program button's program that has no icon file
}  // namespace toolbar

namespace xrun {
inline constexpr char kSet[] = "xrun";
inline constexpr int kWindowPicture = 129;  // picture: fills the runner's window
}  // namespace xrun

namespace gpstime {
inline constexpr char kSet[] = "gpstime";
inline constexpr int kDecoration = 129;  // picture: the satellite beside the status
inline constexpr int kReturn = 130;
inline constexpr int kConfig = 131;
}  // namespace gpstime

namespace intro {
inline constexpr char kSet[] = "intro";
inline constexpr int kLogo = 129;  // picture: the logo across the top of the window
}  // namespace intro

namespace lnkchk {
inline constexpr char kSet[] = "lnkchk";
}  // namespace lnkchk

namespace demo {
inline constexpr char kSet[] = "demo";
}  // namespace demo

}  // namespace vexa::platform::ui::res
