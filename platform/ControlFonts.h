#pragma once

#include <string>

#include "platform/Handles.h"

namespace vexa::platform {

// One numbered control of a window.
struct ControlHandle {
  WindowHandle window = kNoWindow;
  int id = 0;
};

struct FontSpec {
  std::u16string face;
  int height = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// Gives a control the font it draws its text with; the font lives as long as the control shows it.
class ControlFonts {
 public:
  virtual ~ControlFonts() = default;
  virtual void SetFont(ControlHandle control, const FontSpec& font) = 0;
};

}  // namespace vexa::platform
