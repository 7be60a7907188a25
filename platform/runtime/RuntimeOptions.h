#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/gfx/Geometry.h"
#include "platform/Clock.h"
#include "platform/ModuleLocation.h"

namespace vexa::platform {

// The options every program of the suite takes besides the device options of ModuleLocation.h
// (--device-root, --module-path, --lang):
//
//   --headless              no windows on a display, virtual time, recorded processes, window list
//                           and sound; the input comes from --scenario
//   --screen WxH            the device's screen, e.g. --screen 480x272 (also VEXA_SCREEN=WxH);
//                           800x480 when neither is given
//   --scenario FILE         the actions of a headless run (a host file)
//   --log FILE              every effect as JSON lines (a host file, replaced)
//   --start-time "YYYY-MM-DD HH:MM:SS"   the virtual clock's start in a headless run
//
// Values go as "--name VALUE" or "--name=VALUE". "--" ends the options; everything after it, and
// every argument that is not an option of ours, is the program's own command line.
struct RuntimeOptions {
  static constexpr gfx::Size kDefaultScreen{800, 480};

  bool headless = false;
  gfx::Size screen = kDefaultScreen;
  std::optional<std::string> scenario;
  std::optional<std::string> log;
  std::optional<DateTime> startTime;
  DeviceOptions device;             // hostExecutable left empty
  std::vector<std::string> errors;  // options that were wrong: the program does not start
};

RuntimeOptions ParseRuntimeOptions(int argc, const char* const* argv, const EnvironmentLookup& environment);

// "800x480" (or "800X480"); sides from 16 to 8192 pixels. Nullopt for anything else.
std::optional<gfx::Size> ParseScreenSize(std::string_view text);

}  // namespace vexa::platform
