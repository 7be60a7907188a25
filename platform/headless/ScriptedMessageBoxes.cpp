#include "platform/headless/ScriptedMessageBoxes.h"

namespace vexa::platform {

MessageAnswer ScriptedMessageBoxes::Show(const MessageBoxRequest& request) {
  MessageAnswer answer = DefaultAnswer(request);
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  shown_.push_back({request, answer});
  return answer;
}

}  // namespace vexa::platform
