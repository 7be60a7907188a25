#include "intro/IntroWindow.h"

#include <array>
#include <optional>
#include <string>

#include "common/text/Text.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::intro {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

constexpr int kStartDelayMs = 1500;
constexpr int kRestartDelayMs = 100;
constexpr int kExplorerWaitMs = 1500;

constexpr int kWidth = 400;
constexpr int kHeight = 206;
constexpr int kSettingsWidth = 470;
constexpr int kSettingsHeight = 184;

constexpr char16_t kMain[] = u"Main";
constexpr char16_t kProgram[] = u"Program";

// One of the three programs the intro starts: its key in both sections, its name in the messages.
struct Program {
  std::u16string_view key;
  std::u16string_view missingPath;  // the start-up's message for an empty path
  std::u16string_view pathNeeded;   // the settings window's message for an empty path
};
constexpr Program kToolbar{u"VexaToolbar", u"환경설정에서 [Vexa Toolbar]를 지정하세요.", u"Vexa Toolbar 경로를 설정하세요."};
constexpr Program kDeck{u"VexaDeck", u"환경설정에서 [Vexa Deck]를 지정하세요.", u"Vexa Deck 경로를 설정하세요."};
constexpr Program kNavigation{u"Navigation", u"환경설정에서 [Navigation]을 지정하세요.", u"Navigation 경로를 설정하세요."};

gfx::Rect Centred(gfx::Size screen, int width, int height) {
  return gfx::Rect::FromSize((screen.width - width) / 2, (screen.height - height) / 2, width, height);
}

// The logo across the top, the hint below it; the six buttons, hidden until a tap, take the hint's
// place in two rows of three.
platform::ui::WindowTemplate LogoTemplate(gfx::Size screen) {
  using platform::ui::kHidden;
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kIntroTitle;
  tmpl.style = platform::ui::kThinBorder;
  tmpl.rect = Centred(screen, kWidth, kHeight);
  tmpl.controls = {
      {kLogo, ControlKind::kPicture, {0, 0, kWidth, 120}, u"", 0},
      {kHint, ControlKind::kStatic, {8, 150, kWidth - 8, 172}, u"[ 로고를 클릭하면 메뉴가 보입니다. ]",
       platform::ui::kAlignCenter},
      {kSettingsButton, ControlKind::kPushButton, {8, 126, 132, 162}, u"설정", kHidden},
      {kCloseButton, ControlKind::kPushButton, {138, 126, 262, 162}, u"닫기", kHidden},
      {kNaviButton, ControlKind::kPushButton, {268, 126, 392, 162}, u"Navi", kHidden},
      {kDeckButton, ControlKind::kPushButton, {8, 166, 132, 202}, u"VexaDeck", kHidden},
      {kToolbarButton, ControlKind::kPushButton, {138, 166, 262, 202}, u"VexaTBar", kHidden},
      {kWindowsButton, ControlKind::kPushButton, {268, 166, 392, 202}, u"Windows", kHidden},
  };
  return tmpl;
}

platform::ui::WindowTemplate SettingsTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kIntroSettingsTitle;
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, kSettingsWidth, kSettingsHeight);
  auto row = [&tmpl](int top, int caption, std::u16string_view label, int path, int run, std::u16string_view box) {
    tmpl.controls.push_back({caption, ControlKind::kStatic, {6, top + 4, 106, top + 24}, std::u16string(label),
                             platform::ui::kAlignRight});
    if (path != 0) tmpl.controls.push_back({path, ControlKind::kPushButton, {110, top, 400, top + 28}, u"", 0});
    tmpl.controls.push_back(
        {run, ControlKind::kCheckBox, {path != 0 ? 406 : 110, top + 2, 464, top + 26}, std::u16string(box), 0});
  };
  row(8, kDeckCaption, u"Vexa Deck:", kDeckPath, kDeckRun, u"실행");
  row(40, kNaviCaption, u"Navigation:", kNaviPath, kNaviRun, u"실행");
  row(72, kToolbarCaption, u"Vexa Toolbar:", kToolbarPath, kToolbarRun, u"실행");
  row(104, kWindowsCaption, u"Windows mode:", 0, kWindowsMode, u"설정");
  tmpl.controls.push_back({kSettingsOk, ControlKind::kDefaultPushButton, {120, 146, 220, 176}, u"확인", 0});
  tmpl.controls.push_back({kSettingsCancel, ControlKind::kPushButton, {250, 146, 350, 176}, u"취소", 0});
  return tmpl;
}

void ShowNotice(Environment& env, platform::WindowHandle owner, std::u16string_view text,
                platform::MessageIcon icon = platform::MessageIcon::kNone) {
  platform::MessageBoxRequest box;
  box.owner = owner;
  box.text = std::u16string(text);
  box.caption = u"알림";
  box.icon = icon;
  env.platform().messageBoxes.Show(box);
}

bool IsChecked(const Window& window, int id) { return window.GetCheck(id) == CheckState::kChecked; }

class SettingsWindow : public platform::ui::WindowHandler {
 public:
  SettingsWindow(Environment& env, ProfileStore& store) : env_(env), store_(store) {}

  void OnInit(Window& window) override {
    window.SetIcon(platform::ui::res::kProgramIcon);
    for (const auto& row : kRows) {
      window.SetText(row.path, store_.GetString(kProgram, row.program.key, u""));
      window.SetCheck(row.run, store_.GetString(kMain, row.program.key, u"") == u"Y" ? CheckState::kChecked
                                                                                   : CheckState::kUnchecked);
    }
    window.SetCheck(kWindowsMode,
                    store_.GetString(kMain, u"WindowsMode", u"") == u"Y" ? CheckState::kChecked : CheckState::kUnchecked);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id == kSettingsCancel) {
      window.EndModal(0);
      return;
    }
    if (id == kSettingsOk) {
      Accept(window);
      return;
    }
    for (const auto& row : kRows) {
      if (id != row.path || env_.platform().dialogs == nullptr) continue;
      const auto chosen = env_.platform().dialogs->OpenFile(window.handle(), u"(*.exe)|*.exe|", u"");
      if (!chosen) return;
      window.SetText(row.path, *chosen);
      window.SetCheck(row.run, CheckState::kChecked);
    }
  }

 private:
  struct Row {
    const Program& program;
    int path;
    int run;
  };
  // In the order OK looks at them.
  static constexpr std::array<Row, 3> kRows = {{{kDeck, kDeckPath, kDeckRun},
                                                {kNavigation, kNaviPath, kNaviRun},
                                                {kToolbar, kToolbarPath, kToolbarRun}}};

  void Accept(Window& window) {
    for (const auto& row : kRows) {
      const bool run = IsChecked(window, row.run);
      if (run && window.GetText(row.path).empty()) {
        ShowNotice(env_, window.handle(), row.program.pathNeeded);
        return;
      }
      store_.SetString(kMain, row.program.key, run ? u"Y" : u"N");
    }
    store_.SetString(kMain, u"WindowsMode", IsChecked(window, kWindowsMode) ? u"Y" : u"N");
    for (const auto& row : kRows) store_.SetString(kProgram, row.program.key, window.GetText(row.path));
    window.EndModal(1);
  }

  Environment& env_;
  ProfileStore& store_;
};

class LogoWindow : public platform::ui::WindowHandler {
 public:
  LogoWindow(Environment& env, platform::ui::UserInterface& ui)
      : env_(env), ui_(ui), path_(env.GetPath(PATH_PROGRAM_DIR) + u"\\VexaIntro.ini") {}

  void OnInit(Window& window) override {
    window.SetIcon(platform::ui::res::kProgramIcon);
    if (env_.platform().resources != nullptr) {
      if (auto logo = env_.platform().resources->Picture(platform::ui::res::intro::kLogo)) {
        window.SetControlPicture(kLogo, *logo);
      }
    }
    window.SetControlZOrder(kHint, platform::ui::ZOrder::kTop);
    window.SetControlColors(kHint, gfx::Rgb(255, 0, 0), gfx::Rgb(255, 255, 255));
    Load();
    window.SetTimer(kStartTimer, kStartDelayMs);
  }

  bool OnPaint(Window&, gfx::Bitmap& canvas) override {
    gfx::FillRect(canvas, canvas.bounds(), gfx::Rgb(255, 255, 255));
    return true;
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId != kStartTimer) return;
    window.KillTimer(kStartTimer);
    ui_.SetWaitCursor(true);
    StartUp(window);
    ui_.SetWaitCursor(false);
  }

  // A tap anywhere on the window body stops the count-down and shows the menu instead of the hint.
  void OnPointerUp(Window& window, gfx::Point) override {
    window.KillTimer(kStartTimer);
    window.ShowControl(kHint, false);
    for (int id = kSettingsButton; id <= kWindowsButton; ++id) window.ShowControl(id, true);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    switch (id) {
      case kSettingsButton: OpenSettings(window); break;
      case kCloseButton: window.EndModal(0); break;
      case kNaviButton: StartProgram(window, kNavigation); break;
      case kDeckButton: StartProgram(window, kDeck); break;
      case kToolbarButton: StartProgram(window, kToolbar); break;
      case kWindowsButton: WindowsMode(window); break;
      default: break;
    }
  }

 private:
  // A missing file reads as empty: every flag off, so the start-up asks for a choice.
  void Load() {
    store_.emplace(env_.platform());
    if (env_.FileExists(path_)) store_->Read(platform::kNoWindow, path_);
  }

  bool Flag(std::u16string_view key) const { return store_->GetString(kMain, key, u"") == u"Y"; }

  void StartUp(Window& window) {
    if (Flag(u"WindowsMode")) WindowsMode(window);
    if (Flag(kToolbar.key) && !StartProgram(window, kToolbar)) return;
    if (Flag(kDeck.key) && !StartProgram(window, kDeck)) return;
    if (Flag(kNavigation.key) && !StartProgram(window, kNavigation)) return;
    if (!Flag(kToolbar.key) && !Flag(kNavigation.key) && !Flag(kDeck.key)) {
      ShowNotice(env_, window.handle(), u"실행할 프로그램을 선택하세요.");
      OpenSettings(window);
    }
  }

  // Starts one program through Launch and closes the window; the close takes effect once the
  // current handler returns, so the rest of the start-up still runs. False when no path is set.
  bool StartProgram(Window& window, const Program& program) {
    window.KillTimer(kStartTimer);
    const std::u16string path = store_->GetString(kProgram, program.key, u"");
    if (path.empty()) {
      ShowNotice(env_, window.handle(), program.missingPath, platform::MessageIcon::kExclamation);
      ui_.SetWaitCursor(false);
      OpenSettings(window);
      return false;
    }
    env_.Launch(window.handle(), path);
    window.EndModal(0);
    return true;
  }

  // The plain desktop: the launcher's shortcut on the desktop and in the Programs menu (made once,
  // with the explorer started first), and the device maker's own intro ended.
  void WindowsMode(Window& window) {
    window.KillTimer(kStartTimer);
    platform::Platform& platform = env_.platform();
    const std::u16string desktopShortcut = env_.GetPath(platform::Shell::kDesktopFolder) + u"\\VexaDeck.lnk";
    const std::u16string deck = store_->GetString(kProgram, kDeck.key, u"");
    if (!deck.empty()) {
      const std::u16string target = u"\"" + deck + u"\"";
      if (!platform.files.ReadFile(desktopShortcut, 0)) {
        env_.Launch(window.handle(), u"\\Windows\\explorer.exe");
        if (platform.clock != nullptr) platform.clock->Sleep(kExplorerWaitMs);
        // A device without one of the folders gets no shortcut there (not one in the root instead).
        for (int folder : {platform::Shell::kDesktopFolder, platform::Shell::kProgramsFolder}) {
          const std::u16string place = env_.GetPath(folder);
          if (!place.empty()) platform.shell.CreateShortcut(place + u"\\VexaDeck.lnk", target);
        }
      }
    }
    for (const auto& process : platform.processes.List()) {
      if (text::ToLower(process.exeFile) == u"gn_intro.exe") platform.processes.Terminate(process.id);
    }
    window.EndModal(0);
  }

  // After OK the settings are saved and the start-up runs again 100 ms later; after Cancel the file
  // is read again, so nothing the window changed stays.
  void OpenSettings(Window& window) {
    if (RunIntroSettings(env_, ui_, &window, *store_)) {
      store_->Save(window.handle(), path_);
      window.SetTimer(kStartTimer, kRestartDelayMs);
    } else {
      Load();
    }
  }

  Environment& env_;
  platform::ui::UserInterface& ui_;
  std::optional<ProfileStore> store_;
  std::u16string path_;
};

}  // namespace

bool RunIntroSettings(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                      ProfileStore& store) {
  const auto tmpl = SettingsTemplate(ui.ScreenSize());
  SettingsWindow window(env, store);
  return ui.RunModal(tmpl, window, owner) == 1;
}

void RunIntroWindow(Environment& env, platform::ui::UserInterface& ui) {
  const auto tmpl = LogoTemplate(ui.ScreenSize());
  LogoWindow window(env, ui);
  ui.RunModal(tmpl, window, nullptr);
}

}  // namespace vexa::intro
