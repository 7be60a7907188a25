#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::platform {

struct ProcessInfo {
  std::uint32_t id = 0;
  std::u16string exeFile;  // file name only, as a process snapshot reports it: "VexaDeck.exe"
};

// Starting, listing and ending processes.
class Processes {
 public:
  virtual ~Processes() = default;

  // Starts the program file at a device path with a command line given as one text, the way the
  // device does it: the command line holds the arguments only and is split by the Windows rules.
  // Nothing is waited for and no handle is kept. False when the program cannot be started (it does
  // not exist, is not a program, or the start failed).
  virtual bool Start(std::u16string_view application, std::u16string_view commandLine) = 0;

  // The running processes, as a snapshot.
  virtual std::vector<ProcessInfo> List() = 0;

  // Ends a process by id; false when it does not exist or cannot be ended.
  virtual bool Terminate(std::uint32_t id) = 0;
};

}  // namespace vexa::platform
