// VexaDevice: the device screen on a desktop. `run` opens one window of the device's size with a
// nested X server inside, a window manager set up like the device's, and the given programs on it;
// closing the window ends the device and everything it started. `screenshot` writes a picture of a
// display's whole screen.

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/device/DeviceScreen.h"

namespace {

constexpr const char* kUsage = R"(Usage:
  VexaDevice run [OPTION]... -- PROGRAM [ARGUMENT]...
  VexaDevice screenshot DISPLAY FILE.png
  VexaDevice tap DISPLAY X Y

run: opens the device screen (a window of the device's size on the host's display) with a nested X
server (Xephyr) and a window manager (Openbox) inside, and starts PROGRAM on it. Closing the
window ends the device: every program gets its close request, and what is left after a short grace
is ended.
  --screen WxH        the device's screen, default 800x480
  --lang en|ko        the device's language, shown in the window's title
  --wm-config FILE    the window manager's configuration (without it the device has no window manager)
  --display-file F    write the device's display name (":12") to F once the programs were started
  --screenshot FILE   take a picture of the device screen, then end the device ...
  --after MS          ... this many milliseconds after the programs were started (default 3000)
  --grace MS          how long programs have to close before they are ended (default 2000)

screenshot: writes a PNG of every window of the X display DISPLAY as stacked.
tap: a finger's tap on the screen of DISPLAY at (X, Y): the pointer goes there, presses and lets go.
)";

bool ParseSize(std::string_view text, int& width, int& height) {
  const auto x = text.find('x');
  if (x == std::string_view::npos) return false;
  auto number = [](std::string_view digits, int& out) {
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return error == std::errc{} && end == digits.data() + digits.size() && out >= 16 && out <= 8192;
  };
  return number(text.substr(0, x), width) && number(text.substr(x + 1), height);
}

bool ParseMs(std::string_view text, long& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc{} && end == text.data() + text.size() && out >= 0;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "VexaDevice: %s\n%s", message.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    std::fputs(kUsage, args.empty() ? stderr : stdout);
    return args.empty() ? 2 : 0;
  }
  if (args[0] == "screenshot") {
    if (args.size() != 3) return Fail("screenshot takes a display and a file");
    return vexa::device::TakeScreenshot(args[1], args[2]) ? 0 : 1;
  }
  if (args[0] == "tap") {
    int x = 0;
    int y = 0;
    auto number = [](const std::string& text, int& out) {
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
      return error == std::errc{} && end == text.data() + text.size();
    };
    if (args.size() != 4 || !number(args[2], x) || !number(args[3], y)) return Fail("tap takes a display, X and Y");
    return vexa::device::Tap(args[1], x, y) ? 0 : 1;
  }
  if (args[0] != "run") return Fail("unknown command \"" + args[0] + "\"");

  vexa::device::DeviceOptions options;
  std::string lang = "en";
  long after = 3000;
  std::size_t i = 1;
  for (; i < args.size() && args[i] != "--"; ++i) {
    const std::string& option = args[i];
    const bool hasValue = i + 1 < args.size();
    auto value = [&]() -> const std::string& { return args[++i]; };
    long ms = 0;
    if (option == "--screen" && hasValue) {
      if (!ParseSize(value(), options.width, options.height)) return Fail("--screen wants WxH, 16 to 8192 each");
    } else if (option == "--lang" && hasValue) {
      lang = value();
      if (lang != "en" && lang != "ko") return Fail("--lang wants en or ko");
    } else if (option == "--wm-config" && hasValue) {
      // The window manager may change folders: it gets the whole path.
      std::error_code error;
      const auto whole = std::filesystem::absolute(value(), error);
      options.wmConfig = error ? args[i] : whole.string();
    } else if (option == "--display-file" && hasValue) {
      options.displayFile = value();
    } else if (option == "--screenshot" && hasValue) {
      options.screenshotFile = value();
    } else if (option == "--after" && hasValue) {
      if (!ParseMs(value(), after)) return Fail("--after wants milliseconds");
    } else if (option == "--grace" && hasValue) {
      if (!ParseMs(value(), ms)) return Fail("--grace wants milliseconds");
      options.grace = std::chrono::milliseconds(ms);
    } else {
      return Fail("unknown option or missing value: " + option);
    }
  }
  // Everything after the "--" is the program and its arguments, "--" included.
  if (i + 1 < args.size()) options.programs.emplace_back(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  options.lang = lang;
  if (!options.screenshotFile.empty()) options.screenshotAfter = std::chrono::milliseconds(after);
  options.title = "Vexa device " + std::to_string(options.width) + " \xC3\x97 " + std::to_string(options.height) +
                  (lang == "ko" ? " \xC2\xB7 \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4" : " \xC2\xB7 English");
  return vexa::device::RunDevice(options);
}
