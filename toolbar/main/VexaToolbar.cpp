// VexaToolbar: the always-on-top toolbar with its program buttons, groups, task manager, keyboard
// and clock.

#include "platform/runtime/ProgramRuntime.h"
#include "toolbar/ToolbarProgram.h"

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"VexaToolbar";
  info.commandLineHelp = "none; the toolbar reads no command line and ignores what it is given";
  return vexa::platform::RunProgram(argc, argv, info, vexa::toolbar::RunToolbar);
}
