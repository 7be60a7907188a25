#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where the running program lives on the device.
//
// Every program runs inside a device tree: a host folder standing for the device's root. It finds the
// tree and its own device path like this, the first rule that gives a value winning:
//
//   Device root (a host folder)
//     --device-root DIR  or  --device-root=DIR   on the command line
//     VEXA_DEVICE_ROOT=DIR                       in the environment
//     otherwise the nearest folder above the program file that holds a folder named "Windows" (in
//     any letter case), the device's system folder, which every device has.
//     An explicit root must be an existing folder.
//
//   The program's device path
//     --module-path PATH  or  --module-path=PATH   e.g. --module-path "\Storage Card\VexaDeck\VexaDeck.exe"
//     VEXA_MODULE_PATH=PATH                        in the environment
//     otherwise the program file's path inside the device root, with '\' separators and the letter
//     case found on disk. An explicit path has '/' turned into '\' and gets a leading '\' if it lacks
//     one.
//
//   Language of the device's messages
//     --lang en|ko  or  --lang=en|ko   (letter case ignored)
//     VEXA_LANG=en|ko
//
// "--" ends these options; everything after it is passed on unchanged. All other arguments, in order,
// are the program's own command line as the device would give it: joined by JoinCommandLine.
// An empty value in the environment counts as unset.
namespace vexa::platform {

struct LocateOptions {
  std::string hostExecutable;                // host path of the running program file (HostExecutablePath)
  std::optional<std::string> deviceRoot;     // explicit device root, a host folder
  std::optional<std::u16string> modulePath;  // explicit device path of the program file
};

struct ModuleLocation {
  std::string hostRoot;       // the device root as an absolute host path without links
  std::u16string devicePath;  // "\Storage Card\VexaDeck\VexaDeck.exe"
};

// Nullopt when no device root is found (or an explicit one is not a folder), or when the program's
// device path is not given and the program file lies outside the device root.
std::optional<ModuleLocation> LocateModule(const LocateOptions& options);

struct DeviceOptions {
  LocateOptions locate;                 // hostExecutable is left empty for the caller to fill
  std::optional<std::string> language;  // "en" or "ko"
  std::vector<std::string> arguments;   // the arguments that are not ours, in order
  std::vector<std::string> problems;    // one message per option that was wrong and ignored

  // The arguments as one command line, as the device hands it to a program.
  std::u16string CommandLine() const;
};

// Reads like std::getenv: the value of a variable, or null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// Takes our options out of argv[1..argc-1]; the environment fills what the command line leaves open.
DeviceOptions ParseDeviceOptions(int argc, const char* const* argv, const EnvironmentLookup& environment);

}  // namespace vexa::platform
