#pragma once

#include "platform/ControlFonts.h"

namespace vexa::platform {

class QtUserInterface;

// Control fonts of our Qt windows: the font goes to the control through Window::SetControlFont. A
// window or control that does not exist is ignored.
class QtControlFonts : public ControlFonts {
 public:
  explicit QtControlFonts(QtUserInterface& ui) : ui_(ui) {}
  void SetFont(ControlHandle control, const FontSpec& font) override;

 private:
  QtUserInterface& ui_;
};

}  // namespace vexa::platform
