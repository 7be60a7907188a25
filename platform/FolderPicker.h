#pragma once

#include <string>
#include <string_view>

#include "platform/Handles.h"

namespace vexa::platform {

// The folder picker: shows the device's folders and answers the chosen device path, or an empty text
// when the user cancelled.
class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  virtual std::u16string Browse(WindowHandle owner, std::u16string_view title) = 0;
};

}  // namespace vexa::platform
