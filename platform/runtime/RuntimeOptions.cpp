#include "platform/runtime/RuntimeOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <variant>

#include "platform/headless/VirtualClock.h"

namespace vexa::platform {

namespace {

// Recognises "--name VALUE" and "--name=VALUE" at argv[index] and moves `index` past what it used.
// Nullopt when argv[index] is not this option; an empty value when the value is missing.
std::optional<std::string> TakeValue(std::string_view name, int argc, const char* const* argv, int& index) {
  const std::string_view argument = argv[index];
  if (!argument.starts_with(name)) return std::nullopt;
  const std::string_view rest = argument.substr(name.size());
  if (rest.empty()) {
    ++index;
    if (index >= argc) return std::string();
    return std::string(argv[index++]);
  }
  if (rest.front() != '=') return std::nullopt;
  ++index;
  return std::string(rest.substr(1));
}

// The device options, read by ParseDeviceOptions, and whether each takes a value.
struct KnownOption {
  std::string_view name;
  bool takesValue;
};
constexpr std::array kDeviceOptions{KnownOption{"--device-root", true}, KnownOption{"--module-path", true},
                                    KnownOption{"--lang", true}};
constexpr std::array kRuntimeOptions{
    KnownOption{"--headless", false},      KnownOption{"--screen", true},
    KnownOption{"--scenario", true},       KnownOption{"--log", true},
    KnownOption{"--start-time", true},     KnownOption{"--help", false},
    KnownOption{"--port", true},           KnownOption{"--host-clock", false},
    KnownOption{"--print-registry", false}, KnownOption{"--watch-skin", false}};

// Edits (insertions, deletions, replacements) that turn `a` into `b`.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// "unknown option --sreen (did you mean --screen?); ..."
std::string UnknownOption(std::string_view argument) {
  const std::string_view name = argument.substr(0, argument.find('='));
  std::vector<std::string_view> known;
  for (const KnownOption& option : kRuntimeOptions) known.push_back(option.name);
  for (const KnownOption& option : kDeviceOptions) known.push_back(option.name);
  // A slip of one key (two in a long name), or the start of exactly one option's name.
  std::string_view hint;
  std::size_t nearest = name.size() >= 8 ? 3 : 2;
  for (std::string_view option : known) {
    if (const std::size_t distance = EditDistance(name, option); distance < nearest) {
      hint = option;
      nearest = distance;
    }
  }
  if (hint.empty() && name.size() > 3) {
    const auto starts = [&](std::string_view option) { return option.starts_with(name); };
    if (std::count_if(known.begin(), known.end(), starts) == 1)
      hint = *std::find_if(known.begin(), known.end(), starts);
  }
  std::string message = "unknown option " + std::string(name);
  if (!hint.empty()) message += " (did you mean " + std::string(hint) + "?)";
  message += "; --help lists the options, and arguments meant for the program itself go after --";
  return message;
}

}  // namespace

// "800x480"
std::optional<gfx::Size> ParseScreenSize(std::string_view text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  gfx::Size size;
  const auto number = [](std::string_view digits, int& value) {
    if (digits.empty() || digits.front() == '-' || digits.front() == '+') return false;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return ec == std::errc() && end == digits.data() + digits.size() && value >= 16 && value <= 8192;
  };
  if (!number(text.substr(0, x), size.width) || !number(text.substr(x + 1), size.height)) return std::nullopt;
  return size;
}

RuntimeOptions ParseRuntimeOptions(int argc, const char* const* argv, const EnvironmentLookup& environment) {
  RuntimeOptions options;
  // Ours come out first; the rest, in order, goes on to the device options.
  std::vector<const char*> rest{argc > 0 ? argv[0] : ""};
  std::optional<std::string> screen;
  int index = 1;
  while (index < argc) {
    const std::string_view argument = argv[index];
    if (argument == "--") {
      for (; index < argc; ++index) rest.push_back(argv[index]);
      break;
    }
    if (argument == "--headless") {
      options.headless = true;
      ++index;
      continue;
    }
    if (argument == "--help") {
      options.help = true;
      ++index;
      continue;
    }
    if (argument == "--host-clock") {
      options.hostClock = true;
      ++index;
      continue;
    }
    if (argument == "--print-registry") {
      options.printRegistry = true;
      ++index;
      continue;
    }
    if (argument == "--watch-skin") {
      options.watchSkin = true;
      ++index;
      continue;
    }
    bool matched = false;
    for (const std::string_view name : {"--screen", "--scenario", "--log", "--start-time", "--port"}) {
      std::optional<std::string> value = TakeValue(name, argc, argv, index);
      if (!value) continue;
      matched = true;
      if (value->empty()) {
        options.errors.push_back(std::string(name) + " needs a value");
      } else if (name == "--screen") {
        screen = std::move(value);
      } else if (name == "--scenario") {
        options.scenario = std::move(value);
      } else if (name == "--log") {
        options.log = std::move(value);
      } else if (name == "--port") {
        auto mapping = ParsePortMapping(*value);
        if (auto* problem = std::get_if<std::string>(&mapping)) {
          options.errors.push_back("--port: " + *problem);
        } else {
          auto& [number, source] = std::get<std::pair<int, SerialSource>>(mapping);
          options.ports[number] = std::move(source);
        }
      } else if (auto start = VirtualClock::ParseDateTime(*value)) {
        options.startTime = start;
      } else {
        options.errors.push_back("--start-time takes \"YYYY-MM-DD HH:MM:SS\", not \"" + *value + "\"");
      }
      break;
    }
    if (matched) continue;
    // The device options go on to ParseDeviceOptions with their values.
    const auto device = std::find_if(kDeviceOptions.begin(), kDeviceOptions.end(), [&](const KnownOption& o) {
      return argument == o.name || (argument.starts_with(o.name) && argument[o.name.size()] == '=');
    });
    if (device != kDeviceOptions.end()) {
      rest.push_back(argv[index++]);
      if (argument == device->name && device->takesValue && index < argc) rest.push_back(argv[index++]);
      continue;
    }
    if (argument.starts_with("--")) {
      options.errors.push_back(UnknownOption(argument));
      ++index;
      continue;
    }
    rest.push_back(argv[index++]);
  }

  if (!screen && environment) {
    if (const char* value = environment("VEXA_SCREEN"); value != nullptr && *value != '\0') screen = value;
  }
  if (screen) {
    if (auto size = ParseScreenSize(*screen)) {
      options.screen = *size;
    } else {
      options.errors.push_back("the screen size must be WIDTHxHEIGHT with sides from 16 to 8192, not \"" +
                               *screen + "\"");
    }
  }
  // The environment's mappings fill in the ports the options leave out.
  if (environment) {
    if (const char* value = environment("VEXA_PORTS"); value != nullptr) {
      for (auto& [number, source] : ParsePortList(value, options.errors))
        options.ports.emplace(number, source);
    }
  }
  // VEXA_WATCH_SKIN=1 (or Y, yes) asks for the watch as the option does; 0, N or empty do not.
  if (!options.watchSkin && environment) {
    if (const char* value = environment("VEXA_WATCH_SKIN"); value != nullptr) {
      const std::string_view word(value);
      options.watchSkin = word == "1" || word == "y" || word == "Y" || word == "yes" || word == "Yes" ||
                          word == "YES" || word == "on";
    }
  }
  if (options.scenario && !options.headless) options.errors.push_back("--scenario needs --headless");
  if (options.startTime && !options.headless) options.errors.push_back("--start-time needs --headless");

  options.device = ParseDeviceOptions(static_cast<int>(rest.size()), rest.data(), environment);
  return options;
}

}  // namespace vexa::platform

namespace vexa::platform {

std::string HelpText(std::string_view program, std::string_view commandLine) {
  const DateTime start = VirtualClock::kDefaultStart;
  char startText[32];
  std::snprintf(startText, sizeof startText, "%04d-%02d-%02d %02d:%02d:%02d", start.year, start.month,
                start.day, start.hour, start.minute, start.second);
  std::string text;
  text += "Usage: " + std::string(program) + " [OPTION]... [--] [ARGUMENT]...\n";
  text += "Runs " + std::string(program) +
          " on a device tree, a host folder standing for the device's root.\n"
          "\n"
          "The device:\n"
          "  --device-root DIR    the device tree (also VEXA_DEVICE_ROOT); otherwise the nearest\n"
          "                       folder above the program file that holds a Windows folder\n"
          "  --module-path PATH   the program's own device path, e.g. \"\\Storage Card\\App\\App.exe\"\n"
          "                       (also VEXA_MODULE_PATH); otherwise its place in the device tree\n"
          "  --lang en|ko         the device's language (also VEXA_LANG); otherwise the host locale\n"
          "  --screen WxH         the device's screen, sides from 16 to 8192 (also VEXA_SCREEN);\n"
          "                       default 800x480\n"
          "\n"
          "The run:\n"
          "  --headless           no display: windows drawn offscreen, virtual time, processes,\n"
          "                       window list and sound recorded; input from the scenario\n"
          "  --scenario FILE      the actions of a headless run, one a line\n"
          "  --log FILE           every effect as a JSON line (the file is replaced)\n"
          "  --start-time \"YYYY-MM-DD HH:MM:SS\"\n"
          "                       where the virtual clock starts; default \"" +
          std::string(startText) +
          "\"\n"
          "\n"
          "Serial ports and the clock (desktop runs):\n"
          "  --port COM2:=SOURCE  what stands behind a device's serial port (repeatable; also\n"
          "                       VEXA_PORTS=\"COM2:=/dev/ttyUSB0;COM3:=gpsd\", the option winning per\n"
          "                       port); SOURCE is a host device (/dev/ttyUSB0, /dev/ttyS0), pty (a\n"
          "                       pseudo-terminal named on stderr at the start), file:PATH (a recorded\n"
          "                       NMEA file replayed at its own pace), gpsd or gpsd://HOST:PORT;\n"
          "                       a port without a mapping is missing\n"
          "  --host-clock         setting the device clock sets the host's clock (needs CAP_SYS_TIME);\n"
          "                       otherwise the device tree keeps the clock as an offset\n"
          "                       (\\Windows\\Clock.ini) and the host clock stays untouched\n"
          "\n"
          "  --print-registry     print the device registry's keys and values (the device tree's\n"
          "                       \\Windows\\Registry.reg) and end; nothing runs\n"
          "  --watch-skin         the launcher reloads its skin when one of its files changes\n"
          "                       (also VEXA_WATCH_SKIN=1); a skin that no longer loads keeps the\n"
          "                       last good one\n"
          "  --help               this text\n"
          "Values go as --name VALUE or --name=VALUE.\n"
          "\n"
          "The program's own command line:\n";
  text += "  " + std::string(commandLine) + "\n";
  text +=
      "Everything after --, and every argument before it that does not start with --, is handed to\n"
      "the program as the device would hand it over.\n"
      "\n"
      "Exit codes: 0 ended normally, 2 did not start, 3 a scenario action failed, else the program's.\n"
      "docs/running.md describes the options, headless runs and scenario files.\n";
  return text;
}

}  // namespace vexa::platform
