// VexaIntro: the start-up screen. Shows the logo, then switches to the plain desktop and starts the
// programs chosen in VexaIntro.ini beside it; a tap on the logo shows a menu of the same choices.

#include "common/Environment.h"
#include "intro/IntroWindow.h"
#include "platform/runtime/ProgramRuntime.h"

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"VexaIntro";
  info.commandLineHelp = "none; the intro reads no command line";
  return vexa::platform::RunProgram(
      argc, argv, info, [](vexa::platform::Platform& platform, vexa::platform::ui::UserInterface& ui) {
        vexa::Environment env(platform, vexa::Flavor::kDeck);
        vexa::intro::RunIntroWindow(env, ui);
        return 0;
      });
}
