#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/ToolbarProfileStore.h"
#include "common/gfx/Geometry.h"
#include "platform/ControlFonts.h"

// The toolbar's fifteen buttons and the clock label: which ones show, what they read, and where they
// lie for the settings in the store.
namespace vexa::toolbar {

// The title other programs find the toolbar by; its minimised icon carries it too.
inline constexpr char16_t kToolbarTitle[] = u"Vexa Toolbar 1.2";

enum ToolbarControl : int {
  kCloseButton = 1001,
  kTaskButton = 1002,
  kHomeButton = 1005,
  kM1Button = 1007,  // M1 to M5 are 1007 to 1011
  kM5Button = 1011,
  kPgmButton = 1012,  // Pgm, Game, Sys: groups 1 to 3
  kGameButton = 1013,
  kSysButton = 1014,
  kClockButton = 1015,
  kClockLabel = 1078,
  kKillButton = 1079,
  kKeyboardButton = 1080,
  kMiniButton = 1081,
};

// One button of the set, in layout order.
struct ButtonEntry {
  int id;
  int icon;                 // resource number in the toolbar's set
  const char16_t* section;  // where its settings are: "Hotkey1", "Program2", "Toolbar" ...
  const char16_t* showKey;  // the flag of `section` that shows it; null: always shown
  const char16_t* label;    // its fixed label, or the default of `section` / ShortName
  bool namedBySection;      // the label is `section` / ShortName
};

// The button set in layout order.
const std::vector<ButtonEntry>& ButtonSet();

// The defaults of the settings the layout reads.
inline constexpr int kDefaultButtonWidth = 34;
inline constexpr int kDefaultButtonHeight = 46;
inline constexpr int kDefaultIconSize = 32;
// Sizes beyond these are taken as these, so that no setting makes a window of absurd size.
inline constexpr int kLargestButton = 1024;
inline constexpr int kLargestIcon = 256;

// The label font's height for an icon size: 11 for 16 and 24, 14 for 32, 20 for 48, 14 otherwise.
int LabelFontHeight(int iconSize);
// "System", normal weight, at the height for the icon size: the labels' and the clock label's font.
platform::FontSpec LabelFont(int iconSize);

// The icon size of the settings, taken into 1 ... kLargestIcon.
int IconSizeOf(const ToolbarProfileStore& store);
// True when the buttons stack downwards: Rotation "Vertical", letter case ignored.
bool IsVertical(const ToolbarProfileStore& store);

// Where an icon lies in a button of that size: centred across; 3 pixels below the top when the button
// has a label, centred downwards when it has none.
gfx::Rect IconPlace(gfx::Size button, int iconSize, bool labelled);

struct PlacedButton {
  int id = 0;
  int icon = 0;
  bool shown = false;
  std::u16string label;  // empty when ShowIconName is not "Y"
  gfx::Rect rect;        // in the toolbar's client area; empty when hidden
};

struct ButtonLayout {
  std::vector<PlacedButton> buttons;    // every button, in layout order
  gfx::Size client;                     // right and bottom edge of the last placed button
  std::optional<gfx::Rect> clockLabel;  // over the Clock button's icon, when the button shows
  int iconSize = kDefaultIconSize;
  bool vertical = false;

  const PlacedButton* Find(int id) const;
};

// Lays the buttons out for the settings: the shown ones one after another from (0, 0), across or
// downwards, each ButtonWidth × ButtonHeight.
ButtonLayout LayOutButtons(const ToolbarProfileStore& store);

}  // namespace vexa::toolbar
