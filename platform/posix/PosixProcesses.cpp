#include "platform/posix/PosixProcesses.h"

#include <dirent.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

#include "common/text/Text.h"
#include "platform/CommandLine.h"

extern char** environ;

namespace vexa::platform {

namespace {

// The folder part of a host path ("/dev/root/Storage Card/Player/play" -> ".../Player"); "/" for a
// file in the root.
std::string HostFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool IsExecutableFile(const std::string& hostPath) {
  struct stat info {};
  if (stat(hostPath.c_str(), &info) != 0) return false;
  return S_ISREG(info.st_mode) && (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}

// Owns the attribute objects of one posix_spawn call.
class SpawnSetup {
 public:
  SpawnSetup() {
    attributesReady_ = posix_spawnattr_init(&attributes_) == 0;
    actionsReady_ = posix_spawn_file_actions_init(&actions_) == 0;
  }
  ~SpawnSetup() {
    if (attributesReady_) posix_spawnattr_destroy(&attributes_);
    if (actionsReady_) posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  // A clean signal state for the new program, and its current folder.
  bool Prepare(const std::string& folder) {
    if (!attributesReady_ || !actionsReady_) return false;
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    return posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
           posix_spawnattr_setsigdefault(&attributes_, &all) == 0 &&
           posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0 &&
           posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str()) == 0;
  }

  const posix_spawnattr_t* attributes() const { return &attributes_; }
  const posix_spawn_file_actions_t* actions() const { return &actions_; }

 private:
  posix_spawnattr_t attributes_{};
  posix_spawn_file_actions_t actions_{};
  bool attributesReady_ = false;
  bool actionsReady_ = false;
};

// Waits for a started program in the background so that it does not stay a zombie once it ends.
void ReapLater(pid_t pid) {
  try {
    std::thread([pid] {
      int status = 0;
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the program still runs; it is reaped when we end.
  }
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return content;
}

// The file name of a process's program. /proc/<pid>/exe links to it:
//   /proc/4242/exe -> /usr/bin/sleep
// and ends in " (deleted)" when the file was removed after the start. The link cannot be read for
// another user's processes and kernel threads; then the first item of cmdline, whose items end in NUL
// ("sleep\0" "30\0"), and last the kernel's short name in comm ("kworker/0:1\n").
std::string ProcessFileName(const std::string& folder) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = readlink((folder + "/exe").c_str(), target.data(), target.size());
  if (length > 0) {
    target.resize(static_cast<std::size_t>(length));
    constexpr std::string_view kDeleted = " (deleted)";
    if (target.ends_with(kDeleted)) target.resize(target.size() - kDeleted.size());
    std::string name = BaseNameOf(target);
    if (!name.empty()) return name;
  }
  if (const auto cmdline = ReadSmallFile(folder + "/cmdline")) {
    std::string name = BaseNameOf(std::string_view(cmdline->c_str()));
    if (!name.empty()) return name;
  }
  if (auto comm = ReadSmallFile(folder + "/comm")) {
    while (!comm->empty() && (comm->back() == '\n' || comm->back() == '\0')) comm->pop_back();
    return *comm;
  }
  return {};
}

}  // namespace

bool PosixProcesses::Start(std::u16string_view application, std::u16string_view commandLine) {
  const std::optional<std::string> program = files_.HostPath(application);
  if (!program || !IsExecutableFile(*program)) return false;

  std::vector<std::string> arguments{*program};
  for (const std::u16string& argument : SplitCommandLine(commandLine)) {
    std::optional<std::string> host;
    if (argument.starts_with(u'\\')) host = files_.HostPath(argument);
    arguments.push_back(host ? *host : text::ToUtf8(argument));
  }
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  SpawnSetup setup;
  if (!setup.Prepare(HostFolderOf(*program))) return false;
  pid_t pid = 0;
  // glibc reports a failed exec (ENOEXEC, EACCES, ...) as the result of posix_spawn itself.
  if (posix_spawn(&pid, program->c_str(), setup.actions(), setup.attributes(), argv.data(), environ) != 0) {
    return false;
  }
  ReapLater(pid);
  return true;
}

std::vector<ProcessInfo> PosixProcesses::List() {
  std::vector<ProcessInfo> processes;
  const std::unique_ptr<DIR, int (*)(DIR*)> proc(opendir("/proc"), closedir);
  if (!proc) return processes;
  while (const dirent* entry = readdir(proc.get())) {
    const std::string_view name = entry->d_name;
    if (name.empty() || name.find_first_not_of("0123456789") != std::string_view::npos) continue;
    if (name.size() > 10) continue;
    const unsigned long long id = std::stoull(std::string(name));
    if (id == 0 || id > UINT32_MAX) continue;
    const std::string folder = "/proc/" + std::string(name);
    std::string file = ProcessFileName(folder);
    // A process that ended between the listing and the reading has nothing left to show.
    if (file.empty()) continue;
    processes.push_back({static_cast<std::uint32_t>(id), text::FromUtf8(file)});
  }
  return processes;
}

bool PosixProcesses::Terminate(std::uint32_t id) {
  // 0 and 1 are never ended: kill(0) would hit our whole process group, 1 is the host's init.
  if (id <= 1 || id > static_cast<std::uint32_t>(INT_MAX)) return false;
  return kill(static_cast<pid_t>(id), SIGKILL) == 0;
}

}  // namespace vexa::platform
