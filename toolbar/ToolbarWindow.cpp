#include "toolbar/ToolbarWindow.h"

#include <string>

#include "common/SettingValues.h"
#include "common/text/Text.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/ResourceIds.h"
#include "platform/ui/WindowList.h"
#include "toolbar/CloseMenu.h"
#include "toolbar/FrontWindow.h"
#include "toolbar/GroupList.h"
#include "toolbar/IconButton.h"
#include "toolbar/IconWindow.h"
#include "toolbar/KeyboardWindow.h"
#include "toolbar/ProgramIcon.h"
#include "toolbar/StartupDuties.h"
#include "toolbar/windows/ToolbarWindows.h"

namespace vexa::toolbar {

namespace {

using platform::MessageAnswer;
using platform::MessageBoxRequest;
using platform::ui::ControlKind;
using platform::ui::Notification;

enum ToolbarTimer : int {
  kIdleTimer = 1,
  kStartupTimer = 2,
  kHideTimer = 3,
  kClockTimer = 4,
  kOnTopTimer = 5,
};
constexpr int kIdleMs = 5000;
constexpr int kStartupMs = 500;
constexpr int kClockMs = 1000;
constexpr int kOnTopMs = 10000;

// The windows of the toolbar that Kill and the keyboard never take for the program in front.
const std::vector<std::u16string>& OurTitles() {
  static const std::vector<std::u16string> titles = {kToolbarTitle, kKeyboardTitle};
  return titles;
}

// The toolbar's window before its first layout: centred, the size of the two buttons an empty
// settings file shows, every button hidden until the layout shows it.
platform::ui::WindowTemplate ToolbarTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kToolbarTitle;
  tmpl.style = platform::ui::kThinBorder | platform::ui::kTopMost | platform::ui::kNoActivate;
  const int width = 2 * kDefaultButtonWidth;
  const int height = kDefaultButtonHeight;
  tmpl.rect = gfx::Rect::FromSize((screen.width - width) / 2, (screen.height - height) / 2, width, height);
  for (const ButtonEntry& entry : ButtonSet()) {
    tmpl.controls.push_back({entry.id,
                             ControlKind::kOwnerDrawButton,
                             {0, 0, kDefaultButtonWidth, kDefaultButtonHeight},
                             entry.label,
                             platform::ui::kHidden | platform::ui::kDisabled});
  }
  tmpl.controls.push_back({kClockLabel,
                           ControlKind::kStatusText,
                           {0, 0, kDefaultButtonWidth, kDefaultIconSize},
                           u"",
                           platform::ui::kHidden | platform::ui::kAlignCenter});
  return tmpl;
}

bool Yes(const ToolbarProfileStore& store, std::u16string_view section, std::u16string_view key) {
  return IsYesExactly(store.GetString(section, key, u"N"));
}

std::string IdList(const ButtonLayout& layout) {
  std::string ids;
  for (const PlacedButton& button : layout.buttons) {
    if (!button.shown) continue;
    if (!ids.empty()) ids += ',';
    ids += std::to_string(button.id);
  }
  return ids;
}

}  // namespace

ToolbarWindow::ToolbarWindow(platform::Platform& platform, platform::ui::UserInterface& ui)
    : platform_(platform), ui_(ui), store_(platform) {}

ToolbarWindow::~ToolbarWindow() = default;

void ToolbarWindow::Run() {
  ui_.RunModal(ToolbarTemplate(ui_.ScreenSize()), *this, nullptr);
  window_ = nullptr;
}

std::u16string ToolbarWindow::SettingsPath() const {
  return store_.GetPath(PATH_PROGRAM_DIR) + u"\\VexaToolbar.ini";
}

void ToolbarWindow::OnInit(platform::ui::Window& window) {
  window_ = &window;
  window.SetIcon(platform::ui::res::kProgramIcon);
  window.SetTitle(kToolbarTitle);
  window.SetText(kClockLabel, u"");
  window.SetControlColors(kClockLabel, gfx::Rgb(0, 0, 255), gfx::Rgb(255, 255, 255));
  store_.SetOwner(window.handle());
  store_.Read(SettingsPath());
  position_ = {store_.GetInt(u"Main", u"XPosition", 0), store_.GetInt(u"Main", u"YPosition", 0)};
  LayOut();
  PlaceSelfShortcuts();
  window.SetTimer(kStartupTimer, kStartupMs);
  forcedMinimize_ = false;
}

// ---------------------------------------------------------------------------------------------------
// Layout.

void ToolbarWindow::LayOut() {
  platform::ui::Window& window = *window_;
  layout_ = LayOutButtons(store_);
  LoadIcons();
  const platform::FontSpec font = LabelFont(layout_.iconSize);
  for (const PlacedButton& button : layout_.buttons) {
    if (button.shown) window.MoveControl(button.id, button.rect);
    window.EnableControl(button.id, button.shown);
    window.ShowControl(button.id, button.shown);
    window.SetText(button.id, button.label);
    window.InvalidateControl(button.id);
  }
  window.SetControlFont(kClockLabel, font);
  if (layout_.clockLabel) {
    window.MoveControl(kClockLabel, *layout_.clockLabel);
    window.SetControlZOrder(kClockLabel, platform::ui::ZOrder::kTop);
  } else {
    window.ShowControl(kClockLabel, false);
    clockLabelShown_ = false;
  }
  window.Move(gfx::Rect::FromSize(gfx::AddSaturated(position_.x, 1), gfx::AddSaturated(position_.y, 1),
                                  layout_.client.width, layout_.client.height));
  window.SetZOrder(platform::ui::ZOrder::kTopMost);
  window.Invalidate();
  if (platform_.log != nullptr) {
    platform_.log->Record("toolbar_layout", {{"x", std::int64_t{position_.x}},
                                             {"y", std::int64_t{position_.y}},
                                             {"width", std::int64_t{layout_.client.width} + 2},
                                             {"height", std::int64_t{layout_.client.height} + 2},
                                             {"vertical", layout_.vertical},
                                             {"buttons", IdList(layout_)}});
  }
}

void ToolbarWindow::LoadIcons() {
  icons_.clear();
  // At icon size 32 the program buttons show their program's icon.
  const bool programIcons = store_.GetInt(u"Main", u"IconSize", kDefaultIconSize) == 32;
  const gfx::Size side{layout_.iconSize, layout_.iconSize};
  for (const PlacedButton& button : layout_.buttons) {
    if (!button.shown) continue;
    std::optional<gfx::Bitmap> icon;
    bool keyed = false;
    int resource = button.icon;
    if (programIcons && button.id >= kM1Button && button.id <= kM5Button) {
      const std::u16string section = u"Hotkey" + text::FromInt(button.id - kM1Button + 1);
      const std::u16string program = store_.GetString(section, u"ExeFilePath", u"");
      if (!program.empty()) {
        icon = ProgramIcon(platform_, program);
        keyed = icon.has_value();
        if (!icon) resource = platform::ui::res::toolbar::kProgramFile;
      }
    }
    if (!icon && platform_.resources != nullptr) icon = platform_.resources->Icon(resource, side);
    if (icon) icons_[button.id] = ButtonIcon{std::move(*icon), keyed};
  }
}

gfx::Rect ToolbarWindow::ButtonBounds(int controlId) const {
  const PlacedButton* button = layout_.Find(controlId);
  if (button == nullptr || !button->shown || window_ == nullptr) return {};
  const gfx::Rect client = window_->GetRect();
  return button->rect.Offset(client.left, client.top);
}

gfx::Rect ToolbarWindow::Bounds() const {
  return window_ != nullptr ? window_->GetRect().Inflate(1, 1) : gfx::Rect{};
}

void ToolbarWindow::MoveTo(gfx::Point topLeft) {
  position_ = topLeft;
  store_.SetInt(u"Main", u"XPosition", topLeft.x);
  store_.SetInt(u"Main", u"YPosition", topLeft.y);
  if (window_ == nullptr) return;
  const gfx::Rect client = window_->GetRect();
  window_->Move(gfx::Rect::FromSize(gfx::AddSaturated(topLeft.x, 1), gfx::AddSaturated(topLeft.y, 1),
                                    client.width(), client.height()));
}

void ToolbarWindow::Relayout() {
  if (window_ == nullptr) return;
  LayOut();
  store_.SetInt(u"Main", u"XPosition", position_.x);
  store_.SetInt(u"Main", u"YPosition", position_.y);
}

void ToolbarWindow::ReloadSettings() {
  store_.Read(SettingsPath());
  position_ = {store_.GetInt(u"Main", u"XPosition", 0), store_.GetInt(u"Main", u"YPosition", 0)};
}

void ToolbarWindow::PutOnTop() {
  if (window_ != nullptr) window_->SetZOrder(platform::ui::ZOrder::kTopMost);
}

void ToolbarWindow::ApplyClockSetting() {
  if (window_ == nullptr) return;
  window_->KillTimer(kClockTimer);
  if (Yes(store_, u"Toolbar", u"ClockShow")) {
    window_->SetTimer(kClockTimer, kClockMs);
  } else {
    window_->ShowControl(kClockLabel, false);
    clockLabelShown_ = false;
  }
}

std::unique_ptr<PositionTarget> ToolbarWindow::ShowIconForPositioning() {
  return ShowIconWindowForPositioning(platform_, ui_, store_, window_);
}

// The shortcuts that start the toolbar: on the desktop and in the Programs menu, made once (an
// existing desktop shortcut is left alone). Failures go unreported.
void ToolbarWindow::PlaceSelfShortcuts() {
  const std::u16string desktopFolder = store_.GetPath(platform::Shell::kDesktopFolder);
  if (desktopFolder.empty()) return;
  const std::u16string desktop = desktopFolder + u"\\VexaToolbar.lnk";
  if (platform_.files.Open(desktop, platform::OpenMode::kRead) != nullptr) return;
  const std::u16string target = u"\"" + store_.GetPath(PATH_DATA_DIR) + u"\\VexaToolbar.exe\"";
  platform_.shell.CreateShortcut(desktop, target);
  const std::u16string programs = store_.GetPath(platform::Shell::kProgramsFolder);
  if (!programs.empty()) platform_.shell.CreateShortcut(programs + u"\\VexaToolbar.lnk", target);
}

// ---------------------------------------------------------------------------------------------------
// Timers.

void ToolbarWindow::OnTimer(platform::ui::Window& window, int timerId) {
  switch (timerId) {
    case kIdleTimer:
      window.KillTimer(kIdleTimer);
      MinimizeToIcon();
      break;
    case kStartupTimer:
      window.KillTimer(kStartupTimer);
      StartupActions();
      break;
    case kHideTimer:
      window.KillTimer(kHideTimer);
      window.Show(true);
      if (platform_.log != nullptr) platform_.log->Record("toolbar_shown", {});
      window.SetTimer(kIdleTimer, kIdleMs);
      break;
    case kClockTimer:
      UpdateClockLabel();
      break;
    case kOnTopTimer:
      window.SetZOrder(platform::ui::ZOrder::kTopMost);
      break;
    default:
      break;
  }
}

void ToolbarWindow::StartupActions() {
  if (Yes(store_, u"Main", u"WindowsMode")) EnsureDesktop(platform_.processes);
  if (Yes(store_, u"GpsTime", u"AutoGpsTime")) RunToolbarGpsTime(*this);
  if (closing_ || window_ == nullptr) return;
  AutoRun(store_);
  if (Yes(store_, u"Toolbar", u"ClockShow")) window_->SetTimer(kClockTimer, kClockMs);
  window_->Invalidate();
  window_->SetTimer(kIdleTimer, kIdleMs);
  window_->SetTimer(kOnTopTimer, kOnTopMs);
}

void ToolbarWindow::UpdateClockLabel() {
  if (platform_.clock == nullptr || window_ == nullptr) return;
  const platform::DateTime now = platform_.clock->LocalTime();
  const std::u16string text =
      ClockLabelText(now.hour, now.minute, now.second, store_.GetInt(u"Main", u"IconSize", kDefaultIconSize));
  // The label belongs to the Clock button: with the button hidden it stays hidden.
  const PlacedButton* clock = layout_.Find(kClockButton);
  if (clock != nullptr && clock->shown && !clockLabelShown_) {
    window_->ShowControl(kClockLabel, true);
    clockLabelShown_ = true;
  }
  if (text != clockText_) {
    window_->SetText(kClockLabel, text);
    clockText_ = text;
  }
}

void ToolbarWindow::MinimizeToIcon() {
  if (!forcedMinimize_ && !IsYesExactly(store_.GetString(u"Main", u"IconMinimize", u""))) return;
  platform::ui::Window& window = *window_;
  window.KillTimer(kIdleTimer);
  window.KillTimer(kOnTopTimer);
  window.Show(false);
  RunIconWindow(platform_, ui_, store_, &window);
  if (closing_) return;
  window.Show(true);
  window.SetTimer(kIdleTimer, kIdleMs);
  window.SetTimer(kOnTopTimer, kOnTopMs);
  forcedMinimize_ = false;
}

void ToolbarWindow::RestartIdle() {
  if (!closing_ && window_ != nullptr) window_->SetTimer(kIdleTimer, kIdleMs);
}

// ---------------------------------------------------------------------------------------------------
// Buttons.

void ToolbarWindow::OnCommand(platform::ui::Window&, int controlId, Notification notification) {
  if (notification == Notification::kClicked) Press(controlId);
}

// The clock label lies over the Clock button's icon: a tap on it is a tap on the button.
void ToolbarWindow::OnPointerUp(platform::ui::Window&, gfx::Point p) {
  if (clockLabelShown_ && layout_.clockLabel && layout_.clockLabel->Contains(p)) Press(kClockButton);
}

void ToolbarWindow::Press(int controlId) {
  if (controlId >= kM1Button && controlId <= kM5Button) {
    ProgramButton(controlId - kM1Button + 1);
    return;
  }
  if (controlId == kKeyboardButton) {
    RunKeyboard(*this);
    return;
  }
  if (controlId == kCloseButton) {
    CloseMenu();
    return;
  }
  const PlacedButton* button = layout_.Find(controlId);
  if (button == nullptr || !button->shown) return;
  window_->KillTimer(kIdleTimer);
  switch (controlId) {
    case kHomeButton:
      // The settings window lays the toolbar out as it edits and sets the clock up on Save.
      if (RunToolbarSetup(*this)) Relayout();
      break;
    case kTaskButton:
      // A hot-key setup saved from the task manager lays the toolbar out again as it closes.
      RunTaskManager(*this);
      break;
    case kPgmButton:
    case kGameButton:
    case kSysButton:
      RunGroupList(*this, controlId - kPgmButton + 1);
      break;
    case kClockButton:
      RunCalendar(*this);
      break;
    case kKillButton:
      Kill();
      break;
    case kMiniButton:
      forcedMinimize_ = true;
      MinimizeToIcon();
      break;
    default:
      break;
  }
  RestartIdle();
}

// M1 to M5: brings the program's window forward, or starts the program when it has none; then
// shrinks the toolbar when the button says so.
void ToolbarWindow::ProgramButton(int number) {
  const std::u16string section = u"Hotkey" + text::FromInt(number);
  const std::u16string title = store_.GetString(section, u"Title", u"");
  if (title.empty()) return;
  window_->KillTimer(kIdleTimer);
  bool reached = false;
  platform::ui::WindowList* windows = platform_.windowList;
  if (auto running = windows != nullptr ? windows->Find(title, std::nullopt) : std::nullopt) {
    windows->SetForeground(*running);
    reached = true;
  } else if (Yes(store_, section, u"Execute")) {
    const std::u16string path = store_.GetString(section, u"ExeFilePath", u"");
    bool start = true;
    if (Yes(store_, section, u"ExecuteMessage")) {
      const std::size_t slash = path.rfind(u'\\');
      const std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
      MessageBoxRequest box;
      box.owner = window_->handle();
      box.caption = u"실행";
      box.text = title + u" 프로그램이 실행중이 아닙니다.\r\n[" + name + u"]를 실행하시겠습니까?";
      box.buttons = platform::MessageButtons::kYesNo;
      box.icon = platform::MessageIcon::kQuestion;
      start = platform_.messageBoxes.Show(box) == MessageAnswer::kYes;
    }
    reached = start && !path.empty() && store_.Launch(path);
  }
  if (reached && Yes(store_, section, u"ToolbarMinimize")) {
    forcedMinimize_ = true;
    MinimizeToIcon();
  }
  RestartIdle();
}

// Kill: asks the program in front to close, after asking the user when KillMessage is "Y".
void ToolbarWindow::Kill() {
  platform::ui::WindowList* windows = platform_.windowList;
  if (windows == nullptr) return;
  const auto target = FindFrontWindow(*windows, OurTitles());
  if (!target) return;
  if (Yes(store_, u"Toolbar", u"KillMessage")) {
    std::u16string title = windows->Title(*target);
    if (title.size() > 260) title.resize(260);
    MessageBoxRequest box;
    box.owner = window_->handle();
    box.caption = u"종료";
    box.text = u"[" + title + u"] 프로그램을 종료하시겠습니까?";
    box.buttons = platform::MessageButtons::kYesNo;
    box.icon = platform::MessageIcon::kQuestion;
    if (platform_.messageBoxes.Show(box) != MessageAnswer::kYes) return;
  }
  windows->PostClose(*target);
}

void ToolbarWindow::CloseMenu() {
  platform::ui::Window& window = *window_;
  window.KillTimer(kIdleTimer);
  const int result = RunCloseMenu(*this);
  if (result == kMinimizeToolbar) {
    forcedMinimize_ = true;
    MinimizeToIcon();
  } else if (result == kCloseToolbar) {
    closing_ = true;
    for (int timer = kIdleTimer; timer <= kOnTopTimer; ++timer) window.KillTimer(timer);
    window.EndModal(0);
  } else if (result == 10 || result == 30 || result == 60 || result == 180 || result == 300) {
    window.Show(false);
    window.SetTimer(kHideTimer, result * 1000);
    if (platform_.log != nullptr)
      platform_.log->Record("toolbar_hidden", {{"seconds", std::int64_t{result}}});
  } else {
    window.SetTimer(kIdleTimer, kIdleMs);
  }
}

// ---------------------------------------------------------------------------------------------------
// Drawing and the end.

bool ToolbarWindow::OnPaint(platform::ui::Window&, gfx::Bitmap& canvas) {
  gfx::FillRect(canvas, canvas.bounds(), gfx::Rgb(255, 255, 255));
  return true;
}

void ToolbarWindow::OnDrawItem(platform::ui::Window&, int controlId, gfx::Bitmap& canvas,
                               const platform::ui::DrawItemState& state) {
  const PlacedButton* button = layout_.Find(controlId);
  if (button == nullptr) return;
  const auto icon = icons_.find(controlId);
  const bool found = icon != icons_.end();
  DrawIconButton(canvas, state, layout_.iconSize, found ? &icon->second.bitmap : nullptr,
                 found && icon->second.keyed, button->label, LabelFont(layout_.iconSize), platform_.text);
}

bool ToolbarWindow::OnClose(platform::ui::Window&) {
  closing_ = true;
  return true;
}

void ToolbarWindow::OnDestroy(platform::ui::Window& window) {
  for (int timer = kIdleTimer; timer <= kOnTopTimer; ++timer) window.KillTimer(timer);
}

}  // namespace vexa::toolbar
