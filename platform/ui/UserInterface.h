#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/gfx/Bitmap.h"
#include "platform/Handles.h"
#include "platform/ui/Window.h"

namespace vexa::platform::ui {

// Windows of this program: made from templates, run modally (a nested loop) or modelessly.
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Makes the window, calls OnInit, shows it and runs a nested loop until EndModal (its result) or a
  // close (result 0). The owner is disabled meanwhile. The window is gone when this returns.
  virtual int RunModal(const WindowTemplate& tmpl, WindowHandler& handler, Window* owner) = 0;
  // Makes the window, calls OnInit and shows it. The user interface owns it until it is destroyed.
  virtual Window& CreateModeless(const WindowTemplate& tmpl, WindowHandler& handler, Window* owner) = 0;
  // A child window inside `parent` (tab pages); its template rectangle is in the parent's client
  // coordinates.
  virtual Window& CreateChild(Window& parent, const WindowTemplate& tmpl, WindowHandler& handler) = 0;
  // One of our windows by handle; null when it is gone.
  virtual Window* Find(WindowHandle handle) = 0;
  // Our top-level windows, the topmost first.
  virtual std::vector<Window*> TopLevelWindows() = 0;

  // The device's screen, not the host monitor's.
  virtual gfx::Size ScreenSize() const = 0;
  virtual void SetWaitCursor(bool waiting) = 0;
  // Ends every running loop; the program then leaves with this code.
  virtual void Quit(int exitCode) = 0;
};

// The common dialogs besides message boxes and the folder picker. File pickers show the device tree
// only and answer device paths.
class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // `filter` is written the device's way: "(*.exe)|*.exe|" or "Registry file(*.reg)|*.reg".
  // Nullopt when cancelled.
  virtual std::optional<std::u16string> OpenFile(WindowHandle owner, std::u16string_view filter,
                                                 std::u16string_view initialFolder) = 0;
  virtual std::optional<gfx::ColorRef> ChooseColor(WindowHandle owner, gfx::ColorRef initial) = 0;
};

}  // namespace vexa::platform::ui
