#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"
#include "platform/ui/UserInterface.h"

namespace vexa::platform {

// What the runtime needs to know about a program.
struct ProgramInfo {
  // The program's name, for messages: "VexaDeck".
  std::u16string name;
  // The set of compiled-in pictures (platform/ui/ResourceIds.h). Empty: the name in lower case
  // without a leading "vexa" ("VexaDeck" uses "deck").
  std::string resourceSet;
  // What the program takes on its own command line, one sentence for --help (UTF-8). Empty: the
  // arguments are handed over as they are.
  std::string commandLineHelp;
};

// The body of a program: runs with the device services and the user interface, answers the exit code.
using ProgramMain = std::function<int(Platform&, ui::UserInterface&)>;

// Starts a program of the suite: reads the options (RuntimeOptions.h and ModuleLocation.h; all are
// described in docs/running.md), finds the device tree and the program's place in it, sets up the
// adapters of the mode asked for (the desktop's real ones, or the headless ones: virtual time, a
// scenario, recorded processes, an in-process window list, silent sound), runs `main` and answers
// the exit code: 3 when a scenario action failed, else main's when it is not 0, else the one given
// to UserInterface::Quit.
//
// --help prints the options (HelpText) to stdout and answers 0 without running `main`.
//
// Wrong or unknown options, a device tree that cannot be found, a desktop run without a display that
// answers (DisplayCheck.h: Qt would abort) and a scenario file that cannot be read or has a wrong
// line print a message to stderr and answer 2 without running `main` (a wrong scenario line is
// logged as "scenario_error" too).
//
// A run without XDG_RUNTIME_DIR gets a private runtime folder for Qt (RuntimeFolder.h), removed at
// the end.
int RunProgram(int argc, char** argv, const ProgramInfo& info, const ProgramMain& main);

}  // namespace vexa::platform
