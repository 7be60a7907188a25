#pragma once

#include "common/ToolbarProfileStore.h"
#include "platform/Processes.h"

// What the toolbar does as it starts, besides showing itself.
namespace vexa::toolbar {

// Makes sure the device's desktop runs: ends every "gn_intro.exe" (the start-up screen) and, when no
// "explorer.exe" runs, starts "\Windows\explorer.exe". Process names compare in small letters; at
// most 256 processes are looked at.
void EnsureDesktop(platform::Processes& processes);

// Starts the programs of Run1, Run2 and Run3 whose Execute is "Y" and whose ExeFilePath is set, in
// that order, without waiting between them.
void AutoRun(ToolbarProfileStore& store);

}  // namespace vexa::toolbar
