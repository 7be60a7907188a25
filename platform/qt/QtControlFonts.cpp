#include "platform/qt/QtControlFonts.h"

#include "platform/qt/QtUserInterface.h"
#include "platform/qt/QtWindow.h"

namespace vexa::platform {

void QtControlFonts::SetFont(ControlHandle control, const FontSpec& font) {
  if (QtWindow* window = ui_.FindWindow(control.window)) window->SetControlFont(control.id, font);
}

}  // namespace vexa::platform
