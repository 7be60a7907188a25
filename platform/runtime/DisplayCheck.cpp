#include "platform/runtime/DisplayCheck.h"

#include <QDir>
#include <QLibraryInfo>
#include <QString>
#include <QStringList>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "platform/x11/X11WindowList.h"

namespace vexa::platform {

namespace {

bool SocketAnswers(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return connected;
}

// A server that takes the connection but never sends its greeting would block XOpenDisplay for
// good, so the connection is tried on a thread of its own and given up after `timeout`; a thread
// still waiting then is left behind and ends with the process.
bool XServerAnswers(const std::string& display, std::chrono::milliseconds timeout) {
  auto answer = std::make_shared<std::promise<bool>>();
  std::future<bool> answered = answer->get_future();
  std::thread([answer, display] {
    answer->set_value(X11WindowList::Open(display.c_str()) != nullptr);
  }).detach();
  if (answered.wait_for(timeout) != std::future_status::ready) return false;
  return answered.get();
}

bool QtHasWaylandPlugin() {
  QStringList folders{QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms")};
  for (const QString& folder : qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts)) {
    folders << folder + QStringLiteral("/platforms");
  }
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM_PLUGIN_PATH")) {
    folders << qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
  }
  for (const QString& folder : folders) {
    if (!QDir(folder).entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty()) return true;
  }
  return false;
}

std::vector<std::string> Split(const std::string& list, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(separator, start);
    if (end == std::string::npos) end = list.size();
    std::string part = list.substr(start, end - start);
    while (!part.empty() && part.front() == ' ') part.erase(part.begin());
    while (!part.empty() && part.back() == ' ') part.pop_back();
    if (!part.empty()) parts.push_back(std::move(part));
    start = end + 1;
  }
  return parts;
}

// The facts, each looked up once when first asked for.
class Displays {
 public:
  Displays(const EnvironmentLookup& environment, const DisplayProbes& probes)
      : environment_(environment), probes_(probes) {}

  std::optional<std::string> Variable(const char* name) const {
    const char* value = environment_ ? environment_(name) : nullptr;
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
  }

  bool XWorks() {
    if (!xWorks_) {
      const auto display = Variable("DISPLAY");
      xWorks_ = display && probes_.xAnswers && probes_.xAnswers(*display);
    }
    return *xWorks_;
  }
  std::string XProblem() const {
    const auto display = Variable("DISPLAY");
    if (!display) return "DISPLAY is not set";
    return "the X server of DISPLAY=" + *display + " does not answer";
  }

  // Where libwayland looks for the compositor: an absolute WAYLAND_DISPLAY as it is, else the name
  // inside XDG_RUNTIME_DIR.
  std::optional<std::string> WaylandSocket() const {
    const auto name = Variable("WAYLAND_DISPLAY");
    if (!name) return std::nullopt;
    if (name->front() == '/') return name;
    const auto folder = Variable("XDG_RUNTIME_DIR");
    if (!folder) return std::nullopt;
    return *folder + "/" + *name;
  }
  bool WaylandWorks() {
    if (!waylandWorks_) {
      const auto socket = WaylandSocket();
      waylandWorks_ = socket && probes_.qtHasWayland && probes_.qtHasWayland() && probes_.waylandAnswers &&
                      probes_.waylandAnswers(*socket);
    }
    return *waylandWorks_;
  }
  std::string WaylandProblem() const {
    const auto name = Variable("WAYLAND_DISPLAY");
    if (!name) return "WAYLAND_DISPLAY is not set";
    const auto socket = WaylandSocket();
    if (!socket) return "WAYLAND_DISPLAY=" + *name + " names a socket in XDG_RUNTIME_DIR, which is not set";
    if (!(probes_.qtHasWayland && probes_.qtHasWayland())) {
      return "WAYLAND_DISPLAY is set, but Qt's Wayland platform plugin is not installed (Debian package "
             "qt6-wayland)";
    }
    return "no Wayland compositor answers on " + *socket + " (WAYLAND_DISPLAY)";
  }

 private:
  const EnvironmentLookup& environment_;
  const DisplayProbes& probes_;
  std::optional<bool> xWorks_;
  std::optional<bool> waylandWorks_;
};

constexpr const char* kWhatToDo = "; give a display that runs, or run with --headless";

}  // namespace

DisplayProbes HostDisplayProbes(std::chrono::milliseconds xTimeout) {
  DisplayProbes probes;
  probes.xAnswers = [xTimeout](const std::string& display) { return XServerAnswers(display, xTimeout); };
  probes.waylandAnswers = SocketAnswers;
  probes.qtHasWayland = QtHasWaylandPlugin;
  return probes;
}

std::variant<DisplayChoice, std::string> ChooseDisplay(const EnvironmentLookup& environment,
                                                       const DisplayProbes& probes) {
  Displays displays(environment, probes);

  if (const auto asked = displays.Variable("QT_QPA_PLATFORM")) {
    bool checked = false;
    std::vector<std::string> problems;
    for (const std::string& platform : Split(*asked, ';')) {
      if (platform == "xcb") {
        if (displays.XWorks()) return DisplayChoice{};
        problems.push_back(displays.XProblem());
      } else if (platform.starts_with("wayland")) {
        if (displays.WaylandWorks()) return DisplayChoice{};
        problems.push_back(displays.WaylandProblem());
      } else {
        // offscreen, vnc, eglfs, ...: nothing of ours to look at.
        return DisplayChoice{};
      }
      checked = true;
    }
    if (!checked) return DisplayChoice{};
    std::string message = "QT_QPA_PLATFORM=" + *asked + " cannot show windows: ";
    for (std::size_t i = 0; i < problems.size(); ++i) message += (i ? ", and " : "") + problems[i];
    return message + kWhatToDo;
  }

  const bool hasX = displays.Variable("DISPLAY").has_value();
  const bool hasWayland = displays.Variable("WAYLAND_DISPLAY").has_value();
  if (!hasX && !hasWayland) {
    return std::string("there is no display to show windows on: set DISPLAY, or run with --headless");
  }
  // X first, on a Wayland desktop too (through its X server): there windows are placed at the
  // device's screen coordinates and the window list sees the other programs' windows, which Wayland
  // gives no client.
  if (displays.XWorks()) return DisplayChoice{"xcb"};
  if (displays.WaylandWorks()) return DisplayChoice{"wayland"};
  std::string message = "no display answers: ";
  if (hasX) message += displays.XProblem();
  if (hasX && hasWayland) message += ", and ";
  if (hasWayland) message += displays.WaylandProblem();
  return message + kWhatToDo;
}

}  // namespace vexa::platform
