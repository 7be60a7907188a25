#include "tools/device/DeviceScreen.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "tools/device/ProcessTree.h"

// Qt and Xlib last: Xlib's macros (None, Bool, Status) collide with names in other headers.
#include <QImage>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

extern char** environ;

namespace vexa::device {
namespace {

using Clock = std::chrono::steady_clock;

// SIGCHLD, SIGINT and SIGTERM wake the main loop through this pipe.
int g_wake[2] = {-1, -1};
volatile sig_atomic_t g_stop = 0;

void OnSignal(int signal) {
  if (signal != SIGCHLD) g_stop = 1;
  const char byte = 0;
  [[maybe_unused]] const auto written = write(g_wake[1], &byte, 1);
}

void Note(const std::string& text) { std::fprintf(stderr, "device: %s\n", text.c_str()); }

// The environment of a program of the device: the nested display, the X11 platform for Qt, and the
// device's screen and language, which every program of the device (and every program those start)
// takes from there.
std::vector<std::string> DeviceEnvironment(const std::string& display, const DeviceOptions& options) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text = *entry;
    if (text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY=") ||
        text.starts_with("QT_QPA_PLATFORM=") || text.starts_with("VEXA_SCREEN=") || text.starts_with("VEXA_LANG=")) {
      continue;
    }
    env.emplace_back(text);
  }
  env.push_back("DISPLAY=" + display);
  env.push_back("QT_QPA_PLATFORM=xcb");
  env.push_back("VEXA_SCREEN=" + std::to_string(options.width) + "x" + std::to_string(options.height));
  env.push_back("VEXA_LANG=" + options.lang);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Starts argv with the environment; `closeFd` is closed in the child; `quiet` sends its messages away.
pid_t Spawn(std::vector<std::string> argv, std::vector<std::string> env, int closeFd = -1, bool quiet = false) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (closeFd >= 0) posix_spawn_file_actions_addclose(&actions, closeFd);
  if (quiet) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGCHLD);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGTERM);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  auto args = Pointers(argv);
  auto vars = Pointers(env);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), vars.data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) {
    Note("cannot start " + argv[0] + ": " + std::strerror(failed));
    return -1;
  }
  return pid;
}

bool Alive(pid_t pid) { return Running(pid); }

// Reaps every child that has ended (the device screen is the subreaper of the device's programs).
void Reap(pid_t& xserver, pid_t& wm) {
  int status = 0;
  pid_t ended = 0;
  while ((ended = waitpid(-1, &status, WNOHANG)) > 0) {
    if (ended == xserver) xserver = -1;
    if (ended == wm) wm = -1;
  }
}

std::string ProcessName(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(file, name);
  return name.empty() ? std::to_string(pid) : name + " (" + std::to_string(pid) + ")";
}

// Reads the display number Xephyr writes on the -displayfd pipe once it accepts clients.
std::string ReadDisplayNumber(int fd, std::chrono::seconds timeout) {
  std::string number;
  const auto deadline = Clock::now() + timeout;
  pollfd wait{fd, POLLIN, 0};
  while (Clock::now() < deadline && poll(&wait, 1, 200) >= 0) {
    if ((wait.revents & (POLLIN | POLLHUP)) == 0) continue;
    char c = 0;
    if (read(fd, &c, 1) != 1 || c == '\n') break;
    number.push_back(c);
  }
  return number;
}

Atom Intern(Display* display, const char* name) { return XInternAtom(display, name, False); }

// The host window the nested server draws into: fixed at the device's size, closable.
Window MakeHostWindow(Display* host, const DeviceOptions& options) {
  const int screen = DefaultScreen(host);
  const Window window =
      XCreateSimpleWindow(host, RootWindow(host, screen), 0, 0, static_cast<unsigned>(options.width),
                          static_cast<unsigned>(options.height), 0, BlackPixel(host, screen), BlackPixel(host, screen));
  XSizeHints* hints = XAllocSizeHints();
  hints->flags = PMinSize | PMaxSize;
  hints->min_width = hints->max_width = options.width;
  hints->min_height = hints->max_height = options.height;
  XSetWMNormalHints(host, window, hints);
  XFree(hints);
  XClassHint* classHint = XAllocClassHint();
  std::string name = "vexadevice";
  std::string className = "VexaDevice";
  classHint->res_name = name.data();
  classHint->res_class = className.data();
  XSetClassHint(host, window, classHint);
  XFree(classHint);
  XStoreName(host, window, options.title.c_str());
  XChangeProperty(host, window, Intern(host, "_NET_WM_NAME"), Intern(host, "UTF8_STRING"), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(options.title.data()), static_cast<int>(options.title.size()));
  Atom deleteWindow = Intern(host, "WM_DELETE_WINDOW");
  XSetWMProtocols(host, window, &deleteWindow, 1);
  XSelectInput(host, window, StructureNotifyMask);
  XMapWindow(host, window);
  XSync(host, False);
  return window;
}

Display* OpenWithin(const std::string& name, std::chrono::seconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (Clock::now() < deadline) {
    if (Display* display = XOpenDisplay(name.c_str())) return display;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return nullptr;
}

// True once a window manager has announced itself on the display's root window.
bool WindowManagerReady(Display* display) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(display, DefaultRootWindow(display), Intern(display, "_NET_SUPPORTING_WM_CHECK"),
                                        0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
                     count == 1;
  if (data != nullptr) XFree(data);
  return found;
}

// The top-level windows of the device's programs: the window manager's client list, or, without a
// window manager, the root's mapped children.
std::vector<Window> ClientWindows(Display* display) {
  std::vector<Window> windows;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, DefaultRootWindow(display), Intern(display, "_NET_CLIENT_LIST"), 0, 4096, False,
                         XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
      data != nullptr && format == 32) {
    const auto* ids = reinterpret_cast<const unsigned long*>(data);
    windows.assign(ids, ids + count);
  }
  if (data != nullptr) XFree(data);
  if (!windows.empty()) return windows;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int n = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &n) != 0) {
    for (unsigned int i = 0; i < n; ++i) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.map_state == IsViewable &&
          !attributes.override_redirect) {
        windows.push_back(children[i]);
      }
    }
    if (children != nullptr) XFree(children);
  }
  return windows;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

// Sends every program window the window manager's close request (WM_DELETE_WINDOW).
int RequestClose(Display* display) {
  const Atom protocols = Intern(display, "WM_PROTOCOLS");
  const Atom deleteWindow = Intern(display, "WM_DELETE_WINDOW");
  int asked = 0;
  for (const Window window : ClientWindows(display)) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    ++asked;
  }
  XSync(display, False);
  return asked;
}

class Device {
 public:
  explicit Device(const DeviceOptions& options) : options_(options) {}

  int Run() {
    host_ = XOpenDisplay(nullptr);
    if (host_ == nullptr) {
      Note("no X display to open the device screen on (DISPLAY is not set or does not answer)");
      return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    hostWindow_ = MakeHostWindow(host_, options_);
    if (!StartScreen()) {
      Shutdown();
      return 2;
    }
    for (const auto& program : options_.programs) {
      if (Spawn(program, DeviceEnvironment(display_, options_)) > 0) Note("started " + program[0] + " on " + display_);
    }
    if (!options_.displayFile.empty()) {
      const std::string temporary = options_.displayFile + ".part";
      std::ofstream(temporary) << display_ << "\n";
      std::rename(temporary.c_str(), options_.displayFile.c_str());
    }
    Loop();
    Shutdown();
    return 0;
  }

 private:
  bool StartScreen() {
    int report[2];
    if (pipe(report) != 0) return false;
    const std::string size = std::to_string(options_.width) + "x" + std::to_string(options_.height);
    char parent[32];
    std::snprintf(parent, sizeof parent, "0x%lx", hostWindow_);
    std::vector<std::string> hostEnv;
    for (char** entry = environ; *entry != nullptr; ++entry) hostEnv.emplace_back(*entry);
    xserver_ = Spawn({"Xephyr", "-displayfd", std::to_string(report[1]), "-parent", parent, "-screen", size,
                      "-no-host-grab", "-nolisten", "tcp", "-noreset", "-title", options_.title},
                     hostEnv, report[0]);
    close(report[1]);
    const std::string number = xserver_ > 0 ? ReadDisplayNumber(report[0], std::chrono::seconds(20)) : "";
    close(report[0]);
    if (number.empty()) {
      Note("the nested X server (Xephyr, package xserver-xephyr) did not start");
      return false;
    }
    display_ = ":" + number;
    device_ = OpenWithin(display_, std::chrono::seconds(10));
    if (device_ == nullptr) {
      Note("the nested X server " + display_ + " does not answer");
      return false;
    }
    if (!options_.wmConfig.empty()) {
      // Its messages are about the host's menus and themes, none of which the device shows.
      // Its theme lies beside its configuration, in share/themes.
      auto env = DeviceEnvironment(display_, options_);
      const auto folder = options_.wmConfig.substr(0, options_.wmConfig.find_last_of('/') + 1);
      std::string dataDirs = "XDG_DATA_DIRS=" + folder + "share";
      for (auto it = env.begin(); it != env.end(); ++it) {
        if (it->starts_with("XDG_DATA_DIRS=")) {
          dataDirs += ":" + it->substr(14);
          env.erase(it);
          break;
        }
      }
      if (dataDirs.find(":/usr/share") == std::string::npos) dataDirs += ":/usr/local/share:/usr/share";
      env.push_back(dataDirs);
      wm_ = Spawn({"openbox", "--config-file", options_.wmConfig}, env, -1, true);
      const auto deadline = Clock::now() + std::chrono::seconds(10);
      while (wm_ > 0 && Alive(wm_) && !WindowManagerReady(device_) && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      if (!WindowManagerReady(device_)) Note("the window manager (openbox) did not start; the device runs without one");
    }
    return true;
  }

  void Loop() {
    const Atom deleteWindow = Intern(host_, "WM_DELETE_WINDOW");
    const auto started = Clock::now();
    while (!g_stop) {
      while (XPending(host_) > 0) {
        XEvent event;
        XNextEvent(host_, &event);
        if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
          Note("the device window was closed");
          return;
        }
        if (event.type == DestroyNotify && event.xdestroywindow.window == hostWindow_) return;
      }
      Reap(xserver_, wm_);
      if (xserver_ < 0) {
        Note("the nested X server ended");
        return;
      }
      if (options_.screenshotAfter && Clock::now() - started >= *options_.screenshotAfter) {
        TakeScreenshot(display_, options_.screenshotFile);
        return;
      }
      pollfd waits[2] = {{ConnectionNumber(host_), POLLIN, 0}, {g_wake[0], POLLIN, 0}};
      poll(waits, 2, 100);
      if (waits[1].revents & POLLIN) {
        char drain[64];
        [[maybe_unused]] const auto got = read(g_wake[0], drain, sizeof drain);
      }
    }
    Note("stopped by a signal");
  }

  // Every program of the device gets its close request; what is left after the grace is ended by pid;
  // then the window manager and the nested server end. Nothing started by the device is left running.
  void Shutdown() {
    if (device_ != nullptr) {
      const int asked = RequestClose(device_);
      if (asked > 0) Note("asked " + std::to_string(asked) + " window(s) to close");
    }
    auto programs = [this] {
      std::vector<pid_t> left;
      for (const pid_t pid : Descendants(getpid())) {
        if (pid != xserver_ && pid != wm_) left.push_back(pid);
      }
      return left;
    };
    const auto deadline = Clock::now() + options_.grace;
    while (!programs().empty() && Clock::now() < deadline) {
      Reap(xserver_, wm_);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EndAll(programs());
    if (device_ != nullptr) XCloseDisplay(device_);
    device_ = nullptr;
    // The window manager before the server it runs on, so that it ends as asked rather than on a lost
    // connection.
    EndAll({wm_});
    EndAll({xserver_});
    EndAll(Descendants(getpid()));
    if (host_ != nullptr) {
      XDestroyWindow(host_, hostWindow_);
      XCloseDisplay(host_);
      host_ = nullptr;
    }
  }

  void EndAll(std::vector<pid_t> pids) {
    pids.erase(std::remove_if(pids.begin(), pids.end(), [](pid_t pid) { return !Alive(pid); }), pids.end());
    for (const pid_t pid : pids) {
      if (pid != xserver_ && pid != wm_) Note("ending " + ProcessName(pid));
      kill(pid, SIGTERM);
    }
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    auto anyAlive = [&] {
      Reap(xserver_, wm_);
      return std::any_of(pids.begin(), pids.end(), Alive);
    };
    while (anyAlive() && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (const pid_t pid : pids) {
      if (Alive(pid)) kill(pid, SIGKILL);
    }
    for (const pid_t pid : pids) waitpid(pid, nullptr, WNOHANG);
  }

  const DeviceOptions& options_;
  Display* host_ = nullptr;
  Display* device_ = nullptr;
  Window hostWindow_ = 0;
  pid_t xserver_ = -1;
  pid_t wm_ = -1;
  std::string display_;
};

}  // namespace

int RunDevice(const DeviceOptions& options) {
  // Programs the device's programs start, and then leave behind, become our children, so that closing
  // the device can find and end them.
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  if (pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) return 2;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGCHLD, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
  Device device(options);
  return device.Run();
}

bool TakeScreenshot(const std::string& name, const std::string& file) {
  Display* display = XOpenDisplay(name.c_str());
  if (display == nullptr) {
    Note("the display " + name + " does not answer");
    return false;
  }
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  bool saved = false;
  if (image != nullptr) {
    QImage picture(attributes.width, attributes.height, QImage::Format_RGB32);
    // The masks say where each channel lies in a pixel; shifting them down to 8 bits reads any
    // true-colour visual.
    auto channel = [](unsigned long pixel, unsigned long mask) {
      if (mask == 0) return 0u;
      int shift = 0;
      while (((mask >> shift) & 1u) == 0) ++shift;
      const unsigned long value = (pixel & mask) >> shift;
      const unsigned long top = mask >> shift;
      return static_cast<unsigned>(value * 255 / top);
    };
    for (int y = 0; y < attributes.height; ++y) {
      auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
      for (int x = 0; x < attributes.width; ++x) {
        const unsigned long pixel = XGetPixel(image, x, y);
        row[x] = qRgb(static_cast<int>(channel(pixel, image->red_mask)), static_cast<int>(channel(pixel, image->green_mask)),
                      static_cast<int>(channel(pixel, image->blue_mask)));
      }
    }
    XDestroyImage(image);
    saved = picture.save(QString::fromStdString(file), "PNG");
    if (!saved) Note("cannot write " + file);
  }
  XCloseDisplay(display);
  return saved;
}

bool Tap(const std::string& name, int x, int y) {
  Display* display = XOpenDisplay(name.c_str());
  if (display == nullptr) {
    Note("the display " + name + " does not answer");
    return false;
  }
  int event = 0;
  int error = 0;
  int major = 0;
  int minor = 0;
  const bool tapped = XTestQueryExtension(display, &event, &error, &major, &minor) != 0 &&
                      XTestFakeMotionEvent(display, -1, x, y, CurrentTime) != 0 &&
                      XTestFakeButtonEvent(display, 1, True, CurrentTime) != 0 &&
                      XTestFakeButtonEvent(display, 1, False, 50) != 0;
  XSync(display, False);
  XCloseDisplay(display);
  if (!tapped) Note("the display " + name + " takes no taps (no XTest)");
  return tapped;
}

}  // namespace vexa::device
