#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/gfx/Geometry.h"
#include "platform/ui/Window.h"

namespace vexa::platform::ui {

// A control as a scenario names it: by its number, or by the caption the user reads on it.
//
// A caption is matched exactly: every character, letter case counting, against the text the control
// shows now (a '&' is an ordinary character: our captions carry no mnemonics). Buttons, check boxes
// and radio buttons are named by their own text; edits, lists, combo boxes, tabs and month calendars,
// which have no caption of their own, by the static text placed right before them in their window's
// template, the label the user reads beside them ("Width:"). Only the controls the action can work
// are looked at first (buttons for a click, edits for typing ...); when none of them has the caption,
// any control showing it as its own text is taken, so the action reports what that control is.
// Two visible controls with the caption are an error, as is none.
struct ControlRef {
  // A bare number names a control as it always has: Click(title, 1005).
  ControlRef(int controlId) : id(controlId) {}  // NOLINT(google-explicit-constructor)
  static ControlRef Captioned(std::u16string_view text) {
    ControlRef ref(0);
    ref.caption = std::u16string(text);
    return ref;
  }

  int id = 0;
  std::optional<std::u16string> caption;  // set when the control is named by its caption
};

// Drives our own windows the way a user would, for scenarios and tests. Every action goes through the
// same controls and handlers a real tap or click reaches. Each returns an error text, empty on success
// ("no window titled ...", "window ... has no control 1005", "window ... has no control captioned \"Save\"").
class Automation {
 public:
  virtual ~Automation() = default;

  // Pointer actions at screen coordinates: they reach whatever window of ours lies there, topmost first.
  virtual std::string Press(gfx::Point screen) = 0;
  virtual std::string Move(gfx::Point screen) = 0;
  virtual std::string Release(gfx::Point screen) = 0;

  // Control actions in the window with this title, on a control named by number or caption.
  virtual std::string Click(std::u16string_view title, const ControlRef& control) = 0;
  virtual std::string Choose(std::u16string_view title, const ControlRef& control,
                             std::u16string_view item) = 0;
  virtual std::string Type(std::u16string_view title, const ControlRef& control,
                           std::u16string_view text) = 0;
  virtual std::string Check(std::u16string_view title, const ControlRef& control, CheckState state) = 0;
  // Saves the window's current look as a PNG file at a host path.
  virtual std::string Screenshot(std::u16string_view title, std::string_view hostPath) = 0;
  // Saves the whole screen as a PNG file at a host path: every visible window of ours as stacked, at
  // the device's screen size. `windows` receives the titles of the windows on it, the top one first.
  virtual std::string ScreenScreenshot(std::string_view hostPath, std::vector<std::u16string>& windows) = 0;
};

}  // namespace vexa::platform::ui
