#include "platform/headless/ScenarioPump.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <vector>

#include "common/text/Text.h"

namespace vexa::platform {

ScenarioPump::ScenarioPump(Scenario scenario, VirtualClock& clock, EffectLog& log, std::ostream& errors)
    : scenario_(std::move(scenario)), clock_(clock), log_(log), errors_(errors) {}

void ScenarioPump::HostEvents() {
  if (hostEvents_) hostEvents_();
}

void ScenarioPump::RunUntil(const std::function<bool()>& done) {
  for (;;) {
    HostEvents();
    if (quitting_ || done()) return;
    // Timers that fell due while the program slept are delivered before the next input.
    if (clock_.FireDue([this] { return quitting_; })) continue;
    std::optional<ScenarioAction> action = scenario_.Next();
    if (!action) {
      // Nothing more to do while the program waits for input: the run is over.
      Quit();
      return;
    }
    Perform(*action);
  }
}

std::string ScenarioPump::FeedSerial(const ScenarioAction& action) {
  if (serialPorts_ == nullptr) return "there are no serial ports to feed";
  if (action.verb == ScenarioVerb::kSerial) {
    if (!serialPorts_->Feed(action.port, action.bytes)) return "the serial port is not one of the scenario's";
    return {};
  }
  // A recording of a drive is a few megabytes at most; a bigger file is not a recording.
  constexpr std::uintmax_t kLargestRecording = 64u << 20;
  std::filesystem::path path(action.hostPath);
  if (path.is_relative() && !scenarioFolder_.empty()) path = std::filesystem::path(scenarioFolder_) / path;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return "cannot read the recording \"" + path.string() + "\"";
  if (size > kLargestRecording) return "the recording \"" + path.string() + "\" is larger than 64 MB";
  std::ifstream in(path, std::ios::binary);
  std::string recording(static_cast<std::size_t>(size), '\0');
  if (!in || !in.read(recording.data(), static_cast<std::streamsize>(recording.size()))) {
    return "cannot read the recording \"" + path.string() + "\"";
  }
  if (!serialPorts_->FeedPaced(action.port, std::move(recording))) return "the serial port is not one of the scenario's";
  return {};
}

namespace {

// The icon a scenario gives a window as a colour: a square of it in a dark frame, at the size of a
// program's icon.
gfx::Bitmap ColourIcon(gfx::ColorRef colour) {
  constexpr int kSide = 32;
  gfx::Bitmap icon(kSide, kSide);
  gfx::FillRect(icon, icon.bounds(), colour);
  gfx::FrameRect(icon, icon.bounds(), gfx::Rgb(32, 32, 32));
  return icon;
}

}  // namespace

std::string ScenarioPump::ChangeWindows(const ScenarioAction& action) {
  if (windows_ == nullptr) return "there is no window list for other programs' windows";
  if (action.verb == ScenarioVerb::kWindowGone) {
    for (const ui::ForeignWindow window : windows_->Enumerate()) {
      // Our own windows are not the scenario's to take away: RemoveForeign refuses them.
      if (text::EqualsNoCase(windows_->Title(window), action.title) && windows_->RemoveForeign(window))
        return {};
    }
    return "no window of another program is titled \"" + text::ToUtf8(action.title) + "\"";
  }
  std::optional<gfx::Bitmap> icon;
  if (action.iconPath) {
    if (pictures_ != nullptr) icon = pictures_->Decode(*action.iconPath);
    if (!icon || icon->empty())
      return "cannot read the icon picture \"" + text::ToUtf8(*action.iconPath) + "\"";
  } else if (action.iconColor) {
    icon = ColourIcon(*action.iconColor);
  }
  const ui::ForeignWindow window = windows_->AddForeign(action.title, action.windowClass, !action.hidden);
  if (icon) windows_->SetForeignIcon(window, std::move(*icon));
  if (action.topMost) windows_->SetForeignTopMost(window, true);
  return {};
}

std::string ScenarioPump::ChangeFile(const ScenarioAction& action) {
  if (fileWatcher_ == nullptr || files_ == nullptr) return "there is no file watcher to tell";
  if (!action.hostPath.empty()) {
    // A skin file or a picture: a few megabytes at most.
    constexpr std::uintmax_t kLargestFile = 64u << 20;
    std::filesystem::path path(action.hostPath);
    if (path.is_relative() && !scenarioFolder_.empty()) path = std::filesystem::path(scenarioFolder_) / path;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return "cannot read the file \"" + path.string() + "\"";
    if (size > kLargestFile) return "the file \"" + path.string() + "\" is larger than 64 MB";
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
      return "cannot read the file \"" + path.string() + "\"";
    }
    if (!files_->WriteWholeFile(action.value, bytes)) {
      return "cannot write the device file \"" + text::ToUtf8(action.value) + "\"";
    }
  }
  fileWatcher_->Notify(action.value);
  return {};
}

void ScenarioPump::LogAction(const ScenarioAction& action) {
  log_.Record("action", {{"line", static_cast<std::int64_t>(action.line)}, {"text", action.text}});
}

void ScenarioPump::Fail(int line, std::string_view message) {
  log_.Record("scenario_error",
              {{"line", static_cast<std::int64_t>(line)}, {"message", std::string(message)}});
  errors_ << "scenario line " << line << ": " << message << std::endl;
  exitCode_ = kFailedExitCode;
  Quit();
}

void ScenarioPump::Perform(const ScenarioAction& action) {
  LogAction(action);
  using V = ScenarioVerb;
  switch (action.verb) {
    case V::kWait:
      clock_.Advance(action.milliseconds, [this] { return quitting_; });
      return;
    case V::kAnswer:
    case V::kFile:
    case V::kFolder:
    case V::kColor:
      scenario_.Keep(action);
      return;
    case V::kQuit:
      Quit();
      return;
    case V::kWindow:
    case V::kWindowGone: {
      const std::string problem = ChangeWindows(action);
      if (!problem.empty()) Fail(action.line, problem);
      return;
    }
    case V::kFileChanged: {
      const std::string problem = ChangeFile(action);
      if (!problem.empty()) Fail(action.line, problem);
      return;
    }
    case V::kSerial:
    case V::kSerialFile: {
      const std::string problem = FeedSerial(action);
      if (!problem.empty()) Fail(action.line, problem);
      return;
    }
    default:
      break;
  }
  if (automation_ == nullptr) {
    Fail(action.line, "there is no user interface to drive");
    return;
  }
  std::string problem;
  switch (action.verb) {
    case V::kTap:
      problem = automation_->Press(action.point);
      if (problem.empty()) {
        HostEvents();
        problem = automation_->Release(action.point);
      }
      break;
    case V::kPress:
      problem = automation_->Press(action.point);
      break;
    case V::kMove:
      problem = automation_->Move(action.point);
      break;
    case V::kRelease:
      problem = automation_->Release(action.point);
      break;
    case V::kClick:
      problem = automation_->Click(action.title, action.control());
      break;
    case V::kChoose:
      problem = automation_->Choose(action.title, action.control(), action.value);
      break;
    case V::kType:
      problem = automation_->Type(action.title, action.control(), action.value);
      break;
    case V::kCheck:
      problem = automation_->Check(action.title, action.control(), action.check);
      break;
    case V::kScreenshot:
      if (action.wholeScreen) {
        std::vector<std::u16string> windows;
        problem = automation_->ScreenScreenshot(action.hostPath, windows);
        if (problem.empty()) {
          log_.Record("screenshot", {{"path", action.hostPath},
                                     {"windows", static_cast<std::int64_t>(windows.size())},
                                     {"top", windows.empty() ? std::u16string() : windows.front()}});
        }
      } else {
        problem = automation_->Screenshot(action.title, action.hostPath);
      }
      break;
    default:
      break;
  }
  if (!problem.empty()) Fail(action.line, problem);
}

}  // namespace vexa::platform
