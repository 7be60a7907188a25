#include "deck/DeckProgram.h"

#include "common/Environment.h"
#include "deck/DeckStartup.h"
#include "deck/DeckWindow.h"
#include "platform/ui/WindowList.h"

namespace vexa::deck {

int RunDeck(platform::Platform& platform, platform::ui::UserInterface& ui) {
  // One launcher at a time: a second start brings the first one forward and ends.
  if (platform.windowList != nullptr) {
    if (auto running = platform.windowList->Find(kDeckTitle, std::nullopt)) {
      platform.windowList->SetForeground(*running);
      return 0;
    }
  }
  Environment env(platform);
  DeckWindow window(env, ui);
  window.Run();
  return 0;
}

}  // namespace vexa::deck
