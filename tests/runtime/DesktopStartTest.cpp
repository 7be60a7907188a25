#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/runtime/DisplayCheck.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/TempDeviceTree.h"

extern char** environ;

namespace vexa::platform {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// ---- Choosing the platform, with made-up displays.

struct Host {
  explicit Host(std::map<std::string, std::string> variables_ = {}, bool xAnswers_ = false,
                bool waylandAnswers_ = false, bool plugin_ = true)
      : variables(std::move(variables_)),
        xAnswers(xAnswers_),
        waylandAnswers(waylandAnswers_),
        plugin(plugin_) {}

  std::map<std::string, std::string> variables;
  bool xAnswers;
  bool waylandAnswers;
  bool plugin;
  std::vector<std::string> probed;  // what was asked, in order

  std::variant<DisplayChoice, std::string> Choose() {
    DisplayProbes probes;
    probes.xAnswers = [this](const std::string& display) {
      probed.push_back("x " + display);
      return xAnswers;
    };
    probes.waylandAnswers = [this](const std::string& socket) {
      probed.push_back("wayland " + socket);
      return waylandAnswers;
    };
    probes.qtHasWayland = [this] { return plugin; };
    return ChooseDisplay(
        [this](const char* name) -> const char* {
          const auto found = variables.find(name);
          return found == variables.end() ? nullptr : found->second.c_str();
        },
        probes);
  }
};

std::string Chosen(const std::variant<DisplayChoice, std::string>& result) {
  if (const auto* problem = std::get_if<std::string>(&result)) return "error: " + *problem;
  return std::get<DisplayChoice>(result).platform;
}

TEST(DisplayCheckTest, TheDisplayThatAnswersIsChosenXFirst) {
  Host x{{{"DISPLAY", ":0"}}, true};
  EXPECT_EQ(Chosen(x.Choose()), "xcb");

  // On a Wayland desktop with an X server too, X places the windows where the device has them.
  Host both{{{"DISPLAY", ":0"},
             {"WAYLAND_DISPLAY", "wayland-0"},
             {"XDG_RUNTIME_DIR", "/run/user/7"},
             {"XDG_SESSION_TYPE", "wayland"}},
            true,
            true};
  EXPECT_EQ(Chosen(both.Choose()), "xcb");

  // A dead X server beside a working compositor.
  Host dead{
      {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/7"}}, false, true};
  EXPECT_EQ(Chosen(dead.Choose()), "wayland");
  EXPECT_THAT(dead.probed, ::testing::ElementsAre("x :0", "wayland /run/user/7/wayland-0"));
  Host waylandOnly{{{"WAYLAND_DISPLAY", "/tmp/w"}}, false, true};
  EXPECT_EQ(Chosen(waylandOnly.Choose()), "wayland");

  // A platform Qt is told to use is left to Qt when it works or needs no display.
  Host told{{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":0"}}, true};
  EXPECT_EQ(Chosen(told.Choose()), "");
  Host offscreen{{{"QT_QPA_PLATFORM", "offscreen"}}};
  EXPECT_EQ(Chosen(offscreen.Choose()), "");
  EXPECT_THAT(offscreen.probed, ::testing::IsEmpty());
  Host fallback{{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":0"}}, true};
  EXPECT_EQ(Chosen(fallback.Choose()), "");
}

TEST(DisplayCheckTest, ADisplayThatDoesNotAnswerIsAnErrorThatSaysWhatWasFound) {
  EXPECT_EQ(Chosen(Host{}.Choose()),
            "error: there is no display to show windows on: set DISPLAY, or run with --headless");
  EXPECT_EQ(
      Chosen(Host{{{"DISPLAY", ":97"}}}.Choose()),
      "error: no display answers: the X server of DISPLAY=:97 does not answer; give a display that runs, "
      "or run with --headless");
  EXPECT_EQ(
      Chosen(Host{{{"WAYLAND_DISPLAY", "wayland-0"}}}.Choose()),
      "error: no display answers: WAYLAND_DISPLAY=wayland-0 names a socket in XDG_RUNTIME_DIR, which is not "
      "set; give a display that runs, or run with --headless");
  EXPECT_THAT(Chosen(Host{{{"WAYLAND_DISPLAY", "/tmp/w"}}, false, true, false}.Choose()),
              HasSubstr("Qt's Wayland platform plugin is not installed"));
  EXPECT_EQ(
      Chosen(Host{{{"DISPLAY", ":97"}, {"WAYLAND_DISPLAY", "/tmp/w"}}}.Choose()),
      "error: no display answers: the X server of DISPLAY=:97 does not answer, and no Wayland compositor "
      "answers on /tmp/w (WAYLAND_DISPLAY); give a display that runs, or run with --headless");
  EXPECT_EQ(
      Chosen(Host{{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "/tmp/w"}}, false, true}.Choose()),
      "error: QT_QPA_PLATFORM=xcb cannot show windows: DISPLAY is not set; give a display that runs, or run "
      "with --headless");
}

// ---- The probes of this host.

// An X display number nobody serves: no socket file and no abstract socket of that name.
std::string UnservedDisplay() {
  for (int number = 590; number < 690; ++number) {
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    std::ifstream sockets("/proc/net/unix");
    const std::string all((std::istreambuf_iterator<char>(sockets)), std::istreambuf_iterator<char>());
    if (!std::filesystem::exists(socket) && all.find(socket) == std::string::npos) {
      return ":" + std::to_string(number);
    }
  }
  return ":689";
}

// A listening unix socket that never says a word; an abstract one when `path` starts with '@'.
class SilentServer {
 public:
  explicit SilentServer(const std::string& path) {
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    if (path.front() == '@') address.sun_path[0] = '\0';
    const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
    listening_ = bind(fd_, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(fd_, 4) == 0;
  }
  ~SilentServer() { close(fd_); }
  bool listening() const { return listening_; }

 private:
  int fd_ = -1;
  bool listening_ = false;
};

TEST(DisplayCheckTest, TheHostProbesTellAnsweringDisplaysFromDeadAndSilentOnes) {
  const DisplayProbes probes = HostDisplayProbes(std::chrono::milliseconds(300));
  EXPECT_FALSE(probes.xAnswers(UnservedDisplay()));

  // A server that takes the connection but never replies is given up on, not waited for.
  const std::string silent = UnservedDisplay();
  // Kept open until the process ends: the probe's thread is left waiting on it, and a server that
  // went away would wake that thread while the process is being torn down.
  static SilentServer* const kept = new SilentServer("@/tmp/.X11-unix/X" + silent.substr(1));
  const SilentServer& xServer = *kept;
  ASSERT_TRUE(xServer.listening());
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(probes.xAnswers(silent));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));

  testing::TempDeviceTree folder;
  const std::string socket = (folder.root() / "wayland-7").string();
  EXPECT_FALSE(probes.waylandAnswers(socket));
  {
    SilentServer compositor(socket);
    ASSERT_TRUE(compositor.listening());
    EXPECT_TRUE(probes.waylandAnswers(socket));
  }
  // The socket file left by a compositor that is gone refuses the connection.
  EXPECT_TRUE(std::filesystem::exists(socket));
  EXPECT_FALSE(probes.waylandAnswers(socket));
}

// ---- Whole starts, each in a new process of this test program (a process has one Qt application,
// and what is checked here happens before it exists).

struct ChildResult {
  int exitCode = -1;  // -1 when the child did not end normally (the signal is in `signal`)
  int signal = 0;
  std::string out;
  std::string errors;
};

class DesktopStartTest : public ::testing::Test {
 protected:
  DesktopStartTest() { tree_.MakeDir("Storage Card/Probe"); }

  // Starts the probe in a child with `extra` arguments, with `set` variables set and `unset` ones
  // removed from this process's environment.
  ChildResult Start(const std::vector<std::string>& extra, const std::map<std::string, std::string>& set,
                    const std::vector<std::string>& unset = {}) {
    std::vector<std::string> arguments = {"--device-root", tree_.root().string(), "--module-path",
                                          "\\Storage Card\\Probe\\probe.exe"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    std::string joined;
    for (const std::string& argument : arguments) joined += argument + '\n';

    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string variable = *entry;
      const std::string name = variable.substr(0, variable.find('='));
      if (set.count(name) || std::find(unset.begin(), unset.end(), name) != unset.end()) continue;
      variables.push_back(variable);
    }
    for (const auto& [name, value] : set) variables.push_back(name + "=" + value);
    variables.push_back("VEXA_TEST_CHILD_ARGS=" + joined);
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);

    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=DesktopStartChild.DISABLED_Start";
    std::string disabled = "--gtest_also_run_disabled_tests";
    char* argv[] = {self.data(), filter.data(), disabled.data(), nullptr};
    const std::string out = (tree_.root() / "out.txt").string();
    const std::string err = (tree_.root() / "err.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    ChildResult result;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return result;
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.out = Read(out);
    result.errors = Read(err);
    return result;
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
  }

  testing::TempDeviceTree tree_;
};

// The child's side: runs the start given by the parent and ends the process with its exit code.
// The program's body reports its runtime folder and that it ran.
TEST(DesktopStartChild, DISABLED_Start) {
  const char* given = std::getenv("VEXA_TEST_CHILD_ARGS");
  if (given == nullptr) GTEST_SKIP() << "started by DesktopStartTest only";
  std::vector<std::string> arguments = {"probe"};
  std::istringstream lines(given);
  for (std::string line; std::getline(lines, line);) arguments.push_back(line);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  ProgramInfo info;
  info.name = u"Probe";
  const int code =
      RunProgram(static_cast<int>(argv.size()), argv.data(), info, [](Platform&, ui::UserInterface&) {
        const char* folder = std::getenv("XDG_RUNTIME_DIR");
        struct stat status {};
        if (folder != nullptr && stat(folder, &status) == 0) {
          std::cout << "runtime folder " << folder << " mode " << std::oct << (status.st_mode & 07777)
                    << std::dec << "\n";
        }
        std::cout << "main ran" << std::endl;
        return 0;
      });
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(code);
}

TEST_F(DesktopStartTest, ADisplayThatDoesNotAnswerStopsTheStartWithCode2InsteadOfQtsAbort) {
  const std::string dead = UnservedDisplay();
  const ChildResult x =
      Start({}, {{"DISPLAY", dead}}, {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"});
  EXPECT_EQ(x.signal, 0) << x.errors;
  EXPECT_EQ(x.exitCode, 2) << x.errors;
  EXPECT_THAT(x.errors,
              HasSubstr("Probe: no display answers: the X server of DISPLAY=" + dead + " does not answer"));
  EXPECT_THAT(x.out, Not(HasSubstr("main ran")));

  const ChildResult wayland = Start({}, {{"WAYLAND_DISPLAY", (tree_.root() / "wayland-0").string()}},
                                    {"DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"});
  EXPECT_EQ(wayland.signal, 0) << wayland.errors;
  EXPECT_EQ(wayland.exitCode, 2) << wayland.errors;
  EXPECT_THAT(wayland.errors, HasSubstr("Probe: no display answers: "));
}

// Xvfb on a display number it picks itself; an empty name when it is not installed or does not start.
class PrivateXServer {
 public:
  PrivateXServer() {
    int report[2];
    if (pipe(report) != 0) return;
    const std::string fd = std::to_string(report[1]);
    const char* args[] = {"Xvfb",    "-displayfd", fd.c_str(),   "-nolisten", "tcp",
                          "-screen", "0",          "800x480x24", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, report[0]);
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char* const*>(args), environ) != 0)
      pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(report[1]);
    // The display number and a line end once clients can connect; end of file when it failed.
    std::string number;
    pollfd wait{report[0], POLLIN, 0};
    while (pid_ > 0 && poll(&wait, 1, 20000) > 0) {
      char c = 0;
      if (read(report[0], &c, 1) != 1 || c == '\n') break;
      number.push_back(c);
    }
    close(report[0]);
    if (!number.empty()) name_ = ":" + number;
  }
  ~PrivateXServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = 0;
  std::string name_;
};

TEST_F(DesktopStartTest, AnXServerThatAnswersIsUsed) {
  PrivateXServer server;
  if (server.name().empty())
    GTEST_SKIP() << "Xvfb is not installed or did not start (scripts/test installs xvfb)";
  const ChildResult run = Start({}, {{"DISPLAY", server.name()}, {"XDG_SESSION_TYPE", "wayland"}},
                                {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_THAT(run.out, HasSubstr("main ran"));
}

TEST_F(DesktopStartTest, ARunWithoutXdgRuntimeDirGetsAPrivateFolderRemovedAtTheEnd) {
  tree_.WriteHostFile("scenario.txt", "wait 10\n");
  const std::string temporary = (tree_.root() / "tmp").string();
  std::filesystem::create_directory(temporary);
  const ChildResult run = Start({"--headless", "--scenario", (tree_.root() / "scenario.txt").string()},
                                {{"TMPDIR", temporary}}, {"XDG_RUNTIME_DIR"});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_THAT(run.errors, Not(HasSubstr("XDG_RUNTIME_DIR")));
  EXPECT_THAT(run.out, HasSubstr("runtime folder " + temporary + "/vexa-runtime-"));
  EXPECT_THAT(run.out, HasSubstr(" mode 700\n"));
  EXPECT_THAT(run.out, HasSubstr("main ran"));
  EXPECT_TRUE(std::filesystem::is_empty(temporary));

  // One that has it keeps it.
  const std::string own = (tree_.root() / "own").string();
  std::filesystem::create_directory(own);
  std::filesystem::permissions(own, std::filesystem::perms::owner_all);
  const ChildResult kept = Start({"--headless", "--scenario", (tree_.root() / "scenario.txt").string()},
                                 {{"XDG_RUNTIME_DIR", own}});
  EXPECT_EQ(kept.exitCode, 0) << kept.errors;
  EXPECT_THAT(kept.out, HasSubstr("runtime folder " + own + " mode 700\n"));
  EXPECT_TRUE(std::filesystem::exists(own));
}

}  // namespace
}  // namespace vexa::platform
