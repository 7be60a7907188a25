// VexaLnkChk: finds the shortcuts of the launcher's program groups made for a storage card of another
// name and rewrites them for the card the program runs from.

#include "common/Environment.h"
#include "lnkchk/LinkCheckerWindow.h"
#include "platform/runtime/ProgramRuntime.h"

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"VexaLnkChk";
  info.commandLineHelp = "none; the checker reads no command line";
  return vexa::platform::RunProgram(
      argc, argv, info, [](vexa::platform::Platform& platform, vexa::platform::ui::UserInterface& ui) {
        vexa::Environment env(platform, vexa::Flavor::kDeck);
        vexa::lnkchk::RunLinkChecker(env, ui);
        return 0;
      });
}
