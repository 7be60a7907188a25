// VexaDeck: the launcher shell.

#include "deck/DeckProgram.h"
#include "platform/runtime/ProgramRuntime.h"

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"VexaDeck";
  return vexa::platform::RunProgram(argc, argv, info, vexa::deck::RunDeck);
}
