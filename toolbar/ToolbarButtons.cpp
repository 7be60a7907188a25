#include "toolbar/ToolbarButtons.h"

#include <algorithm>

#include "common/SettingValues.h"
#include "common/text/Text.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::toolbar {

namespace res = platform::ui::res::toolbar;

const std::vector<ButtonEntry>& ButtonSet() {
  static const std::vector<ButtonEntry> set = {
      {kHomeButton, res::kHome, u"Toolbar", nullptr, u"Home", false},
      {kM1Button, res::kM1, u"Hotkey1", u"ShowToolbar", u"M1", true},
      {kM1Button + 1, res::kM2, u"Hotkey2", u"ShowToolbar", u"M2", true},
      {kM1Button + 2, res::kM3, u"Hotkey3", u"ShowToolbar", u"M3", true},
      {kM1Button + 3, res::kM4, u"Hotkey4", u"ShowToolbar", u"M4", true},
      {kM5Button, res::kM5, u"Hotkey5", u"ShowToolbar", u"M5", true},
      {kTaskButton, res::kTask, u"Toolbar", u"Task", u"Task", false},
      {kPgmButton, res::kPgm, u"Program1", u"ShowToolbar", u"P1", true},
      {kGameButton, res::kGame, u"Program2", u"ShowToolbar", u"P2", true},
      {kSysButton, res::kSys, u"Program3", u"ShowToolbar", u"P3", true},
      {kClockButton, res::kClock, u"Toolbar", u"Clock", u"Clock", false},
      {kKillButton, res::kKill, u"Toolbar", u"Kill", u"Kill", false},
      {kKeyboardButton, res::kKeyboard, u"Toolbar", nullptr, u"Keybd", false},
      {kMiniButton, res::kMinimize, u"Toolbar", u"Minimize", u"Mini", false},
      {kCloseButton, res::kClose, u"Toolbar", u"Close", u"Close", false},
  };
  return set;
}

int LabelFontHeight(int iconSize) {
  switch (iconSize) {
    case 16:
    case 24:
      return 11;
    case 48:
      return 20;
    default:
      return 14;
  }
}

platform::FontSpec LabelFont(int iconSize) {
  platform::FontSpec font;
  font.face = u"System";
  font.height = LabelFontHeight(iconSize);
  font.weight = 400;
  return font;
}

int IconSizeOf(const ToolbarProfileStore& store) {
  return std::clamp(store.GetInt(u"Main", u"IconSize", kDefaultIconSize), 1, kLargestIcon);
}

bool IsVertical(const ToolbarProfileStore& store) {
  return text::EqualsNoCase(store.GetString(u"Main", u"Rotation", u"Horizontal"), u"Vertical");
}

gfx::Rect IconPlace(gfx::Size button, int iconSize, bool labelled) {
  const int left = (button.width - iconSize) / 2;
  const int top = labelled ? 3 : (button.height - iconSize) / 2;
  return gfx::Rect::FromSize(left, top, iconSize, iconSize);
}

const PlacedButton* ButtonLayout::Find(int id) const {
  for (const PlacedButton& button : buttons) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

ButtonLayout LayOutButtons(const ToolbarProfileStore& store) {
  ButtonLayout layout;
  layout.iconSize = IconSizeOf(store);
  layout.vertical = IsVertical(store);
  const bool labels = IsYesExactly(store.GetString(u"Main", u"ShowIconName", u"Y"));
  const int width = std::clamp(store.GetInt(u"Main", u"ButtonWidth", kDefaultButtonWidth), 1, kLargestButton);
  const int height =
      std::clamp(store.GetInt(u"Main", u"ButtonHeight", kDefaultButtonHeight), 1, kLargestButton);

  gfx::Point next{0, 0};
  for (const ButtonEntry& entry : ButtonSet()) {
    PlacedButton button;
    button.id = entry.id;
    button.icon = entry.icon;
    button.shown = entry.showKey == nullptr || IsYesExactly(store.GetString(entry.section, entry.showKey, u"N"));
    if (labels) {
      button.label =
          entry.namedBySection ? store.GetString(entry.section, u"ShortName", entry.label) : entry.label;
    }
    if (button.shown) {
      button.rect = gfx::Rect::FromSize(next.x, next.y, width, height);
      if (layout.vertical) {
        next.y = button.rect.bottom;
      } else {
        next.x = button.rect.right;
      }
      layout.client.width = std::max(layout.client.width, button.rect.right);
      layout.client.height = std::max(layout.client.height, button.rect.bottom);
      if (entry.id == kClockButton) {
        const gfx::Rect icon = IconPlace({width, height}, layout.iconSize, !button.label.empty());
        layout.clockLabel = gfx::Rect{button.rect.left + 1, button.rect.top + icon.top, button.rect.right - 1,
                                      button.rect.top + icon.bottom};
      }
    }
    layout.buttons.push_back(std::move(button));
  }
  return layout;
}

}  // namespace vexa::toolbar
