#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/gfx/Geometry.h"
#include "platform/Clock.h"
#include "platform/ModuleLocation.h"
#include "platform/posix/SerialSource.h"

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
//   --port COM2:=SOURCE     what stands behind a serial port in a desktop run (repeatable; also
//                           VEXA_PORTS="COM2:=/dev/ttyUSB0;COM3:=gpsd", the option winning per
//                           port): a host device path, pty, file:PATH, gpsd or gpsd://HOST:PORT
//   --host-clock            setting the device clock sets the host's clock instead of the device
//                           tree's clock offset
//   --print-registry        the device registry's keys and values on stdout; nothing runs
//   --watch-skin            the launcher reloads its skin when a file of it changes (also
//                           VEXA_WATCH_SKIN=1)
//   --help                  the options and the program's command line on stdout; nothing runs
//
// Values go as "--name VALUE" or "--name=VALUE". "--" ends the options; everything after it, and
// every argument before it that does not start with "--", is the program's own command line. Any
// other argument starting with "--" is a mistyped option: an error naming the option it is likely
// meant to be, so that "--sreen 480x272" does not quietly start at the default size.
struct RuntimeOptions {
  static constexpr gfx::Size kDefaultScreen{800, 480};

  bool help = false;
  bool headless = false;
  gfx::Size screen = kDefaultScreen;
  std::optional<std::string> scenario;
  std::optional<std::string> log;
  std::optional<DateTime> startTime;
  SerialPortMap ports;
  bool hostClock = false;
  bool printRegistry = false;
  bool watchSkin = false;
  DeviceOptions device;             // hostExecutable left empty
  std::vector<std::string> errors;  // options that were wrong: the program does not start
};

RuntimeOptions ParseRuntimeOptions(int argc, const char* const* argv, const EnvironmentLookup& environment);

// The text --help prints: how to call `program`, every option of the suite, and `commandLine`, what
// the program itself takes on its command line.
std::string HelpText(std::string_view program, std::string_view commandLine);

// "800x480" (or "800X480"); sides from 16 to 8192 pixels. Nullopt for anything else.
std::optional<gfx::Size> ParseScreenSize(std::string_view text);

}  // namespace vexa::platform
