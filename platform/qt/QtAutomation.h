#pragma once

#include <QPointer>
#include <string>

#include "platform/ui/Automation.h"

#include <QWidget>

namespace vexa::platform {

class QtUserInterface;
class QtWindow;

// Drives the windows of a QtUserInterface as a user would.
//
// Pointer actions find the topmost visible window of ours whose client area holds the point (by our
// own z-order record and the windows' geometry, which works without a display), then the control
// under the point, and send it real QMouseEvents, so the same Qt controls and handlers run as for a
// real tap. As with a real pointer, the widget that took the press gets the moves and the release
// until the button is up. A press on a window raises it unless it is one that does not take the focus.
//
// Control actions find the window by title (the topmost visible one; exact spelling first, then
// without regard to case), including child windows such as tab pages, and then act through
// QtWindow's user paths, which first find a control named by its caption (ui::ControlRef): Click
// presses a button (owner-drawn ones through the pointer path, so the handler sees press and
// release), Choose picks an item by its text (or a "YYYY-MM-DD" date of a month calendar) and
// notifies the selection change, Type replaces an edit's text and notifies the change, Check sets a
// check box or radio button and notifies a click if the state changed.
// Hidden or disabled windows and controls refuse, as they would a user.
class QtAutomation : public ui::Automation {
 public:
  explicit QtAutomation(QtUserInterface& ui) : ui_(ui) {}

  std::string Press(gfx::Point screen) override;
  std::string Move(gfx::Point screen) override;
  std::string Release(gfx::Point screen) override;

  std::string Click(std::u16string_view title, const ui::ControlRef& control) override;
  std::string Choose(std::u16string_view title, const ui::ControlRef& control,
                     std::u16string_view item) override;
  std::string Type(std::u16string_view title, const ui::ControlRef& control,
                   std::u16string_view text) override;
  std::string Check(std::u16string_view title, const ui::ControlRef& control, ui::CheckState state) override;
  // The client area as it looks now, saved as PNG.
  std::string Screenshot(std::u16string_view title, std::string_view hostPath) override;
  // The visible top-level windows drawn bottom first at their places (frames included) on a black
  // screen of the device's size; what lies off the screen is cut away.
  std::string ScreenScreenshot(std::string_view hostPath, std::vector<std::u16string>& windows) override;

 private:
  QtWindow* WindowAt(gfx::Point screen);
  QtWindow* WindowTitled(std::u16string_view title, bool mustBeVisible, std::string& error);

  QtUserInterface& ui_;
  QPointer<QWidget> grabber_;  // the widget that took the press, while the button is down
};

}  // namespace vexa::platform
