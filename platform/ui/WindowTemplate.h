#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/gfx/Geometry.h"

namespace vexa::platform::ui {

using gfx::Point;
using gfx::Rect;
using gfx::Size;

enum class ControlKind {
  kPushButton,
  kDefaultPushButton,  // the button Enter presses
  kOwnerDrawButton,    // draws itself through WindowHandler::OnDrawItem
  kCheckBox,           // two states
  kThreeStateCheckBox, // checked, clear, grey
  kRadioButton,        // one group: consecutive radio buttons, the first with kGroupStart
  kStatic,             // one line of text
  kStatusText,         // several lines of text
  kPicture,            // shows a bitmap set with SetControlPicture
  kEdit,               // one line
  kListBox,
  kComboList,          // drop-down list, choose only
  kComboEdit,          // drop-down list with an editable field
  kListView,           // one column, small icons, item data
  kTab,                // page labels; the pages are child windows laid over its display area
  kMonthCalendar,
  kUpDown,             // spinner bound to the control just before it in the template (its buddy edit)
  kGroupBox,
};

// Control style bits.
enum ControlStyle : std::uint32_t {
  kStyleNone = 0,
  kGroupStart = 1u << 0,   // starts a group of radio buttons
  kHidden = 1u << 1,       // created hidden
  kDisabled = 1u << 2,     // created disabled
  kAlignRight = 1u << 3,   // text right-aligned (statics, edits)
  kAlignCenter = 1u << 4,  // text centred
  kNumber = 1u << 5,       // edit takes digits only
  kReadOnly = 1u << 6,     // edit shows text but does not take input
  kSorted = 1u << 7,       // list box or combo keeps its items sorted
  kBorder = 1u << 8,       // a one-pixel frame
};

struct ControlTemplate {
  int id = 0;
  ControlKind kind = ControlKind::kStatic;
  Rect rect;  // in the window's client coordinates
  std::u16string caption;
  std::uint32_t style = kStyleNone;
};

// Window style bits.
enum WindowStyle : std::uint32_t {
  kPopup = 0,               // borderless
  kThinBorder = 1u << 0,    // a one-pixel frame
  kCaption = 1u << 1,       // a title bar (with a close box)
  kTopMost = 1u << 2,       // stays above other windows
  kChildWindow = 1u << 3,   // lives inside its parent (tab pages)
  kNoActivate = 1u << 4,    // does not take the focus when shown (toolbars)
};

// A window as data: what it is called, how it looks, where it lies and its numbered controls.
struct WindowTemplate {
  std::u16string title;
  std::uint32_t style = kPopup;
  Rect rect;  // screen coordinates of the client area (parent client coordinates for child windows)
  std::vector<ControlTemplate> controls;
  std::u16string className;  // the window class name other programs may look for; empty for ours
};

}  // namespace vexa::platform::ui
