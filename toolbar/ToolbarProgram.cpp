#include "toolbar/ToolbarProgram.h"

#include <optional>

#include "platform/ui/WindowList.h"
#include "toolbar/ToolbarButtons.h"
#include "toolbar/ToolbarWindow.h"

namespace vexa::toolbar {

int RunToolbar(platform::Platform& platform, platform::ui::UserInterface& ui) {
  if (platform.windowList != nullptr) {
    // The hidden toolbar and its shown icon share the title: the one on the screen comes forward.
    std::optional<platform::ui::ForeignWindow> running;
    for (const platform::ui::ForeignWindow window : platform.windowList->Enumerate()) {
      if (platform.windowList->Title(window) != kToolbarTitle) continue;
      if (platform.windowList->IsVisible(window)) {
        running = window;
        break;
      }
      if (!running) running = window;
    }
    if (running) {
      platform.windowList->SetForeground(*running);
      return 0;
    }
  }
  ToolbarWindow window(platform, ui);
  window.Run();
  return 0;
}

}  // namespace vexa::toolbar
