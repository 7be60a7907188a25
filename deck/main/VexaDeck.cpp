// VexaDeck: the launcher shell.

#include "deck/DeckProgram.h"
#include "platform/runtime/ProgramRuntime.h"

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"VexaDeck";
  info.commandLineHelp = "none; the launcher reads no command line and ignores what it is given";
  return vexa::platform::RunProgram(argc, argv, info, vexa::deck::RunDeck);
}
