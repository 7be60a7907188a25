#include "toolbar/KeyboardWindow.h"

#include <algorithm>
#include <vector>

#include "platform/ui/UserInterface.h"
#include "platform/ui/WindowList.h"
#include "toolbar/FrontWindow.h"
#include "toolbar/ToolbarButtons.h"

namespace vexa::toolbar {

namespace {

using platform::ui::ControlKind;

// The keys as the device's keyboard lays them out. The digits send the numeric-pad codes (0x60 to
// 0x69), the letters their capital-letter codes, the punctuation the device's OEM key codes. "Han"
// and "Paste" send nothing.
constexpr KeyboardKey kKeys[] = {
    {1100, u"Esc", 0x1B, 0, 8},    {1101, u"1", 0x61, 0, 4},
    {1102, u"2", 0x62, 0, 4},      {1103, u"3", 0x63, 0, 4},
    {1104, u"4", 0x64, 0, 4},      {1105, u"5", 0x65, 0, 4},
    {1106, u"6", 0x66, 0, 4},      {1107, u"7", 0x67, 0, 4},
    {1108, u"8", 0x68, 0, 4},      {1109, u"9", 0x69, 0, 4},
    {1110, u"0", 0x60, 0, 4},      {1111, u"-", 0xBD, 0, 4},
    {1112, u"=", 0xBB, 0, 4},      {1113, u"◁", 0x08, 0, 8},

    {1120, u"Tab", 0x09, 1, 8},    {1121, u"q", 0x51, 1, 4},
    {1122, u"w", 0x57, 1, 4},      {1123, u"e", 0x45, 1, 4},
    {1124, u"r", 0x52, 1, 4},      {1125, u"t", 0x54, 1, 4},
    {1126, u"y", 0x59, 1, 4},      {1127, u"u", 0x55, 1, 4},
    {1128, u"i", 0x49, 1, 4},      {1129, u"o", 0x4F, 1, 4},
    {1130, u"p", 0x50, 1, 4},      {1131, u"[", 0xDB, 1, 4},
    {1132, u"]", 0xDD, 1, 4},      {1133, u"\\", 0xDC, 1, 8},

    {1140, u"Cap", 0x14, 2, 10},   {1141, u"a", 0x41, 2, 4},
    {1142, u"s", 0x53, 2, 4},      {1143, u"d", 0x44, 2, 4},
    {1144, u"f", 0x46, 2, 4},      {1145, u"g", 0x47, 2, 4},
    {1146, u"h", 0x48, 2, 4},      {1147, u"j", 0x4A, 2, 4},
    {1148, u"k", 0x4B, 2, 4},      {1149, u"l", 0x4C, 2, 4},
    {1150, u";", 0xBA, 2, 4},      {1151, u"'", 0xDE, 2, 4},
    {1152, u"Enter", 0x0D, 2, 10},

    {1160, u"Shift", 0xA0, 3, 12}, {1161, u"z", 0x5A, 3, 4},
    {1162, u"x", 0x58, 3, 4},      {1163, u"c", 0x43, 3, 4},
    {1164, u"v", 0x56, 3, 4},      {1165, u"b", 0x42, 3, 4},
    {1166, u"n", 0x4E, 3, 4},      {1167, u"m", 0x4D, 3, 4},
    {1168, u",", 0xBC, 3, 4},      {1169, u".", 0xBE, 3, 4},
    {1170, u"/", 0xBF, 3, 4},      {1171, u"`", 0xC0, 3, 4},
    {1172, u"↑", 0x26, 3, 8},

    {1180, u"Ctl", 0x11, 4, 8},    {1181, u"Han", 0, 4, 8},
    {1182, u"Space", 0x20, 4, 20}, {1183, u"←", 0x25, 4, 4},
    {1184, u"↓", 0x28, 4, 4},      {1185, u"→", 0x27, 4, 4},
    {1186, u"Paste", 0, 4, 8},     {kKeyboardCloseKey, u"Ⅹ", 0, 4, 8},
};

constexpr int kRows = 5;
constexpr int kQuarter = 7;  // a quarter of a key's width, in pixels
constexpr int kKeyHeight = 26;
constexpr int kMargin = 2;
constexpr int kRowUnits = 64;  // every row is 16 keys wide

class Keyboard : public platform::ui::WindowHandler {
 public:
  explicit Keyboard(platform::ui::WindowList* windows) : windows_(windows) {}

  void OnInit(platform::ui::Window& window) override {
    platform::FontSpec font;
    font.face = u"System";
    font.height = 13;
    for (const KeyboardKey& key : kKeys) window.SetControlFont(key.id, font);
  }

  void OnCommand(platform::ui::Window& window, int controlId,
                 platform::ui::Notification notification) override {
    if (notification != platform::ui::Notification::kClicked) return;
    if (controlId == kKeyboardCloseKey) {
      window.EndModal(0);
      return;
    }
    for (const KeyboardKey& key : kKeys) {
      if (key.id == controlId && key.virtualKey != 0) Send(key.virtualKey);
    }
  }

 private:
  void Send(int virtualKey) {
    if (windows_ == nullptr) return;
    const auto target = FindFrontWindow(*windows_, {kToolbarTitle, kKeyboardTitle});
    if (!target) return;
    windows_->SetForeground(*target);
    windows_->SendKey(virtualKey);
  }

  platform::ui::WindowList* windows_;
};

}  // namespace

std::span<const KeyboardKey> KeyboardKeys() {
  return kKeys;
}

gfx::Size KeyboardSize() {
  return {kRowUnits * kQuarter + 2 * kMargin, kRows * kKeyHeight + 2 * kMargin};
}

platform::ui::WindowTemplate KeyboardTemplate(gfx::Point topLeft) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kKeyboardTitle;
  tmpl.style = platform::ui::kThinBorder | platform::ui::kTopMost | platform::ui::kNoActivate;
  const gfx::Size size = KeyboardSize();
  tmpl.rect = gfx::Rect::FromSize(topLeft.x + 1, topLeft.y + 1, size.width, size.height);
  std::vector<int> used(kRows, 0);
  for (const KeyboardKey& key : kKeys) {
    const int x = kMargin + used[static_cast<std::size_t>(key.row)] * kQuarter;
    used[static_cast<std::size_t>(key.row)] += key.units;
    tmpl.controls.push_back(
        {key.id, ControlKind::kPushButton,
         gfx::Rect::FromSize(x, kMargin + key.row * kKeyHeight, key.units * kQuarter, kKeyHeight),
         key.caption, platform::ui::kStyleNone});
  }
  return tmpl;
}

void RunKeyboardWindow(platform::ui::UserInterface& ui, platform::ui::WindowList* windows,
                       platform::ui::Window* owner) {
  const gfx::Size screen = ui.ScreenSize();
  const gfx::Size size = KeyboardSize();
  const gfx::Point place{std::max(0, (screen.width - size.width - 2) / 2),
                         std::max(0, screen.height - size.height - 2)};
  Keyboard keyboard(windows);
  ui.RunModal(KeyboardTemplate(place), keyboard, owner);
}

void RunKeyboard(ToolbarHost& host) {
  RunKeyboardWindow(host.Ui(), host.Platform().windowList, &host.Window());
}

}  // namespace vexa::toolbar
