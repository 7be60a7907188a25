#include "platform/runtime/RuntimeOptions.h"

#include <charconv>

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
    bool matched = false;
    for (const std::string_view name : {"--screen", "--scenario", "--log", "--start-time"}) {
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
      } else if (auto start = VirtualClock::ParseDateTime(*value)) {
        options.startTime = start;
      } else {
        options.errors.push_back("--start-time takes \"YYYY-MM-DD HH:MM:SS\", not \"" + *value + "\"");
      }
      break;
    }
    if (!matched) rest.push_back(argv[index++]);
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
  if (options.scenario && !options.headless) options.errors.push_back("--scenario needs --headless");
  if (options.startTime && !options.headless) options.errors.push_back("--start-time needs --headless");

  options.device = ParseDeviceOptions(static_cast<int>(rest.size()), rest.data(), environment);
  return options;
}

}  // namespace vexa::platform
