#include "toolbar/windows/ToolbarSetup.h"

#include <array>
#include <memory>
#include <vector>

#include "common/text/Text.h"
#include "platform/ui/UserInterface.h"
#include "toolbar/windows/HotkeySetup.h"
#include "toolbar/windows/PositionWindow.h"
#include "toolbar/windows/ToolbarDialogs.h"
#include "toolbar/windows/ToolbarWindows.h"

namespace vexa::toolbar {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::ControlTemplate;
using platform::ui::Notification;
using platform::ui::Window;
using platform::ui::kGroupStart;
using platform::ui::kNumber;
using platform::ui::kReadOnly;

// The window: the tabs over the pages, Save and Return below.
const ControlTemplate kControls[] = {
    {kSetupTabs, ControlKind::kTab, {4, 4, 340, 204}, u"", 0},
    {kSetupSave, ControlKind::kDefaultPushButton, {4, 208, 168, 234}, u"Save", 0},
    {kSetupReturn, ControlKind::kPushButton, {176, 208, 340, 234}, u"Return", 0},
};
constexpr int kWidth = 344;
constexpr int kHeight = 240;

constexpr std::array<const char16_t*, 6> kTabCaptions = {u"GEN", u"SHOW", u"HOT", u"PROG", u"AUTO", u"GPS"};
enum Page : int { kGen, kShow, kHot, kProg, kAuto, kGps, kPageCount };

constexpr std::array<int, 4> kIconSizes = {16, 24, 32, 48};

// The pages, each laid out in the tab's display area of the small window (about 330 x 170).
std::vector<ControlTemplate> GenControls() {
  std::vector<ControlTemplate> c = {
      {kGenIconSizeLabel, ControlKind::kStatic, {2, 4, 112, 22}, u"Icon Size:", 0},
      {kGenIconSizeFirst + 0, ControlKind::kRadioButton, {116, 2, 156, 22}, u"16", kGroupStart},
      {kGenIconSizeFirst + 1, ControlKind::kRadioButton, {158, 2, 198, 22}, u"24", 0},
      {kGenIconSizeFirst + 2, ControlKind::kRadioButton, {200, 2, 240, 22}, u"32", 0},
      {kGenIconSizeFirst + 3, ControlKind::kRadioButton, {242, 2, 282, 22}, u"48", 0},
      {kGenRotationLabel, ControlKind::kStatic, {2, 26, 112, 44}, u"Rotation:", 0},
      {kGenHorizontal, ControlKind::kRadioButton, {116, 24, 208, 44}, u"Horizontal", kGroupStart},
      {kGenVertical, ControlKind::kRadioButton, {210, 24, 298, 44}, u"Vertical", 0},
      {kGenWidthLabel, ControlKind::kStatic, {2, 48, 112, 66}, u"ButtonWidth:", 0},
      {kGenWidth, ControlKind::kEdit, {116, 46, 156, 66}, u"", kNumber | kReadOnly},
      {kGenWidthUp, ControlKind::kPushButton, {160, 46, 186, 66}, u"U", 0},
      {kGenWidthDown, ControlKind::kPushButton, {190, 46, 216, 66}, u"D", 0},
      {kGenHeightLabel, ControlKind::kStatic, {2, 70, 112, 88}, u"ButtonHeight:", 0},
      {kGenHeight, ControlKind::kEdit, {116, 68, 156, 88}, u"", kNumber | kReadOnly},
      {kGenHeightUp, ControlKind::kPushButton, {160, 68, 186, 88}, u"U", 0},
      {kGenHeightDown, ControlKind::kPushButton, {190, 68, 216, 88}, u"D", 0},
      {kGenIconName, ControlKind::kCheckBox, {2, 90, 130, 110}, u"Icon Name:", 0},
      {kGenIconMinimizeLabel, ControlKind::kStatic, {134, 92, 248, 110}, u"Icon Minimize:", 0},
      {kGenIconMinimize, ControlKind::kCheckBox, {250, 90, 302, 110}, u"Yes", 0},
      {kGenPositionLabel, ControlKind::kStatic, {2, 114, 140, 132}, u"ToolBar Position:", 0},
      {kGenPosition, ControlKind::kPushButton, {144, 112, 176, 132}, u"...", 0},
      {kGenIconPositionLabel, ControlKind::kStatic, {2, 138, 140, 156}, u"Minimize Position:", 0},
      {kGenIconPosition, ControlKind::kPushButton, {144, 136, 176, 156}, u"...", 0},
  };
  return c;
}

// The SHOW page's ticks and the keys of section Toolbar they write; most show or hide a button.
struct ShowTick {
  int id;
  const char16_t* key;
  bool relayout;
  ControlTemplate control;
};
const std::array<ShowTick, 7> kShowTicks = {{
    {kShowTask, u"Task", true, {kShowTask, ControlKind::kCheckBox, {8, 4, 150, 24}, u"TaskManager:", 0}},
    {kShowClock, u"Clock", true, {kShowClock, ControlKind::kCheckBox, {8, 28, 150, 48}, u"Clock:", 0}},
    {kShowClockTime, u"ClockShow", false, {kShowClockTime, ControlKind::kCheckBox, {160, 28, 296, 48}, u"Time", 0}},
    {kShowKill, u"Kill", true, {kShowKill, ControlKind::kCheckBox, {8, 52, 150, 72}, u"Kill:", 0}},
    {kShowKillMessage, u"KillMessage", false,
     {kShowKillMessage, ControlKind::kCheckBox, {160, 52, 296, 72}, u"Kill Message", 0}},
    {kShowMinimize, u"Minimize", true, {kShowMinimize, ControlKind::kCheckBox, {8, 76, 150, 96}, u"Minimize:", 0}},
    {kShowClose, u"Close", true, {kShowClose, ControlKind::kCheckBox, {8, 100, 150, 120}, u"Close:", 0}},
}};

std::u16string Number(int n) { return text::FromInt(n); }

std::vector<ControlTemplate> HotControls() {
  std::vector<ControlTemplate> c;
  for (int n = 1; n <= 5; ++n) {
    const int id = kHotFirst + 10 * n;
    const int y = 2 + (n - 1) * 28;
    c.push_back({id + kHotLabel, ControlKind::kStatic, {2, y + 3, 80, y + 21}, u"HotKey-" + Number(n) + u":", 0});
    c.push_back({id + kHotButton, ControlKind::kPushButton, {84, y, 236, y + 24}, u"", 0});
    c.push_back({id + kHotShow, ControlKind::kCheckBox, {240, y + 2, 302, y + 22}, u"Show:", 0});
  }
  return c;
}

constexpr std::array<const char16_t*, 3> kGroupNames = {u"Pgm", u"Game", u"Sys"};
constexpr std::array<const char16_t*, 3> kFolderTitles = {u"프로그램 폴더", u"게임 폴더", u"시스템 폴더"};

std::vector<ControlTemplate> ProgControls() {
  std::vector<ControlTemplate> c;
  for (int n = 1; n <= 3; ++n) {
    const int id = kProgFirst + 10 * n;
    const int y = 2 + (n - 1) * 50;
    c.push_back({id + kProgLabel, ControlKind::kStatic, {2, y + 2, 96, y + 20}, u"Program" + Number(n) + u":", 0});
    c.push_back({id + kProgPath, ControlKind::kEdit, {100, y, 262, y + 20}, u"", 0});
    c.push_back({id + kProgBrowse, ControlKind::kPushButton, {266, y, 298, y + 20}, u"...", 0});
    c.push_back({id + kProgShortNameLabel, ControlKind::kStatic, {2, y + 26, 96, y + 44}, u"ShortName:", 0});
    c.push_back({id + kProgShortName, ControlKind::kEdit, {100, y + 24, 164, y + 44}, u"", 0});
    c.push_back({id + kProgShow, ControlKind::kCheckBox, {172, y + 24, 298, y + 44}, u"ShowToolbar:", 0});
  }
  return c;
}

std::vector<ControlTemplate> AutoControls() {
  std::vector<ControlTemplate> c;
  for (int n = 1; n <= 3; ++n) {
    const int id = kAutoFirst + 10 * n;
    const int y = 4 + (n - 1) * 30;
    c.push_back({id + kAutoLabel, ControlKind::kStatic, {2, y + 2, 92, y + 20}, u"AutoRun-" + Number(n) + u":", 0});
    c.push_back({id + kAutoPath, ControlKind::kEdit, {96, y, 186, y + 20}, u"", 0});
    c.push_back({id + kAutoBrowse, ControlKind::kPushButton, {190, y, 218, y + 20}, u"...", 0});
    c.push_back({id + kAutoExecute, ControlKind::kCheckBox, {222, y, 300, y + 20}, u"Execute:", 0});
  }
  return c;
}

std::vector<ControlTemplate> GpsControls() {
  return {
      {kGpsAuto, ControlKind::kCheckBox, {8, 4, 200, 24}, u"Auto GPS Time:", 0},
      {kGpsPortLabel, ControlKind::kStatic, {8, 36, 100, 54}, u"GPS Port:", 0},
      {kGpsPortList, ControlKind::kComboList, {104, 32, 200, 56}, u"", 0},
      {kGpsSpeedLabel, ControlKind::kStatic, {8, 66, 100, 84}, u"GPS Speed:", 0},
      {kGpsSpeedList, ControlKind::kComboList, {104, 62, 200, 86}, u"", 0},
  };
}

constexpr std::array<int, 4> kSpeeds = {4800, 9600, 14400, 19200};

class ToolbarSetupWindow;

// One page: a child window whose events go to the settings window.
class SetupPage : public platform::ui::WindowHandler {
 public:
  SetupPage(ToolbarSetupWindow& setup, int page) : setup_(setup), page_(page) {}
  void OnInit(Window& window) override;
  void OnCommand(Window& window, int id, Notification notification) override;

 private:
  ToolbarSetupWindow& setup_;
  int page_;
};

class ToolbarSetupWindow : public platform::ui::WindowHandler {
 public:
  ToolbarSetupWindow(ToolbarHost& host, const platform::ui::WindowTemplate& tmpl)
      : host_(host), store_(host.Store()), tmpl_(tmpl) {}

  bool saved() const { return saved_; }

  void OnInit(Window& window) override {
    window_ = &window;
    const gfx::Size screen = host_.Ui().ScreenSize();
    ApplyLargeFont(host_.Platform(), window, tmpl_, screen);
    for (const char16_t* caption : kTabCaptions) window.AddItem(kSetupTabs, caption);
    const gfx::Rect area = window.TabPageArea(kSetupTabs);
    const std::array<std::vector<ControlTemplate>, kPageCount> controls = {
        GenControls(), ShowControls(), HotControls(), ProgControls(), AutoControls(), GpsControls()};
    for (int page = 0; page < kPageCount; ++page) {
      platform::ui::WindowTemplate& tmpl = pageTemplates_[static_cast<std::size_t>(page)];
      tmpl.title = kTabCaptions[static_cast<std::size_t>(page)];
      tmpl.style = platform::ui::kChildWindow;
      tmpl.rect = {0, 0, kWidth, kHeight};
      tmpl.controls = controls[static_cast<std::size_t>(page)];
      ScaleForLargeFont(tmpl, screen, false);
      tmpl.rect = area;
      handlers_[static_cast<std::size_t>(page)] = std::make_unique<SetupPage>(*this, page);
      pages_[static_cast<std::size_t>(page)] =
          &host_.Ui().CreateChild(window, tmpl, *handlers_[static_cast<std::size_t>(page)]);
    }
    window.Select(kSetupTabs, kGen);
    ShowPage(kGen);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (id == kSetupTabs && notification == Notification::kSelectionChanged) {
      ShowPage(window.Selection(kSetupTabs));
      return;
    }
    if (notification != Notification::kClicked) return;
    if (id == kSetupSave) {
      // A failed write shows the store's own message; the window closes either way.
      store_.Save(host_.SettingsPath());
      saved_ = true;
      window.EndModal(1);
    }
    if (id == kSetupReturn) {
      Discard();
      window.EndModal(0);
    }
  }

  bool OnClose(Window&) override {
    Discard();
    return true;
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId != kSetupIconTimer) return;
    window.KillTimer(kSetupIconTimer);
    if (!icon_) return;
    if (RunPositionWindow(host_, *icon_, &window)) {
      const gfx::Rect bounds = icon_->Bounds();
      store_.SetInt(kMain, u"IconXPostion", bounds.left);
      store_.SetInt(kMain, u"IconYPostion", bounds.top);
    }
    icon_.reset();
  }

  void OnDestroy(Window& window) override {
    window.KillTimer(kSetupIconTimer);
    icon_.reset();
  }

  void InitPage(int page, Window& window) {
    ApplyLargeFont(host_.Platform(), window, pageTemplates_[static_cast<std::size_t>(page)], host_.Ui().ScreenSize());
    switch (page) {
      case kGen:
        FillGen(window);
        break;
      case kShow:
        for (const ShowTick& tick : kShowTicks) window.SetCheck(tick.id, Tick(IsOn(store_, kToolbarSection, tick.key)));
        break;
      case kHot:
        for (int n = 1; n <= 5; ++n) FillHot(window, n);
        break;
      case kProg:
        for (int n = 1; n <= 3; ++n) {
          const std::u16string section = u"Program" + Number(n);
          const int id = kProgFirst + 10 * n;
          window.SetText(id + kProgPath, store_.GetString(section, u"ProgramPath", u"P" + Number(n)));
          window.SetText(id + kProgShortName,
                         store_.GetString(section, u"ShortName", kGroupNames[static_cast<std::size_t>(n - 1)]));
          window.SetCheck(id + kProgShow, Tick(IsOn(store_, section, u"ShowToolbar")));
        }
        break;
      case kAuto:
        for (int n = 1; n <= 3; ++n) {
          const std::u16string section = u"Run" + Number(n);
          const int id = kAutoFirst + 10 * n;
          window.SetText(id + kAutoPath, store_.GetString(section, u"ExeFilePath", u""));
          window.SetCheck(id + kAutoExecute, Tick(IsOn(store_, section, u"Execute")));
        }
        break;
      case kGps:
        FillGps(window);
        break;
      default:
        break;
    }
  }

  void PageCommand(int page, Window& window, int id, Notification notification) {
    if (page == kGps) {
      GpsCommand(window, id, notification);
      return;
    }
    if (notification != Notification::kClicked) return;
    switch (page) {
      case kGen:
        GenCommand(window, id);
        break;
      case kShow:
        for (const ShowTick& tick : kShowTicks) {
          if (tick.id != id) continue;
          store_.SetString(kToolbarSection, tick.key, Flag(window.GetCheck(id) == CheckState::kChecked));
          if (tick.relayout) host_.Relayout();
        }
        break;
      case kHot:
        HotCommand(window, id);
        break;
      case kProg:
        ProgCommand(window, id);
        break;
      case kAuto:
        AutoCommand(window, id);
        break;
      default:
        break;
    }
  }

 private:
  static std::vector<ControlTemplate> ShowControls() {
    std::vector<ControlTemplate> c;
    for (const ShowTick& tick : kShowTicks) c.push_back(tick.control);
    return c;
  }

  void ShowPage(int page) {
    if (page < 0 || page >= kPageCount) return;
    for (int i = 0; i < kPageCount; ++i) {
      if (Window* w = pages_[static_cast<std::size_t>(i)]) w->Show(i == page);
    }
  }

  // "Return": the file's settings again, the toolbar where the file puts it.
  void Discard() {
    if (discarded_ || saved_) return;
    discarded_ = true;
    host_.ReloadSettings();
    host_.Toolbar().MoveTo({store_.GetInt(kMain, u"XPosition", 0), store_.GetInt(kMain, u"YPosition", 0)});
    host_.Relayout();
  }

  bool Labels() const { return IsOn(store_, kMain, u"ShowIconName", u"Y"); }
  int IconSize() const { return store_.GetInt(kMain, u"IconSize", 32); }

  void FillGen(Window& window) {
    const int size = IconSize();
    for (std::size_t i = 0; i < kIconSizes.size(); ++i) {
      window.SetCheck(kGenIconSizeFirst + static_cast<int>(i), Tick(kIconSizes[i] == size));
    }
    const bool vertical = text::EqualsNoCase(store_.GetString(kMain, u"Rotation", u"Horizontal"), u"Vertical");
    window.SetCheck(kGenHorizontal, Tick(!vertical));
    window.SetCheck(kGenVertical, Tick(vertical));
    window.SetText(kGenWidth, Number(store_.GetInt(kMain, u"ButtonWidth", 34)));
    window.SetText(kGenHeight, Number(store_.GetInt(kMain, u"ButtonHeight", 46)));
    window.SetCheck(kGenIconName, Tick(Labels()));
    // A file without the key shows the tick set.
    window.SetCheck(kGenIconMinimize, Tick(IsOn(store_, kMain, u"IconMinimize", u"Y")));
  }

  // The icon size and the button size it gives, shown in the two fields.
  void ApplyIconSize(Window& gen, int size) {
    store_.SetInt(kMain, u"IconSize", size);
    const gfx::Size button = DerivedButtonSize(size, Labels());
    store_.SetInt(kMain, u"ButtonWidth", button.width);
    store_.SetInt(kMain, u"ButtonHeight", button.height);
    gen.SetText(kGenWidth, Number(button.width));
    gen.SetText(kGenHeight, Number(button.height));
    host_.Relayout();
  }

  void Step(Window& gen, const char16_t* key, int defaultValue, int field, bool up) {
    const int value = store_.GetInt(kMain, key, defaultValue);
    const std::optional<int> next = up ? StepUp(value) : StepDown(value, IconSize());
    if (!next) return;
    store_.SetInt(kMain, key, *next);
    gen.SetText(field, Number(*next));
    host_.Relayout();
  }

  void GenCommand(Window& gen, int id) {
    for (std::size_t i = 0; i < kIconSizes.size(); ++i) {
      if (id == kGenIconSizeFirst + static_cast<int>(i)) {
        ApplyIconSize(gen, kIconSizes[i]);
        return;
      }
    }
    switch (id) {
      case kGenHorizontal:
      case kGenVertical:
        store_.SetString(kMain, u"Rotation", id == kGenVertical ? u"Vertical" : u"Horizontal");
        host_.Relayout();
        break;
      case kGenWidthUp:
      case kGenWidthDown:
        Step(gen, u"ButtonWidth", 34, kGenWidth, id == kGenWidthUp);
        break;
      case kGenHeightUp:
      case kGenHeightDown:
        Step(gen, u"ButtonHeight", 46, kGenHeight, id == kGenHeightUp);
        break;
      case kGenIconName:
        store_.SetString(kMain, u"ShowIconName", Flag(gen.GetCheck(kGenIconName) == CheckState::kChecked));
        ApplyIconSize(gen, IconSize());
        break;
      case kGenIconMinimize:
        store_.SetString(kMain, u"IconMinimize", Flag(gen.GetCheck(kGenIconMinimize) == CheckState::kChecked));
        break;
      case kGenPosition:
        RunPositionWindow(host_, host_.Toolbar(), window_);
        break;
      case kGenIconPosition:
        // The icon shows first; the Position window opens over it a moment later.
        if (icon_) break;
        icon_ = host_.ShowIconForPositioning();
        if (icon_ && window_ != nullptr) window_->SetTimer(kSetupIconTimer, kSetupIconDelayMs);
        break;
      default:
        break;
    }
  }

  void FillHot(Window& hot, int n) {
    const std::u16string section = u"Hotkey" + Number(n);
    const int id = kHotFirst + 10 * n;
    hot.SetText(id + kHotButton, store_.GetString(section, u"Title", u""));
    hot.SetCheck(id + kHotShow, Tick(IsOn(store_, section, u"ShowToolbar")));
  }

  void HotCommand(Window& hot, int id) {
    const int n = (id - kHotFirst) / 10;
    const int part = (id - kHotFirst) % 10;
    if (n < 1 || n > 5) return;
    if (part == kHotButton) {
      if (RunHotkeySetupOver(host_, n, std::nullopt, window_)) {
        FillHot(hot, n);
        host_.Relayout();
      }
    } else if (part == kHotShow) {
      store_.SetString(u"Hotkey" + Number(n), u"ShowToolbar", Flag(hot.GetCheck(id) == CheckState::kChecked));
      host_.Relayout();
    }
  }

  void ProgCommand(Window& prog, int id) {
    const int n = (id - kProgFirst) / 10;
    const int part = (id - kProgFirst) % 10;
    if (n < 1 || n > 3) return;
    const std::u16string section = u"Program" + Number(n);
    const int first = kProgFirst + 10 * n;
    if (part == kProgBrowse) {
      platform::FolderPicker* picker = host_.Platform().folderPicker;
      if (picker == nullptr) return;
      const std::u16string folder = picker->Browse(prog.handle(), kFolderTitles[static_cast<std::size_t>(n - 1)]);
      if (folder.empty()) return;
      prog.SetText(first + kProgPath, folder);
      store_.SetString(section, u"ProgramPath", folder);
      store_.SetString(section, u"ShowToolbar", u"Y");
      prog.SetCheck(first + kProgShow, CheckState::kChecked);
      host_.Relayout();
    } else if (part == kProgShow) {
      store_.SetString(section, u"ShowToolbar", Flag(prog.GetCheck(id) == CheckState::kChecked));
      host_.Relayout();
    }
  }

  void AutoCommand(Window& page, int id) {
    const int n = (id - kAutoFirst) / 10;
    const int part = (id - kAutoFirst) % 10;
    if (n < 1 || n > 3) return;
    const std::u16string section = u"Run" + Number(n);
    const int first = kAutoFirst + 10 * n;
    if (part == kAutoBrowse) {
      auto* dialogs = host_.Platform().dialogs;
      if (dialogs == nullptr) return;
      const auto chosen =
          dialogs->OpenFile(page.handle(), kProgramFilter, FolderOf(store_.GetString(section, u"ExeFilePath", u"")));
      if (!chosen || chosen->empty()) return;
      page.SetText(first + kAutoPath, *chosen);
      store_.SetString(section, u"ExeFilePath", *chosen);
      store_.SetString(section, u"Execute", u"Y");
      page.SetCheck(first + kAutoExecute, CheckState::kChecked);
    } else if (part == kAutoExecute) {
      store_.SetString(section, u"Execute", Flag(page.GetCheck(id) == CheckState::kChecked));
    }
  }

  void FillGps(Window& gps) {
    gps.SetCheck(kGpsAuto, Tick(text::ToUpper(store_.GetString(kGpsTime, u"AutoGpsTime", u"N")) == u"Y"));
    const std::u16string port = ToolbarGpsPort(store_);
    for (int n = 1; n <= 8; ++n) {
      const std::u16string name = u"COM" + Number(n) + u":";
      const int index = gps.AddItem(kGpsPortList, name);
      if (name == port) gps.Select(kGpsPortList, index);
    }
    const int speed = ToolbarGpsSpeed(store_);
    for (int rate : kSpeeds) {
      const int index = gps.AddItem(kGpsSpeedList, Number(rate));
      if (rate == speed) gps.Select(kGpsSpeedList, index);
    }
  }

  void GpsCommand(Window& gps, int id, Notification notification) {
    if (id == kGpsAuto && notification == Notification::kClicked) {
      store_.SetString(kGpsTime, u"AutoGpsTime", Flag(gps.GetCheck(kGpsAuto) == CheckState::kChecked));
      return;
    }
    if (notification != Notification::kSelectionChanged) return;
    const int index = gps.Selection(id);
    if (index < 0) return;
    if (id == kGpsPortList) store_.SetString(kGpsTime, u"GpsPort", gps.ItemText(id, index));
    if (id == kGpsSpeedList && index < static_cast<int>(kSpeeds.size())) {
      store_.SetInt(kGpsTime, u"GpsSpeed", kSpeeds[static_cast<std::size_t>(index)]);
    }
  }

  ToolbarHost& host_;
  ToolbarProfileStore& store_;
  const platform::ui::WindowTemplate& tmpl_;
  Window* window_ = nullptr;
  std::array<platform::ui::WindowTemplate, kPageCount> pageTemplates_;
  std::array<std::unique_ptr<SetupPage>, kPageCount> handlers_;
  std::array<Window*, kPageCount> pages_{};
  std::unique_ptr<PositionTarget> icon_;
  bool saved_ = false;
  bool discarded_ = false;
};

void SetupPage::OnInit(Window& window) { setup_.InitPage(page_, window); }
void SetupPage::OnCommand(Window& window, int id, Notification notification) {
  setup_.PageCommand(page_, window, id, notification);
}

}  // namespace

bool RunToolbarSetup(ToolbarHost& host) {
  const gfx::Size screen = host.Ui().ScreenSize();
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kToolbarSetupTitle;
  tmpl.style = platform::ui::kCaption | platform::ui::kTopMost;
  tmpl.rect = gfx::Rect::FromSize((screen.width - kWidth) / 2, (screen.height - kHeight) / 2, kWidth, kHeight);
  tmpl.controls.assign(std::begin(kControls), std::end(kControls));
  ScaleForLargeFont(tmpl, screen, true);
  ToolbarSetupWindow window(host, tmpl);
  host.Ui().RunModal(tmpl, window, &host.Window());
  // The clock label follows the saved Time tick.
  if (window.saved()) host.ApplyClockSetting();
  return window.saved();
}

}  // namespace vexa::toolbar
