#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Processes.h"

namespace vexa::platform {

// Processes of the Linux host.
//
// Start runs the host file a device path stands for, directly (no shell), with the arguments split
// from the command line by the Windows rules. Every argument that begins with '\' is taken for a
// device path and handed over as its host path, so that a host program (a media player, say) can
// open the file; when the file system refuses the path, the argument goes over unchanged. The
// program's argv[0] is its host path, its current folder is its own host folder (as programs on the
// device find their files next to themselves), the environment is ours, the signal mask is cleared
// and every signal has its default action. A script starting with "#!" runs through the kernel as
// usual.
//
// Nothing is waited for: a detached thread per started program waits for it to end and reaps it, so
// no program stays a zombie and the caller never blocks.
//
// List reads /proc. Terminate ends a process at once (SIGKILL), as the device's terminate does.
class PosixProcesses : public Processes {
 public:
  explicit PosixProcesses(FileSystem& files) : files_(files) {}

  bool Start(std::u16string_view application, std::u16string_view commandLine) override;
  std::vector<ProcessInfo> List() override;
  bool Terminate(std::uint32_t id) override;

 private:
  FileSystem& files_;
};

}  // namespace vexa::platform
