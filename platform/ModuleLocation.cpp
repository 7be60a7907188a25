#include "platform/ModuleLocation.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "common/text/Text.h"
#include "platform/CommandLine.h"

namespace vexa::platform {

namespace fs = std::filesystem;

namespace {

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// True when `folder` holds a folder named "Windows", in any letter case.
bool HoldsSystemFolder(const fs::path& folder) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) return false;
  for (const fs::directory_entry& entry : entries) {
    if (EqualsAsciiNoCase(entry.path().filename().string(), "Windows") && entry.is_directory(error)) {
      return true;
    }
  }
  return false;
}

std::optional<fs::path> FindRootAbove(const fs::path& executable) {
  fs::path folder = executable.parent_path();
  while (!folder.empty()) {
    if (HoldsSystemFolder(folder)) return folder;
    fs::path parent = folder.parent_path();
    if (parent == folder) break;
    folder = std::move(parent);
  }
  return std::nullopt;
}

// The device path of `file` inside `root`, both absolute and without links; nullopt when outside.
std::optional<std::u16string> DevicePathInside(const fs::path& root, const fs::path& file) {
  auto rootPart = root.begin();
  auto filePart = file.begin();
  for (; rootPart != root.end(); ++rootPart, ++filePart) {
    // A trailing separator shows as one empty last component.
    if (rootPart->empty()) break;
    if (filePart == file.end() || *rootPart != *filePart) return std::nullopt;
  }
  std::u16string devicePath;
  for (; filePart != file.end(); ++filePart) {
    if (filePart->empty()) continue;
    devicePath += u'\\';
    devicePath += text::FromUtf8(filePart->string());
  }
  if (devicePath.empty()) return std::nullopt;
  return devicePath;
}

std::u16string NormalizeModulePath(std::u16string path) {
  std::replace(path.begin(), path.end(), u'/', u'\\');
  if (!path.starts_with(u'\\')) path.insert(path.begin(), u'\\');
  return path;
}

}  // namespace

std::optional<ModuleLocation> LocateModule(const LocateOptions& options) {
  std::error_code error;
  std::optional<fs::path> executable;
  if (!options.hostExecutable.empty()) {
    executable = fs::weakly_canonical(fs::absolute(options.hostExecutable, error), error);
    if (error) executable.reset();
  }

  std::optional<fs::path> root;
  if (options.deviceRoot) {
    root = fs::canonical(fs::absolute(*options.deviceRoot, error), error);
    if (error || !fs::is_directory(*root, error)) return std::nullopt;
  } else if (executable) {
    root = FindRootAbove(*executable);
  }
  if (!root) return std::nullopt;

  std::optional<std::u16string> devicePath;
  if (options.modulePath && !options.modulePath->empty()) {
    devicePath = NormalizeModulePath(*options.modulePath);
  } else if (executable) {
    devicePath = DevicePathInside(*root, *executable);
  }
  if (!devicePath) return std::nullopt;
  return ModuleLocation{root->string(), std::move(*devicePath)};
}

std::u16string DeviceOptions::CommandLine() const {
  std::vector<std::u16string> wide;
  wide.reserve(arguments.size());
  for (const std::string& argument : arguments) wide.push_back(text::FromUtf8(argument));
  return JoinCommandLine(wide);
}

namespace {

enum class Match { kNo, kValue, kMissing };

// Recognises "--name VALUE" and "--name=VALUE" at argv[index]. On a match, advances `index` past what
// it used and puts the value into `value`; kMissing when there is no value or it is empty.

Match MatchOption(std::string_view name, int argc, const char* const* argv, int& index, std::string& value) {
  const std::string_view argument = argv[index];
  if (!argument.starts_with(name)) return Match::kNo;
  const std::string_view rest = argument.substr(name.size());
  if (rest.empty()) {
    ++index;
    if (index >= argc) return Match::kMissing;
    value = argv[index++];
  } else if (rest.front() == '=') {
    value = std::string(rest.substr(1));
    ++index;
  } else {
    return Match::kNo;  // "--device-rooted" is somebody else's argument
  }
  return value.empty() ? Match::kMissing : Match::kValue;
}

std::optional<std::string> Language(std::string value) {
  std::transform(value.begin(), value.end(), value.begin(),
                 [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
  if (value == "en" || value == "ko") return value;
  return std::nullopt;
}

}  // namespace

DeviceOptions ParseDeviceOptions(int argc, const char* const* argv, const EnvironmentLookup& environment) {
  DeviceOptions parsed;
  int index = 1;
  while (index < argc) {
    const std::string_view argument = argv[index];
    if (argument == "--") {
      for (++index; index < argc; ++index) parsed.arguments.emplace_back(argv[index]);
      break;
    }
    std::string value;
    bool matched = false;
    for (const std::string_view name : {"--device-root", "--module-path", "--lang"}) {
      const Match match = MatchOption(name, argc, argv, index, value);
      if (match == Match::kNo) continue;
      matched = true;
      if (match == Match::kMissing) {
        parsed.problems.push_back(std::string(name) + " needs a value");
      } else if (name == "--device-root") {
        parsed.locate.deviceRoot = value;
      } else if (name == "--module-path") {
        parsed.locate.modulePath = text::FromUtf8(value);
      } else if (auto checked = Language(value)) {
        parsed.language = std::move(checked);
      } else {
        parsed.problems.push_back("--lang takes en or ko, not " + value);
      }
      break;
    }
    if (!matched) parsed.arguments.emplace_back(argv[index++]);
  }

  const auto variable = [&](const char* name) -> std::optional<std::string> {
    const char* value = environment ? environment(name) : nullptr;
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
  };
  if (!parsed.locate.deviceRoot) parsed.locate.deviceRoot = variable("VEXA_DEVICE_ROOT");
  if (!parsed.locate.modulePath) {
    if (auto path = variable("VEXA_MODULE_PATH")) parsed.locate.modulePath = text::FromUtf8(*path);
  }
  if (!parsed.language) {
    if (auto value = variable("VEXA_LANG")) {
      parsed.language = Language(*value);
      if (!parsed.language) parsed.problems.push_back("VEXA_LANG takes en or ko, not " + *value);
    }
  }
  return parsed;
}

}  // namespace vexa::platform
