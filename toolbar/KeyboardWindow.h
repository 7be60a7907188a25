#pragma once

#include <span>

#include "common/gfx/Geometry.h"
#include "platform/ui/WindowList.h"
#include "platform/ui/WindowTemplate.h"
#include "toolbar/ToolbarHost.h"

namespace vexa::toolbar {

inline constexpr char16_t kKeyboardTitle[] = u"Toolbar Keyboard";

// One key of the on-screen keyboard: what it reads and the device's virtual-key code it sends
// (0 for the keys that send nothing).
struct KeyboardKey {
  int id;
  const char16_t* caption;
  int virtualKey;
  int row;    // 0 to 4
  int units;  // its width in quarter key widths
};

// Every key, row by row from the top left.
std::span<const KeyboardKey> KeyboardKeys();
// The key that closes the keyboard.
inline constexpr int kKeyboardCloseKey = 1199;

gfx::Size KeyboardSize();
// The keyboard's window with its frame's top-left corner there.
platform::ui::WindowTemplate KeyboardTemplate(gfx::Point topLeft);

// The on-screen keyboard, top-most at the bottom middle of the screen, until its close key: each key
// brings the program in front forward and sends it the key's press and release.
void RunKeyboard(ToolbarHost& host);
// The same keyboard over a window list of the caller's, owned by `owner`.
void RunKeyboardWindow(platform::ui::UserInterface& ui, platform::ui::WindowList* windows,
                       platform::ui::Window* owner);

}  // namespace vexa::toolbar
