// VexaXRun: the start-up runner. Imports up to three registry files and starts up to three programs,
// as its own program file says; "CONFIG:" and a runner's path open the configuration of that runner.

#include "common/PathTokens.h"
#include "platform/runtime/ProgramRuntime.h"
#include "xrun/RegistryImport.h"
#include "xrun/XRunProgram.h"

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"VexaXRun";
  info.commandLineHelp =
      "none to run the settings stored in the program file; CONFIG:PATH to change those of the runner at "
      "the device path PATH";
  return vexa::platform::RunProgram(
      argc, argv, info, [](vexa::platform::Platform& platform, vexa::platform::ui::UserInterface& ui) {
        vexa::PathTokens paths(platform.shell, platform.modulePath, vexa::Flavor::kRunner);
        vexa::xrun::RunnerServices services;
        services.importRegistryFile =
            [&platform, folder = paths.GetPath(vexa::PATH_PROGRAM_DIR)](std::u16string_view path) {
              return vexa::xrun::ImportRegistryFile(platform, path, folder);
            };
        return vexa::xrun::RunXRun(platform, ui, services);
      });
}
