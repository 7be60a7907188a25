#pragma once

#include "platform/EffectLog.h"
#include "platform/MessageBoxes.h"

namespace vexa::platform {

class QtUserInterface;

// Message boxes as real QMessageBoxes, shown modally over their owner through the user interface's
// event pump. The buttons come in the device's order (OK Cancel, Yes No, Yes No Cancel, Retry Cancel)
// and the default one is the request's. Closing the box without a button (Escape, the close box)
// answers Cancel when the box has one, else its default button. Each box is logged as
// "message_box" {caption, text, buttons, icon, answer}, with the names the headless mode uses
// (buttons ok, ok_cancel, yes_no, yes_no_cancel, retry_cancel; icon none, information, exclamation,
// question, stop; answer ok, cancel, retry, yes, no).
class QtMessageBoxes : public MessageBoxes {
 public:
  QtMessageBoxes(QtUserInterface& ui, EffectLog& log) : ui_(ui), log_(log) {}
  MessageAnswer Show(const MessageBoxRequest& request) override;

 private:
  QtUserInterface& ui_;
  EffectLog& log_;
};

}  // namespace vexa::platform
