#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/gfx/Bitmap.h"

namespace vexa::platform::ui {

// A top-level window of any program on the device, by the id the window system gives it.
using ForeignWindow = std::uint64_t;

// The device's top-level windows, ours and other programs'.
class WindowList {
 public:
  virtual ~WindowList() = default;

  // The first window with this title and/or class (an absent value matches any); nullopt when none.
  virtual std::optional<ForeignWindow> Find(std::optional<std::u16string_view> title,
                                            std::optional<std::u16string_view> className) = 0;
  // Top-level windows, top of the z-order first.
  virtual std::vector<ForeignWindow> Enumerate() = 0;
  virtual bool IsVisible(ForeignWindow window) = 0;
  virtual std::u16string Title(ForeignWindow window) = 0;
  virtual std::u16string ClassName(ForeignWindow window) = 0;
  virtual std::optional<gfx::Bitmap> Icon(ForeignWindow window) = 0;
  virtual bool SetForeground(ForeignWindow window) = 0;
  // Asks the window to close (the window manager's close request).
  virtual bool PostClose(ForeignWindow window) = 0;
  virtual bool SetTopMost(ForeignWindow window, bool topMost) = 0;
  virtual bool Show(ForeignWindow window, bool visible) = 0;
  // Sends the window a right-button press at its (0, 0), as the device's launcher does to open the
  // taskbar's menu after showing it; false when the window is gone.
  virtual bool PressRightButton(ForeignWindow window) = 0;
  // Presses and releases a key in the foreground window; `virtualKey` is the device's key code.
  virtual bool SendKey(int virtualKey) = 0;
};

}  // namespace vexa::platform::ui
