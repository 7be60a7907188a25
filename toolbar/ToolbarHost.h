#pragma once

#include <memory>

#include "common/ToolbarProfileStore.h"
#include "common/gfx/Geometry.h"
#include "platform/Platform.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

// What the toolbar's own windows (task manager, hot-key setup, calendar, GPS time, settings and
// position windows) need of the toolbar window that opens them.
namespace vexa::toolbar {

// Something the position window moves: the toolbar, or its minimised icon.
class PositionTarget {
 public:
  virtual ~PositionTarget() = default;
  // Where the window is on the screen, and its size.
  virtual gfx::Rect Bounds() const = 0;
  // Moves it there at once (the toolbar also writes XPosition / YPosition into the store).
  virtual void MoveTo(gfx::Point topLeft) = 0;
};

class ToolbarHost {
 public:
  virtual ~ToolbarHost() = default;

  virtual platform::Platform& Platform() = 0;
  virtual platform::ui::UserInterface& Ui() = 0;
  // The store holding "\VexaToolbar.ini", shared by every window of the program.
  virtual ToolbarProfileStore& Store() = 0;
  // The settings file's device path.
  virtual std::u16string SettingsPath() const = 0;
  // The toolbar window: owner of the windows it opens.
  virtual platform::ui::Window& Window() = 0;
  // The toolbar as the position window moves it.
  virtual PositionTarget& Toolbar() = 0;
  // Where a button is on the screen (for the lists opened beside it).
  virtual gfx::Rect ButtonBounds(int controlId) const = 0;
  // True when the buttons stack downwards (Rotation "Vertical", letter case ignored).
  virtual bool Vertical() const = 0;

  // Lays the buttons out again from the store and writes the toolbar's position to XPosition /
  // YPosition.
  virtual void Relayout() = 0;
  // Reads the settings file again, discarding every change in the store.
  virtual void ReloadSettings() = 0;
  // Puts the toolbar on top again (after another window was made top-most).
  virtual void PutOnTop() = 0;
  // After the settings were saved: stops the clock timer and starts it again when ClockShow is "Y",
  // else hides the clock label.
  virtual void ApplyClockSetting() = 0;
  // Shows the minimised icon in positioning mode (not modal, no tap action) until the returned
  // target is destroyed.
  virtual std::unique_ptr<PositionTarget> ShowIconForPositioning() = 0;
};

}  // namespace vexa::toolbar
