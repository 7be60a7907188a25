#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Environment.h"
#include "platform/ui/UserInterface.h"

namespace vexa::deck {

struct BackgroundDialogInput {
  // The background list as the launcher holds it: sorted, common pictures marked with a leading "+".
  std::vector<std::u16string> backgrounds;
  // The skin's [Background] ImageFile, selected on opening when it is in the list.
  std::u16string selected;
  // The skin root ([Skin] SkinFolder with a backslash at its end), where the button logos lie.
  std::u16string skinRoot;
  // The skin's [ButtonLogo] UpImageFile, which picks the logo radio checked on opening.
  std::u16string buttonLogo;
  // Shows a background of the list at once behind the dialog (nothing is saved).
  std::function<void(std::u16string_view listName)> preview;
};

// The background chooser of BGND-CHANGE: picking a name shows it at once; returns when it closes.
void RunBackgroundDialog(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                         const BackgroundDialogInput& input);

}  // namespace vexa::deck
