#pragma once

#include <memory>

#include "common/ToolbarProfileStore.h"
#include "common/gfx/Geometry.h"
#include "platform/Platform.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/WindowTemplate.h"
#include "toolbar/ToolbarHost.h"

// The minimised toolbar: one icon button in a small top-most window titled as the toolbar.
namespace vexa::toolbar {

inline constexpr int kIconButton = 1000;

// Where the icon window goes: Main / IconXPostion and IconYPostion (spelled so), negative values
// taken as 0, pulled back so that the whole window, frame included, stays on the screen. The answer
// is the window's outer top-left corner.
gfx::Point IconWindowPlace(const ToolbarProfileStore& store, gfx::Size screen);

// The window for an icon of that size whose frame's top-left corner is at `topLeft`.
platform::ui::WindowTemplate IconWindowTemplate(gfx::Point topLeft, int iconSize);

// Shows the icon modally until it is tapped. It puts itself on top again every 10 seconds.
void RunIconWindow(platform::Platform& platform, platform::ui::UserInterface& ui,
                   const ToolbarProfileStore& store, platform::ui::Window* owner);

// Shows the icon without waiting and without a tap action, for the position window to move; the
// icon goes away with the returned target.
std::unique_ptr<PositionTarget> ShowIconWindowForPositioning(platform::Platform& platform,
                                                             platform::ui::UserInterface& ui,
                                                             const ToolbarProfileStore& store,
                                                             platform::ui::Window* owner);

}  // namespace vexa::toolbar
