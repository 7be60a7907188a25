#include "tools/device/ProcessTree.h"
#include "tools/device/DeviceScreen.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/x11/X11WindowList.h"
#include "tests/support/PrivateXServer.h"

#include <gtest/gtest.h>

// Xlib last: its macros (None, True, Bool) would otherwise collide with names in gtest.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace vexa::device {
namespace {

using namespace std::chrono_literals;
using test::PrivateXServer;
using test::ProgramInstalled;

TEST(ProcessTreeTest, ReadsStateAndParentPastAnyName) {
  EXPECT_EQ(ParseStat("1234 (navi.exe) S 77 1234 1234 0 -1").parent, 77);
  // A name may hold blanks and parentheses; only the last ")" ends it.
  const ProcessStat odd = ParseStat("99 (a ) b) (c) Z 5 99 0");
  EXPECT_EQ(odd.parent, 5);
  EXPECT_EQ(odd.state, 'Z');
  EXPECT_EQ(ParseStat("").parent, -1);
  EXPECT_EQ(ParseStat("12 (cut").parent, -1);
  EXPECT_EQ(ParseStat("12 (x) S").parent, -1);
  EXPECT_EQ(ParseStat("12 (x) S -").parent, -1);
}

TEST(ProcessTreeTest, FindsGrandchildrenAndForgetsEndedOnes) {
  // sh starts a sleeping grandchild and waits for it.
  pid_t shell = 0;
  const char* args[] = {"sh", "-c", "sleep 30 & wait", nullptr};
  ASSERT_EQ(posix_spawnp(&shell, "sh", nullptr, nullptr, const_cast<char* const*>(args), environ), 0);
  std::vector<pid_t> below;
  for (int i = 0; i < 100 && below.size() < 2; ++i) {
    std::this_thread::sleep_for(20ms);
    below = Descendants(getpid());
  }
  ASSERT_EQ(below.size(), 2u);
  EXPECT_EQ(below[0], shell);
  EXPECT_TRUE(Running(below[1]));
  kill(below[1], SIGKILL);
  kill(shell, SIGKILL);
  waitpid(shell, nullptr, 0);
  EXPECT_FALSE(Running(shell));
}

// The device screen inside a private X server that stands for the host's desktop: a nested server,
// the device's window manager and a program of the device.
class DeviceScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* program : {"Xvfb", "Xephyr", "openbox"}) {
      if (!ProgramInstalled(program)) GTEST_SKIP() << program << " is not installed (scripts/test installs it)";
    }
    host_ = std::make_unique<PrivateXServer>("1024x768x24");
    ASSERT_TRUE(host_->running());
    hostDisplay_ = XOpenDisplay(host_->name().c_str());
    ASSERT_NE(hostDisplay_, nullptr);
    displayFile_ = std::filesystem::temp_directory_path() / ("vexa-device-" + std::to_string(getpid()));
    std::filesystem::remove(displayFile_);
  }

  void TearDown() override {
    if (device_ > 0 && kill(device_, 0) == 0) {
      kill(device_, SIGKILL);
      waitpid(device_, nullptr, 0);
    }
    if (hostDisplay_ != nullptr) XCloseDisplay(hostDisplay_);
    std::filesystem::remove(displayFile_);
  }

  // Starts the device on the host server with `program`; answers the device's display name.
  std::string StartDevice(const std::vector<std::string>& program, const std::string& screen = "480x272",
                          const std::string& lang = "ko") {
    std::vector<std::string> args = {VEXA_DEVICE_EXE, "run",         "--screen",     screen,
                                     "--lang",        lang,          "--wm-config",  VEXA_WM_CONFIG,
                                     "--display-file", displayFile_.string(), "--grace", "1500", "--"};
    args.insert(args.end(), program.begin(), program.end());
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      if (std::string_view(*entry).starts_with("DISPLAY=")) continue;
      env.emplace_back(*entry);
    }
    env.push_back("DISPLAY=" + host_->name());
    std::vector<char*> envp;
    for (auto& var : env) envp.push_back(var.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&device_, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0);
    for (int i = 0; i < 300 && !std::filesystem::exists(displayFile_); ++i) std::this_thread::sleep_for(50ms);
    std::string name;
    std::ifstream(displayFile_) >> name;
    return name;
  }

  // Waits until the device's window list holds a window of this title.
  std::optional<platform::ui::ForeignWindow> WaitForWindow(platform::X11WindowList& list, std::u16string_view title) {
    for (int i = 0; i < 200; ++i) {
      if (auto found = list.Find(title, std::nullopt)) return found;
      std::this_thread::sleep_for(50ms);
    }
    return std::nullopt;
  }

  // The host window of the device (class "VexaDevice"), found on the host server.
  Window HostWindow() {
    auto list = platform::X11WindowList::Open(host_->name().c_str());
    if (!list) return 0;
    const auto found = list->Find(std::nullopt, u"VexaDevice");
    return found ? static_cast<Window>(*found) : 0;
  }

  // Asks the host window to close as a desktop's close button does; answers the device's exit status.
  int CloseDevice() {
    const Window window = HostWindow();
    EXPECT_NE(window, 0u);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(hostDisplay_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(hostDisplay_, "WM_DELETE_WINDOW", False));
    XSendEvent(hostDisplay_, window, False, NoEventMask, &event);
    XSync(hostDisplay_, False);
    int status = -1;
    for (int i = 0; i < 200; ++i) {
      if (waitpid(device_, &status, WNOHANG) == device_) {
        device_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      std::this_thread::sleep_for(50ms);
    }
    return -1;
  }

  std::unique_ptr<PrivateXServer> host_;
  Display* hostDisplay_ = nullptr;
  std::filesystem::path displayFile_;
  pid_t device_ = 0;
};

TEST_F(DeviceScreenTest, ProgramsLiveOnTheDeviceScreenOnlyAndEndWithIt) {
  // A window of the host's own, which the device's programs must never see.
  const Window hostOwn = XCreateSimpleWindow(hostDisplay_, DefaultRootWindow(hostDisplay_), 0, 0, 200, 100, 0, 0, 0);
  XStoreName(hostDisplay_, hostOwn, "Host terminal");
  XMapWindow(hostDisplay_, hostOwn);
  XSync(hostDisplay_, False);

  const std::string display = StartDevice({VEXA_DEVICE_DIR "/Storage Card/Navi/navi.exe"});
  ASSERT_FALSE(display.empty()) << "the device screen did not start";
  ASSERT_NE(display, host_->name());
  auto list = platform::X11WindowList::Open(display.c_str());
  ASSERT_NE(list, nullptr);
  const auto navi = WaitForWindow(*list, u"navi.exe");
  ASSERT_TRUE(navi.has_value()) << "the program's window did not appear on the device screen";
  EXPECT_FALSE(list->Find(u"Host terminal", std::nullopt).has_value());

  // The nested screen has the device's size; the host window says its size and language.
  Display* device = XOpenDisplay(display.c_str());
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(DisplayWidth(device, DefaultScreen(device)), 480);
  EXPECT_EQ(DisplayHeight(device, DefaultScreen(device)), 272);
  XCloseDisplay(device);
  const Window host = HostWindow();
  ASSERT_NE(host, 0u);
  char* title = nullptr;
  ASSERT_NE(XFetchName(hostDisplay_, host, &title), 0);
  EXPECT_NE(std::string(title).find("480 \xC3\x97 272"), std::string::npos) << title;
  XFree(title);

  const std::vector<pid_t> started = Descendants(device_);
  EXPECT_GE(started.size(), 3u);  // the nested server, the window manager, the program
  list.reset();
  EXPECT_EQ(CloseDevice(), 0);
  for (const pid_t pid : started) EXPECT_FALSE(Running(pid)) << "process " << pid << " outlived the device";
}

// Reads the window manager's stacking list of the device display, bottom first.
std::vector<Window> Stacking(Display* display) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::vector<Window> windows;
  if (XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, "_NET_CLIENT_LIST_STACKING", False),
                         0, 1024, False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
      data != nullptr) {
    const auto* ids = reinterpret_cast<const unsigned long*>(data);
    windows.assign(ids, ids + count);
  }
  if (data != nullptr) XFree(data);
  return windows;
}

TEST_F(DeviceScreenTest, TheWindowManagerKeepsTopMostAboveAndHonoursTheTaskbar) {
  // The shell stand-in's taskbar, with a program window beside it.
  const std::string display = StartDevice({VEXA_DEVICE_DIR "/Windows/explorer.exe", "/taskbar"}, "800x480", "en");
  ASSERT_FALSE(display.empty());
  auto list = platform::X11WindowList::Open(display.c_str());
  ASSERT_NE(list, nullptr);
  std::optional<platform::ui::ForeignWindow> taskbar;
  for (int i = 0; i < 200 && !taskbar; ++i) {
    taskbar = list->Find(std::nullopt, u"HHTaskBar");
    if (!taskbar) std::this_thread::sleep_for(50ms);
  }
  ASSERT_TRUE(taskbar.has_value()) << "the taskbar is not found by its class";

  // What GO-TASKBAR does with it: hide, then show.
  EXPECT_TRUE(list->Show(*taskbar, false));
  std::this_thread::sleep_for(200ms);
  EXPECT_FALSE(list->IsVisible(*taskbar));
  EXPECT_TRUE(list->Show(*taskbar, true));
  std::this_thread::sleep_for(200ms);
  EXPECT_TRUE(list->IsVisible(*taskbar));

  // Two plain windows: the one made top-most stays above the other brought to the front.
  Display* device = XOpenDisplay(display.c_str());
  ASSERT_NE(device, nullptr);
  auto make = [&](const char* title) {
    const Window w = XCreateSimpleWindow(device, DefaultRootWindow(device), 50, 50, 300, 200, 0, 0, 0);
    XStoreName(device, w, title);
    Atom deleteWindow = XInternAtom(device, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(device, w, &deleteWindow, 1);
    XMapWindow(device, w);
    XSync(device, False);
    return w;
  };
  const Window above = make("Always above");
  const Window other = make("Navigation");
  ASSERT_TRUE(WaitForWindow(*list, u"Navigation").has_value());
  EXPECT_TRUE(list->SetTopMost(above, true));
  std::this_thread::sleep_for(200ms);
  EXPECT_TRUE(list->SetForeground(other));
  std::vector<Window> order;
  for (int i = 0; i < 40; ++i) {
    std::this_thread::sleep_for(50ms);
    order = Stacking(device);
    if (!order.empty() && order.back() == above) break;
  }
  const auto position = [&](Window w) { return std::find(order.begin(), order.end(), w) - order.begin(); };
  EXPECT_GT(position(above), position(other)) << "the top-most window went under the one brought forward";
  XCloseDisplay(device);
  list.reset();
  EXPECT_EQ(CloseDevice(), 0);
}

// A copy of the demo device made of hard links, so that what the programs save (always through a new
// file put in place) never reaches the built demo device.
class LinkedDeviceCopy {
 public:
  LinkedDeviceCopy() : root_(std::string(VEXA_DEVICE_DIR) + "-test-" + std::to_string(getpid())) {
    std::filesystem::remove_all(root_);
    std::filesystem::copy(VEXA_DEVICE_DIR, root_,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::create_hard_links);
  }
  ~LinkedDeviceCopy() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  std::string operator/(const std::string& path) const { return (root_ / path).string(); }

 private:
  std::filesystem::path root_;
};

TEST_F(DeviceScreenTest, TheBootedLauncherShowsAndHidesTheShellsTaskbar) {
  LinkedDeviceCopy device;
  const std::string display = StartDevice({device / "Windows/explorer.exe", "/boot"}, "800x480", "en");
  ASSERT_FALSE(display.empty());
  auto list = platform::X11WindowList::Open(display.c_str());
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(WaitForWindow(*list, u"Vexa Deck Ver 3.x").has_value()) << "the launcher did not start on the device";
  std::optional<platform::ui::ForeignWindow> taskbar;
  for (int i = 0; i < 100 && !taskbar; ++i) {
    taskbar = list->Find(std::nullopt, u"HHTaskBar");
    if (!taskbar) std::this_thread::sleep_for(50ms);
  }
  ASSERT_TRUE(taskbar.has_value());
  // The launcher's start leaves the taskbar as its settings say; GO-TASKBAR (the demo skin's Taskbar
  // slot) turns it over, and once more back.
  std::this_thread::sleep_for(1500ms);
  const bool before = list->IsVisible(*taskbar);
  auto turned = [&](bool expected) {
    for (int i = 0; i < 60; ++i) {
      if (list->IsVisible(*taskbar) == expected) return true;
      std::this_thread::sleep_for(50ms);
    }
    return false;
  };
  ASSERT_TRUE(Tap(display, 700, 445));
  EXPECT_TRUE(turned(!before)) << "GO-TASKBAR did not change the taskbar";
  ASSERT_TRUE(Tap(display, 700, 445));
  EXPECT_TRUE(turned(before));
  list.reset();
  EXPECT_EQ(CloseDevice(), 0);
}

TEST_F(DeviceScreenTest, AProgramThatIgnoresItsCloseRequestIsEnded) {
  // A process of the device with no window: only the end by pid stops it.
  const std::string display = StartDevice({"sh", "-c", "sleep 60"}, "320x240", "en");
  ASSERT_FALSE(display.empty());
  std::vector<pid_t> started;
  for (int i = 0; i < 100 && started.size() < 4; ++i) {
    std::this_thread::sleep_for(50ms);
    started = Descendants(device_);
  }
  ASSERT_GE(started.size(), 3u);
  EXPECT_EQ(CloseDevice(), 0);
  for (const pid_t pid : started) EXPECT_FALSE(Running(pid)) << "process " << pid << " outlived the device";
}

}  // namespace
}  // namespace vexa::device
