#include "platform/MessageBoxes.h"

namespace vexa::platform {

MessageAnswer DefaultAnswer(const MessageBoxRequest& request) {
  // Buttons in the order the box shows them; a default past the last button falls back to the first.
  auto pick = [&](std::initializer_list<MessageAnswer> buttons) {
    const auto index = static_cast<std::size_t>(request.defaultButton);
    return index < buttons.size() ? *(buttons.begin() + index) : *buttons.begin();
  };
  switch (request.buttons) {
    case MessageButtons::kOk:
      return MessageAnswer::kOk;
    case MessageButtons::kOkCancel:
      return pick({MessageAnswer::kOk, MessageAnswer::kCancel});
    case MessageButtons::kYesNo:
      return pick({MessageAnswer::kYes, MessageAnswer::kNo});
    case MessageButtons::kYesNoCancel:
      return pick({MessageAnswer::kYes, MessageAnswer::kNo, MessageAnswer::kCancel});
    case MessageButtons::kRetryCancel:
      return pick({MessageAnswer::kRetry, MessageAnswer::kCancel});
  }
  return MessageAnswer::kOk;
}

}  // namespace vexa::platform
