// A plain stand-in for the device's shell, placed as "\Windows\explorer.exe" on the demo device: a
// desktop window filling the screen with the desktop folder's shortcuts as icons, and a taskbar docked
// at the bottom with a start button (the Programs folder's shortcuts), a button for each visible
// window of another program and the time. Started with "/taskbar" it is the taskbar alone; the
// desktop starts it so, since the desktop and the taskbar are windows of two classes. Started with
// "/boot" it does what the device does after power-on: it starts the shortcuts of "\Windows\StartUp"
// in name order, and ends.

#include <algorithm>
#include <string>
#include <vector>

#include "common/Launcher.h"
#include "common/PathTokens.h"
#include "common/gfx/Bitmap.h"
#include "platform/Platform.h"
#include "platform/runtime/ProgramRuntime.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/WindowList.h"

namespace {

namespace ui = vexa::platform::ui;
using vexa::gfx::Rect;
using vexa::gfx::Rgb;

constexpr int kTaskbarHeight = 26;
constexpr int kIconCell = 88;
constexpr int kFirstIcon = 1100;
constexpr int kMaxIcons = 40;
constexpr int kStart = 1001;
constexpr int kTime = 1002;
constexpr int kFirstTask = 1200;
constexpr int kMaxTasks = 8;
constexpr int kStartList = 1001;
constexpr int kTaskTimer = 1;

const vexa::platform::FontSpec kShellFont{u"System", 13, 400};

// The shortcut files of a folder, by name without ".lnk", sorted.
std::vector<std::u16string> Shortcuts(vexa::platform::FileSystem& files, const std::u16string& folder) {
  std::vector<std::u16string> names;
  if (folder.empty()) return names;
  for (const auto& entry : files.Find(folder + u"\\*.lnk")) {
    if (entry.name.size() > 4) names.push_back(entry.name.substr(0, entry.name.size() - 4));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The desktop: the desktop folder's shortcuts in columns from the top left, on the classic colour.
class Desktop : public ui::WindowHandler {
 public:
  Desktop(vexa::platform::Platform& platform, vexa::Launcher& launcher, std::u16string folder,
          std::vector<std::u16string> icons)
      : platform_(platform), launcher_(launcher), folder_(std::move(folder)), icons_(std::move(icons)) {}

  bool OnPaint(ui::Window&, vexa::gfx::Bitmap& canvas) override {
    vexa::gfx::FillRect(canvas, {0, 0, canvas.width(), canvas.height()}, Rgb(0, 96, 128));
    return true;
  }
  void OnDrawItem(ui::Window&, int id, vexa::gfx::Bitmap& canvas, const ui::DrawItemState& state) override {
    const auto index = static_cast<std::size_t>(id - kFirstIcon);
    if (index >= icons_.size()) return;
    const int w = canvas.width();
    vexa::gfx::FillRect(canvas, {0, 0, w, canvas.height()}, state.pressed ? Rgb(0, 64, 96) : Rgb(0, 96, 128));
    // A plain program icon: a white sheet with a coloured band.
    const Rect sheet{w / 2 - 16, 6, w / 2 + 16, 38};
    vexa::gfx::FillRect(canvas, sheet, Rgb(255, 255, 255));
    vexa::gfx::FillRect(canvas, {sheet.left, sheet.top, sheet.right, sheet.top + 8}, Rgb(40, 80, 200));
    if (platform_.text) {
      platform_.text->DrawText(canvas, {2, 42, w - 2, canvas.height() - 2}, icons_[index], kShellFont,
                               Rgb(255, 255, 255), ui::TextAlign::kCenter);
    }
  }
  void OnCommand(ui::Window& window, int id, ui::Notification n) override {
    const auto index = static_cast<std::size_t>(id - kFirstIcon);
    if (n != ui::Notification::kClicked || index >= icons_.size()) return;
    launcher_.Launch(window.handle(), folder_ + u"\\" + icons_[index] + u".lnk");
  }
  // The desktop is the shell: it stays until the device ends.
  bool OnClose(ui::Window&) override { return false; }

 private:
  vexa::platform::Platform& platform_;
  vexa::Launcher& launcher_;
  std::u16string folder_;
  std::vector<std::u16string> icons_;
};

// The start menu: the Programs folder's shortcuts in a list above the start button.
class StartMenu : public ui::WindowHandler {
 public:
  StartMenu(vexa::Launcher& launcher, std::u16string folder, std::vector<std::u16string> entries)
      : launcher_(launcher), folder_(std::move(folder)), entries_(std::move(entries)) {}

  void OnInit(ui::Window& window) override {
    for (const auto& entry : entries_) window.AddItem(kStartList, entry);
  }
  void OnCommand(ui::Window& window, int id, ui::Notification n) override {
    if (id == 2 && n == ui::Notification::kClicked) window.EndModal(0);
    if (id != kStartList || (n != ui::Notification::kClicked && n != ui::Notification::kDoubleClicked)) return;
    const int selected = window.Selection(kStartList);
    if (selected < 0 || static_cast<std::size_t>(selected) >= entries_.size()) return;
    window.EndModal(0);
    launcher_.Launch(vexa::platform::kNoWindow, folder_ + u"\\" + entries_[static_cast<std::size_t>(selected)] + u".lnk");
  }

 private:
  vexa::Launcher& launcher_;
  std::u16string folder_;
  std::vector<std::u16string> entries_;
};

// The taskbar: start button, a button per program window (tap: to the front), the time.
class Taskbar : public ui::WindowHandler {
 public:
  Taskbar(vexa::platform::Platform& platform, ui::UserInterface& ui, vexa::Launcher& launcher,
          std::u16string programs)
      : platform_(platform), ui_(ui), launcher_(launcher), programs_(std::move(programs)) {}

  void OnInit(ui::Window& window) override {
    Refresh(window);
    window.SetTimer(kTaskTimer, 1000);
  }
  void OnTimer(ui::Window& window, int) override { Refresh(window); }
  // A press on the taskbar (the launcher sends a right-button press after showing it) brings it up.
  void OnPointerDown(ui::Window& window, ui::Point) override {
    window.Show(true);
    window.SetZOrder(ui::ZOrder::kTopMost);
  }
  void OnCommand(ui::Window& window, int id, ui::Notification n) override {
    if (n != ui::Notification::kClicked) return;
    if (id == kStart) {
      OpenStartMenu(window);
      return;
    }
    const auto index = static_cast<std::size_t>(id - kFirstTask);
    if (index < tasks_.size() && platform_.windowList) platform_.windowList->SetForeground(tasks_[index]);
  }
  bool OnClose(ui::Window&) override { return false; }

 private:
  void Refresh(ui::Window& window) {
    if (platform_.clock) {
      const auto now = platform_.clock->LocalTime();
      char16_t text[6] = {static_cast<char16_t>(u'0' + now.hour / 10), static_cast<char16_t>(u'0' + now.hour % 10), u':',
                          static_cast<char16_t>(u'0' + now.minute / 10), static_cast<char16_t>(u'0' + now.minute % 10), 0};
      window.SetText(kTime, text);
    }
    std::vector<ui::ForeignWindow> found;
    std::vector<std::u16string> titles;
    if (auto* list = platform_.windowList) {
      for (const auto w : list->Enumerate()) {
        if (found.size() >= kMaxTasks) break;
        const auto title = list->Title(w);
        const auto cls = list->ClassName(w);
        if (title.empty() || !list->IsVisible(w) || cls == u"DesktopExplorerWindow" || cls == u"HHTaskBar") continue;
        found.push_back(w);
        titles.push_back(title);
      }
    }
    tasks_ = found;
    for (int i = 0; i < kMaxTasks; ++i) {
      if (!window.GetControlRect(kFirstTask + i).width()) continue;
      const bool used = static_cast<std::size_t>(i) < titles.size();
      if (used) window.SetText(kFirstTask + i, titles[static_cast<std::size_t>(i)]);
      window.ShowControl(kFirstTask + i, used);
    }
  }

  void OpenStartMenu(ui::Window& bar) {
    auto entries = Shortcuts(platform_.files, programs_);
    const Rect at = bar.GetRect();
    const int height = std::clamp(static_cast<int>(entries.size()) * 24 + 48, 96, std::max(96, at.top));
    ui::WindowTemplate menu;
    menu.title = u"Start";
    menu.style = ui::kThinBorder | ui::kTopMost;
    menu.rect = Rect::FromSize(at.left, std::max(0, at.top - height), 220, height);
    menu.controls = {
        {kStartList, ui::ControlKind::kListBox, {4, 4, 216, height - 40}, u"", ui::kBorder},
        {2, ui::ControlKind::kPushButton, {140, height - 34, 216, height - 4}, u"Close", 0},
    };
    StartMenu handler(launcher_, programs_, std::move(entries));
    ui_.RunModal(menu, handler, &bar);
  }

  vexa::platform::Platform& platform_;
  ui::UserInterface& ui_;
  vexa::Launcher& launcher_;
  std::u16string programs_;
  std::vector<ui::ForeignWindow> tasks_;
};

int RunTaskbar(vexa::platform::Platform& platform, ui::UserInterface& ui, vexa::Launcher& launcher,
               const vexa::PathTokens& paths) {
  const auto screen = ui.ScreenSize();
  ui::WindowTemplate bar;
  bar.title = u"";
  bar.className = u"HHTaskBar";
  bar.style = ui::kTopMost | ui::kNoActivate;
  bar.rect = Rect::FromSize(0, screen.height - kTaskbarHeight, screen.width, kTaskbarHeight);
  bar.controls.push_back({kStart, ui::ControlKind::kPushButton, {2, 2, 62, kTaskbarHeight - 2}, u"Start", 0});
  // Window buttons wide enough for a title, as many as the bar holds (up to eight).
  const int taskWidth = 130;
  const int tasks = std::clamp((screen.width - 64 - 60) / taskWidth, 1, kMaxTasks);
  for (int i = 0; i < tasks; ++i) {
    const int left = 64 + i * taskWidth;
    bar.controls.push_back({kFirstTask + i, ui::ControlKind::kPushButton, {left, 2, left + taskWidth - 2, kTaskbarHeight - 2},
                            u"", ui::kHidden});
  }
  bar.controls.push_back({kTime, ui::ControlKind::kStatic, {screen.width - 56, 2, screen.width - 4, kTaskbarHeight - 2},
                          u"", ui::kAlignCenter});
  Taskbar handler(platform, ui, launcher, paths.GetPath(vexa::platform::Shell::kProgramsFolder));
  return ui.RunModal(bar, handler, nullptr);
}

int RunDesktop(vexa::platform::Platform& platform, ui::UserInterface& ui, vexa::Launcher& launcher,
               const vexa::PathTokens& paths) {
  // The taskbar is a program window of its own class: this program once more, as the taskbar.
  platform.processes.Start(platform.modulePath, u"/taskbar");
  const auto screen = ui.ScreenSize();
  const auto folder = paths.GetPath(vexa::platform::Shell::kDesktopFolder);
  auto icons = Shortcuts(platform.files, folder);
  if (icons.size() > kMaxIcons) icons.resize(kMaxIcons);
  ui::WindowTemplate desk;
  desk.title = u"Desktop";
  desk.className = u"DesktopExplorerWindow";
  desk.style = ui::kPopup | ui::kNoActivate;
  desk.rect = Rect::FromSize(0, 0, screen.width, screen.height);
  const int rows = std::max(1, (screen.height - kTaskbarHeight - 8) / kIconCell);
  for (std::size_t i = 0; i < icons.size(); ++i) {
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    desk.controls.push_back({kFirstIcon + static_cast<int>(i), ui::ControlKind::kOwnerDrawButton,
                             Rect::FromSize(8 + column * kIconCell, 8 + row * kIconCell, kIconCell - 8, kIconCell - 8),
                             icons[i], 0});
  }
  Desktop handler(platform, launcher, folder, std::move(icons));
  return ui.RunModal(desk, handler, nullptr);
}

// The device's start after power-on: every shortcut of the start-up folder, in name order.
int Boot(vexa::platform::Platform& platform, vexa::Launcher& launcher) {
  const std::u16string folder = u"\\Windows\\StartUp";
  for (const auto& name : Shortcuts(platform.files, folder)) launcher.Launch(vexa::platform::kNoWindow, folder + u"\\" + name + u".lnk");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"explorer";
  info.resourceSet = "demo";
  info.commandLineHelp = "none for the desktop (which starts the taskbar); /taskbar for the taskbar alone; /boot to start the shortcuts of \\Windows\\StartUp in name order";
  return vexa::platform::RunProgram(argc, argv, info, [](vexa::platform::Platform& platform, ui::UserInterface& ui) {
    vexa::PathTokens paths(platform.shell, platform.modulePath, vexa::Flavor::kDeck);
    vexa::Launcher launcher(platform, paths, vexa::LaunchTexts::For(vexa::Flavor::kDeck, false), false);
    if (platform.commandLine.find(u"/boot") != std::u16string::npos) return Boot(platform, launcher);
    if (platform.commandLine.find(u"/taskbar") != std::u16string::npos) return RunTaskbar(platform, ui, launcher, paths);
    return RunDesktop(platform, ui, launcher, paths);
  });
}
