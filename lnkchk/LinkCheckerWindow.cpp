#include "lnkchk/LinkCheckerWindow.h"

#include <string>
#include <vector>

#include "lnkchk/LinkCheck.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::lnkchk {

namespace {

using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

constexpr int kWidth = 320;
constexpr int kHeight = 234;

platform::ui::WindowTemplate CheckerTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kCheckerTitle;
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = gfx::Rect::FromSize((screen.width - kWidth) / 2, (screen.height - kHeight) / 2, kWidth, kHeight);
  tmpl.controls = {
      {kRowList, ControlKind::kListBox, {4, 4, kWidth - 4, kHeight - 42}, u"", platform::ui::kBorder},
      {kCheck, ControlKind::kPushButton, {40, kHeight - 36, 150, kHeight - 6}, u"체크", 0},
      {kConvert, ControlKind::kPushButton, {170, kHeight - 36, 280, kHeight - 6}, u"변환", 0},
  };
  return tmpl;
}

class CheckerWindow : public platform::ui::WindowHandler {
 public:
  CheckerWindow(Environment& env, platform::ui::UserInterface& ui)
      : ui_(ui),
        checker_(env.platform().files, env.platform().locale, env.GetPath(PATH_STORAGE_ROOT),
                 env.GetPath(PATH_DATA_DIR)) {}

  void OnInit(Window& window) override {
    window.SetIcon(platform::ui::res::kProgramIcon);
    window.ClearItems(kRowList);
    for (const auto& text : checker_.shown()) window.AddItem(kRowList, text);
    if (!checker_.rows().empty()) window.Select(kRowList, 0);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id == kCheck) {
      Pass(window, false);
    } else if (id == kConvert) {
      ui_.SetWaitCursor(true);
      Pass(window, true);
      ui_.SetWaitCursor(false);
    }
  }

 private:
  void Pass(Window& window, bool convert) {
    checker_.Pass(convert, [&window](int row, std::u16string_view text) {
      window.SetItemText(kRowList, row, text);
      window.Update();  // the pass holds the thread: each row shows its mark at once
    });
  }

  platform::ui::UserInterface& ui_;
  ShortcutChecker checker_;
};

}  // namespace

void RunLinkChecker(Environment& env, platform::ui::UserInterface& ui) {
  const auto tmpl = CheckerTemplate(ui.ScreenSize());
  CheckerWindow window(env, ui);
  ui.RunModal(tmpl, window, nullptr);
}

}  // namespace vexa::lnkchk
