#include "toolbar/CloseMenu.h"

#include <iterator>

#include "platform/ui/UserInterface.h"
#include "toolbar/ListPlacement.h"
#include "toolbar/ToolbarButtons.h"

namespace vexa::toolbar {

namespace {

using platform::ui::ControlKind;

struct MenuEntry {
  int id;
  const char16_t* caption;
  int result;
};

constexpr MenuEntry kEntries[] = {
    {1101, u"Minimize", kMinimizeToolbar}, {1102, u"Hide 10 sec.", 10},         {1103, u"Hide 30 sec.", 30},
    {1104, u"Hide 60 sec.", 60},           {1105, u"Hide 3 min.", 180},         {1106, u"Hide 5 min.", 300},
    {1107, u"Close", kCloseToolbar},       {1108, u"Return", kReturnToToolbar},
};

constexpr int kMargin = 3;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 26;
constexpr int kGap = 2;

class CloseMenu : public platform::ui::WindowHandler {
 public:
  void OnCommand(platform::ui::Window& window, int controlId,
                 platform::ui::Notification notification) override {
    if (notification != platform::ui::Notification::kClicked) return;
    for (const MenuEntry& entry : kEntries) {
      if (entry.id == controlId) window.EndModal(entry.result);
    }
  }
};

}  // namespace

gfx::Size CloseMenuSize() {
  const int count = static_cast<int>(std::size(kEntries));
  return {kButtonWidth + 2 * kMargin, count * kButtonHeight + (count - 1) * kGap + 2 * kMargin};
}

platform::ui::WindowTemplate CloseMenuTemplate(gfx::Point topLeft) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kCloseMenuTitle;
  tmpl.style = platform::ui::kThinBorder | platform::ui::kTopMost;
  const gfx::Size size = CloseMenuSize();
  tmpl.rect = gfx::Rect::FromSize(topLeft.x, topLeft.y, size.width, size.height);
  int y = kMargin;
  for (const MenuEntry& entry : kEntries) {
    tmpl.controls.push_back({entry.id, ControlKind::kPushButton,
                             gfx::Rect::FromSize(kMargin, y, kButtonWidth, kButtonHeight), entry.caption,
                             platform::ui::kStyleNone});
    y += kButtonHeight + kGap;
  }
  return tmpl;
}

int RunCloseMenu(ToolbarHost& host) {
  const gfx::Size size = CloseMenuSize();
  // The window's frame adds one pixel on every side.
  const gfx::Size outer{size.width + 2, size.height + 2};
  // Beside the Close button itself, not at the toolbar's start as the lists.
  const gfx::Rect button = host.ButtonBounds(kCloseButton);
  const gfx::Point place = PlaceBesideButton(button, button, outer, host.Ui().ScreenSize(), host.Vertical());
  CloseMenu menu;
  const int result = host.Ui().RunModal(CloseMenuTemplate({place.x + 1, place.y + 1}), menu, &host.Window());
  return result == 0 ? kReturnToToolbar : result;
}

}  // namespace vexa::toolbar
