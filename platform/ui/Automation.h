#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/gfx/Geometry.h"
#include "platform/ui/Window.h"

namespace vexa::platform::ui {

// Drives our own windows the way a user would, for scenarios and tests. Every action goes through the
// same controls and handlers a real tap or click reaches. Each returns an error text, empty on success
// ("no window titled ...", "window ... has no control 1005").
class Automation {
 public:
  virtual ~Automation() = default;

  // Pointer actions at screen coordinates: they reach whatever window of ours lies there, topmost first.
  virtual std::string Press(gfx::Point screen) = 0;
  virtual std::string Move(gfx::Point screen) = 0;
  virtual std::string Release(gfx::Point screen) = 0;

  // Control actions in the window with this title.
  virtual std::string Click(std::u16string_view title, int controlId) = 0;
  virtual std::string Choose(std::u16string_view title, int controlId, std::u16string_view item) = 0;
  virtual std::string Type(std::u16string_view title, int controlId, std::u16string_view text) = 0;
  virtual std::string Check(std::u16string_view title, int controlId, CheckState state) = 0;
  // Saves the window's current look as a PNG file at a host path.
  virtual std::string Screenshot(std::u16string_view title, std::string_view hostPath) = 0;
  // Saves the whole screen as a PNG file at a host path: every visible window of ours as stacked, at
  // the device's screen size. `windows` receives the titles of the windows on it, the top one first.
  virtual std::string ScreenScreenshot(std::string_view hostPath, std::vector<std::u16string>& windows) = 0;
};

}  // namespace vexa::platform::ui
