#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "platform/ModuleLocation.h"

namespace vexa::platform {

// What a desktop run needs to know about the host's displays before Qt starts. Qt ends the process
// (abort) when the platform it picks cannot connect, so the runtime looks first and either names the
// platform Qt is to use or says why there is none.
struct DisplayProbes {
  // True when the X server named by a DISPLAY value answers.
  std::function<bool(const std::string& display)> xAnswers;
  // True when a Wayland compositor accepts connections on the socket at this host path.
  std::function<bool(const std::string& socketPath)> waylandAnswers;
  // True when Qt has its Wayland platform plugin.
  std::function<bool()> qtHasWayland;
};

// The probes of this host: Xlib's XOpenDisplay (given up after `xTimeout`, for a server that takes
// the connection but never replies), a connect to the Wayland socket, Qt's plugin folders.
DisplayProbes HostDisplayProbes(std::chrono::milliseconds xTimeout = std::chrono::seconds(3));

// The platform for Qt's "-platform" argument ("xcb" or "wayland"), or empty when QT_QPA_PLATFORM
// already names one that can work (or one that needs no display, such as "offscreen").
struct DisplayChoice {
  std::string platform;
};

// Looks at QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY (a socket name inside XDG_RUNTIME_DIR, or a
// host path):
//   - QT_QPA_PLATFORM naming xcb or wayland (or a list "a;b") must have one of them working; any
//     other value is Qt's business and is taken as it is;
//   - otherwise X when its server answers, whatever XDG_SESSION_TYPE says (Qt would pick Wayland
//     for a Wayland session); else Wayland when its compositor answers and Qt has the plugin.
// The error text says what was found not to work and what to do.
std::variant<DisplayChoice, std::string> ChooseDisplay(const EnvironmentLookup& environment,
                                                       const DisplayProbes& probes);

}  // namespace vexa::platform
