#pragma once

#include <initializer_list>
#include <string>

#include "platform/Handles.h"

namespace vexa::platform {

enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel, kRetryCancel };
enum class MessageIcon { kNone, kInformation, kExclamation, kQuestion, kStop };
enum class MessageAnswer { kOk = 1, kCancel = 2, kRetry = 4, kYes = 6, kNo = 7 };

struct MessageBoxRequest {
  WindowHandle owner = kNoWindow;
  std::u16string text;
  std::u16string caption;
  MessageButtons buttons = MessageButtons::kOk;
  MessageIcon icon = MessageIcon::kNone;
  int defaultButton = 0;  // 0 for the first button, 1 for the second, 2 for the third
};

// The answer a box gives when the user just confirms it: its default button.
MessageAnswer DefaultAnswer(const MessageBoxRequest& request);

// Modal message boxes.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const MessageBoxRequest& request) = 0;
};

}  // namespace vexa::platform
