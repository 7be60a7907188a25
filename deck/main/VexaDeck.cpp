// VexaDeck: the launcher shell.

#include "common/Environment.h"
#include "deck/DeckStartup.h"
#include "deck/DeckWindow.h"
#include "platform/runtime/ProgramRuntime.h"
#include "platform/ui/WindowList.h"

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"VexaDeck";
  return vexa::platform::RunProgram(
      argc, argv, info, [](vexa::platform::Platform& platform, vexa::platform::ui::UserInterface& ui) {
        // One launcher at a time: a second start brings the first one forward and ends.
        if (platform.windowList != nullptr) {
          if (auto running = platform.windowList->Find(vexa::deck::kDeckTitle, std::nullopt)) {
            platform.windowList->SetForeground(*running);
            return 0;
          }
        }
        vexa::Environment env(platform);
        vexa::deck::DeckWindow window(env, ui);
        window.Run();
        return 0;
      });
}
