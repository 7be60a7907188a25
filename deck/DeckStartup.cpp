#include "deck/DeckStartup.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "common/SettingValues.h"
#include "common/text/Text.h"
#include "deck/ScreenSizeDialog.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/WindowList.h"

namespace vexa::deck {

namespace {

platform::MessageAnswer Show(Environment& env, platform::WindowHandle owner, std::u16string text,
                             std::u16string caption, platform::MessageIcon icon,
                             platform::MessageButtons buttons = platform::MessageButtons::kOk, int defaultButton = 0) {
  platform::MessageBoxRequest box;
  box.owner = owner;
  box.text = std::move(text);
  box.caption = std::move(caption);
  box.icon = icon;
  box.buttons = buttons;
  box.defaultButton = defaultButton;
  return env.platform().messageBoxes.Show(box);
}

}  // namespace

std::optional<gfx::Size> ResolveScreenSize(Environment& env, platform::ui::UserInterface& ui,
                                           platform::ui::Window* owner) {
  const gfx::Size system = ui.ScreenSize();
  const auto mode = env.mainSettings().GetString(u"Main", u"ScreenSizeMode", u"");
  // Setting words are compared without regard to case, here as in the settings code.
  if (text::EqualsNoCase(mode, u"CHOOSE")) return RunScreenSizeDialog(env, ui, owner, system);
  if (text::EqualsNoCase(mode, u"CUSTOM")) {
    // ScreenSize=480,272
    const auto size = ParsePoint(env.mainSettings().GetString(u"Main", u"ScreenSize", u""), -1, -1);
    if (size.x >= 300 && size.y >= 200 && size.x <= system.width && size.y <= system.height) {
      return gfx::Size{size.x, size.y};
    }
  }
  return system;
}

int BackgroundChangePeriod(int seconds) {
  // The longest interval whose period in milliseconds fits the timer: 2147484 seconds or more would
  // wrap around to a period of a few milliseconds.
  constexpr int kMaxSeconds = std::numeric_limits<int>::max() / 1000;
  return std::clamp(seconds, 2, kMaxSeconds) * 1000;
}

void PlaceShortcuts(Environment& env) {
  const auto desktop = env.GetPath(platform::Shell::kDesktopFolder);
  if (env.FileExists(desktop + u"\\VexaDeck.lnk")) return;
  const auto target = u"\"" + env.GetPath(PATH_DATA_DIR) + u"\\VexaDeck.exe\"";
  auto& shell = env.platform().shell;
  shell.CreateShortcut(desktop + u"\\VexaDeck.lnk", target);
  shell.CreateShortcut(env.GetPath(platform::Shell::kProgramsFolder) + u"\\VexaDeck.lnk", target);
}

std::vector<std::u16string> RegisterFonts(Environment& env, std::u16string_view fontFolder) {
  std::vector<std::u16string> registered;
  auto* fonts = env.platform().fonts;
  if (fonts == nullptr) return registered;
  std::u16string folder(fontFolder);
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  for (const auto& entry : env.platform().files.Find(folder + u"*.ttf")) {
    if (entry.directory) continue;
    const auto path = folder + entry.name;
    if (fonts->Add(path)) registered.push_back(path);
  }
  return registered;
}

void RemoveFonts(Environment& env, std::vector<std::u16string>& fonts) {
  if (auto* registry = env.platform().fonts) {
    for (const auto& path : fonts) registry->Remove(path);
  }
  fonts.clear();
}

void EnterWindowMode(Environment& env, platform::WindowHandle owner) {
  auto& processes = env.platform().processes;
  bool explorerRuns = false;
  const auto snapshot = processes.List();
  // The device's snapshot walk looks at no more than 255 processes.
  const std::size_t count = std::min<std::size_t>(snapshot.size(), 255);
  for (std::size_t i = 0; i < count; ++i) {
    const auto name = text::ToLower(snapshot[i].exeFile);
    if (name == u"explorer.exe") explorerRuns = true;
    if (name == u"gn_intro.exe") processes.Terminate(snapshot[i].id);
  }
  if (explorerRuns) return;
  env.Launch(owner, u"\\Windows\\explorer.exe");
  for (int check = 0; check < 20 && !TaskbarExists(env); ++check) {
    if (env.platform().clock != nullptr) env.platform().clock->Sleep(100);
  }
}

bool TaskbarExists(Environment& env) {
  auto* windows = env.platform().windowList;
  return windows != nullptr && windows->Find(std::nullopt, kTaskbarClass).has_value();
}

void ApplyTaskbarSetting(Environment& env, std::u16string_view value) {
  auto* windows = env.platform().windowList;
  if (windows == nullptr) return;
  const auto taskbar = windows->Find(std::nullopt, kTaskbarClass);
  if (!taskbar) return;
  if (windows->IsVisible(*taskbar) && text::EqualsNoCase(value, u"N")) windows->Show(*taskbar, false);
  if (!windows->IsVisible(*taskbar) && text::EqualsNoCase(value, u"Y")) windows->Show(*taskbar, true);
}

std::optional<ProgramKey> RunCommandProgram(std::u16string_view command) {
  static constexpr std::array<std::pair<std::u16string_view, ProgramKey>, 6> kPrograms = {{
      {u"RUN-NAVIGATION", ProgramKey::kNavigation},
      {u"RUN-TOOLBAR", ProgramKey::kToolbar},
      {u"RUN-MOVIE", ProgramKey::kMoviePlayer},
      {u"RUN-MP3", ProgramKey::kMp3Player},
      {u"RUN-FLASH", ProgramKey::kFlashPlayer},
      {u"RUN-DMB", ProgramKey::kDmbPlayer},
  }};
  for (const auto& [word, program] : kPrograms) {
    if (text::EqualsNoCase(command, word)) return program;
  }
  return std::nullopt;
}

bool LaunchRunCommand(Environment& env, platform::WindowHandle owner, std::u16string_view command,
                      const std::function<void()>& stopGps) {
  const auto program = RunCommandProgram(command);
  if (!program) return false;
  const auto path = DeckSettings(env).Program(*program);
  // A stored path may name the card by "%STORAGE%"; it is checked where it really lies.
  if (path.empty() || !env.FileExists(env.ExpandStorage(path))) {
    const std::u16string name(command.size() > 4 ? command.substr(4) : std::u16string_view());
    if (env.KoreanUi()) {
      Show(env, owner, u"환경설정에서 [" + name + u"]를(을) 지정하세요.", u"Information",
           platform::MessageIcon::kExclamation);
    } else {
      Show(env, owner, u"Choose the [" + name + u"] path from the config window.", u"Information",
           platform::MessageIcon::kExclamation);
    }
    return false;
  }
  if (text::EqualsNoCase(command, u"RUN-NAVIGATION") && stopGps) stopGps();
  return env.Launch(owner, path);
}

}  // namespace vexa::deck
