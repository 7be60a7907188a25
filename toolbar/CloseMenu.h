#pragma once

#include "common/gfx/Geometry.h"
#include "platform/ui/WindowTemplate.h"
#include "toolbar/ToolbarHost.h"

namespace vexa::toolbar {

inline constexpr char16_t kCloseMenuTitle[] = u"Toolbar Menu";

// What the close menu answers.
enum CloseMenuResult : int {
  kCloseToolbar = 1,  // end the toolbar
  kReturnToToolbar = 2,
  kMinimizeToolbar = 9,
  // Hide for this many seconds: 10, 30, 60, 180 or 300.
};

// The menu's window at that place: one button a line.
platform::ui::WindowTemplate CloseMenuTemplate(gfx::Point topLeft);
gfx::Size CloseMenuSize();

// The Close button's menu, opened beside that button: answers one of the results above, or the
// seconds to hide; closing it otherwise answers kReturnToToolbar.
int RunCloseMenu(ToolbarHost& host);

}  // namespace vexa::toolbar
