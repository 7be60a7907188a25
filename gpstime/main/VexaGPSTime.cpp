// VexaGPSTime: sets the device clock from the GPS receiver's time, then shows the running clock.

#include "common/Environment.h"
#include "gpstime/GpsTimeWindow.h"
#include "platform/runtime/ProgramRuntime.h"

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"VexaGPSTime";
  info.commandLineHelp = "none; the program reads no command line";
  return vexa::platform::RunProgram(
      argc, argv, info, [](vexa::platform::Platform& platform, vexa::platform::ui::UserInterface& ui) {
        vexa::Environment env(platform, vexa::Flavor::kDeck);
        vexa::gpstime::RunGpsTimeWindow(env, ui);
        return 0;
      });
}
