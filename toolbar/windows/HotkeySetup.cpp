#include "toolbar/windows/HotkeySetup.h"

#include "common/text/Text.h"
#include "platform/ui/UserInterface.h"
#include "toolbar/windows/ToolbarDialogs.h"
#include "toolbar/windows/ToolbarWindows.h"

namespace vexa::toolbar {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

// Laid out for the small font; large screens get it half as large again.
const platform::ui::ControlTemplate kControls[] = {
    {kHotkeyGroup, ControlKind::kGroupBox, {6, 4, 334, 168}, u"메모리-", 0},
    {kHotkeyShow, ControlKind::kCheckBox, {16, 22, 180, 42}, u"ShowToolbar:", 0},
    {kHotkeyShortNameLabel, ControlKind::kStatic, {16, 48, 112, 66}, u"ShortName:", 0},
    {kHotkeyShortName, ControlKind::kEdit, {116, 46, 220, 68}, u"", 0},
    {kHotkeyTitleLabel, ControlKind::kStatic, {16, 74, 112, 92}, u"Title:", 0},
    {kHotkeyTitle, ControlKind::kEdit, {116, 72, 324, 94}, u"", 0},
    {kHotkeyPathLabel, ControlKind::kStatic, {16, 100, 112, 118}, u"ExeFilePath:", 0},
    {kHotkeyPath, ControlKind::kEdit, {116, 98, 288, 120}, u"", 0},
    {kHotkeyBrowse, ControlKind::kPushButton, {292, 98, 324, 120}, u"...", 0},
    {kHotkeyExecute, ControlKind::kCheckBox, {14, 134, 96, 154}, u"Execute", 0},
    {kHotkeyMessage, ControlKind::kCheckBox, {98, 134, 244, 154}, u"ExecuteMessage", 0},
    {kHotkeyMinimize, ControlKind::kCheckBox, {246, 134, 332, 154}, u"Minimize", 0},
    {kHotkeySave, ControlKind::kDefaultPushButton, {6, 174, 166, 200}, u"Save", 0},
    {kHotkeyReturn, ControlKind::kPushButton, {174, 174, 334, 200}, u"Return", 0},
};
constexpr int kWidth = 340;
constexpr int kHeight = 206;

// The seven keys of a program button's section, the ticks among them with their controls.
struct TickKey {
  int id;
  const char16_t* key;
};
constexpr TickKey kTicks[] = {
    {kHotkeyShow, u"ShowToolbar"},
    {kHotkeyExecute, u"Execute"},
    {kHotkeyMessage, u"ExecuteMessage"},
    {kHotkeyMinimize, u"ToolbarMinimize"},
};

class HotkeySetupWindow : public platform::ui::WindowHandler {
 public:
  HotkeySetupWindow(ToolbarHost& host, int number, std::optional<std::u16string> fromTitle,
                    const platform::ui::WindowTemplate& tmpl)
      : host_(host),
        section_(u"Hotkey" + text::FromInt(number)),
        number_(number),
        fromTitle_(std::move(fromTitle)),
        tmpl_(tmpl) {}

  bool saved() const { return saved_; }

  void OnInit(Window& window) override {
    ApplyLargeFont(host_.Platform(), window, tmpl_, host_.Ui().ScreenSize());
    window.SetText(kHotkeyGroup, u"메모리-" + text::FromInt(number_));
    ToolbarProfileStore& store = host_.Store();
    if (fromTitle_) {
      // A window chosen in the task manager: its title, a short name from it, shown on the toolbar.
      window.SetText(kHotkeyTitle, *fromTitle_);
      window.SetText(kHotkeyShortName, fromTitle_->substr(0, 3));
      window.SetCheck(kHotkeyShow, CheckState::kChecked);
      return;
    }
    window.SetText(kHotkeyShortName, store.GetString(section_, u"ShortName", u""));
    window.SetText(kHotkeyTitle, store.GetString(section_, u"Title", u""));
    window.SetText(kHotkeyPath, store.GetString(section_, u"ExeFilePath", u""));
    for (const TickKey& tick : kTicks) window.SetCheck(tick.id, Tick(IsOn(store, section_, tick.key)));
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    switch (id) {
      case kHotkeyBrowse:
        Browse(window);
        break;
      case kHotkeySave:
        Save(window);
        break;
      case kHotkeyReturn:
        window.EndModal(0);
        break;
      default:
        break;
    }
  }

 private:
  void Browse(Window& window) {
    auto* dialogs = host_.Platform().dialogs;
    if (dialogs == nullptr) return;
    const auto chosen = dialogs->OpenFile(window.handle(), kProgramFilter, FolderOf(window.GetText(kHotkeyPath)));
    if (!chosen || chosen->empty()) return;
    window.SetText(kHotkeyPath, *chosen);
    window.SetCheck(kHotkeyExecute, CheckState::kChecked);
  }

  // All seven keys at once, then the file: the toolbar reads them as one record.
  void Save(Window& window) {
    ToolbarProfileStore& store = host_.Store();
    store.SetString(section_, u"ShortName", window.GetText(kHotkeyShortName));
    store.SetString(section_, u"Title", window.GetText(kHotkeyTitle));
    store.SetString(section_, u"ExeFilePath", window.GetText(kHotkeyPath));
    for (const TickKey& tick : kTicks) {
      store.SetString(section_, tick.key, Flag(window.GetCheck(tick.id) == CheckState::kChecked));
    }
    store.Save(host_.SettingsPath());
    saved_ = true;
    window.EndModal(1);
  }

  ToolbarHost& host_;
  std::u16string section_;
  int number_;
  std::optional<std::u16string> fromTitle_;
  const platform::ui::WindowTemplate& tmpl_;
  bool saved_ = false;
};

}  // namespace

bool RunHotkeySetup(ToolbarHost& host, int number, std::optional<std::u16string> fromTitle) {
  return RunHotkeySetupOver(host, number, std::move(fromTitle), &host.Window());
}

bool RunHotkeySetupOver(ToolbarHost& host, int number, std::optional<std::u16string> fromTitle,
                        platform::ui::Window* owner) {
  if (number < 1 || number > 5) return false;
  const gfx::Size screen = host.Ui().ScreenSize();
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kHotkeySetupTitle;
  tmpl.style = platform::ui::kCaption | platform::ui::kTopMost;
  tmpl.rect = gfx::Rect::FromSize((screen.width - kWidth) / 2, (screen.height - kHeight) / 2, kWidth, kHeight);
  tmpl.controls.assign(std::begin(kControls), std::end(kControls));
  ScaleForLargeFont(tmpl, screen, true);
  HotkeySetupWindow window(host, number, std::move(fromTitle), tmpl);
  host.Ui().RunModal(tmpl, window, owner);
  return window.saved();
}

}  // namespace vexa::toolbar
