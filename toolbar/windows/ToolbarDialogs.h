#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/ToolbarProfileStore.h"
#include "common/gfx/Geometry.h"
#include "platform/Platform.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowTemplate.h"

// What the toolbar's own windows share: the finger-sized font on large screens, the toolbar's exact
// "Y" switches, the values its settings window derives, and its GPS port and speed rules.
namespace vexa::toolbar {

// The settings file's sections and the keys several windows use.
inline constexpr char16_t kMain[] = u"Main";
inline constexpr char16_t kToolbarSection[] = u"Toolbar";
inline constexpr char16_t kGpsTime[] = u"GpsTime";

// Whether dialogs on a screen of this size use the larger finger-sized font.
inline bool UsesLargeFont(gfx::Size screen) { return screen.width >= 640 && screen.height >= 480; }

// A window laid out for the small font, made half as large again for the large one. The top-left
// corner stays where it is; `centre` puts the window in the middle of the screen instead.
void ScaleForLargeFont(platform::ui::WindowTemplate& tmpl, gfx::Size screen, bool centre);
// Gives every control of the template the "System" face at the finger-sized height on large screens.
void ApplyLargeFont(platform::Platform& platform, platform::ui::Window& window,
                    const platform::ui::WindowTemplate& tmpl, gfx::Size screen);
platform::FontSpec SystemFont(int height, int weight);

// Only a capital "Y" is yes; a tick writes "Y" or "N".
bool IsOn(const ToolbarProfileStore& store, std::u16string_view section, std::u16string_view key,
          std::u16string_view defaultValue = u"N");
inline std::u16string_view Flag(bool on) { return on ? u"Y" : u"N"; }
inline platform::ui::CheckState Tick(bool on) {
  return on ? platform::ui::CheckState::kChecked : platform::ui::CheckState::kUnchecked;
}

// The button size an icon size gives, with or without the labels under the icons:
// 16 -> 26 x 30 (26 x 18 without labels), 24 -> 28 x 40, 32 -> 34 x 50, 48 -> 50 x 72, any other
// size n -> n + 10 by n + 14 (n + 2 by n + 2 without labels).
gfx::Size DerivedButtonSize(int iconSize, bool labels);
// The width and height steppers: up by 2 only while below 100, down by 2 only while above the icon
// size. Nullopt when the step is refused.
std::optional<int> StepUp(int value);
std::optional<int> StepDown(int value, int iconSize);

// The GPS receiver's port and speed as the toolbar uses them: the port upper-cased and "COM2:"
// unless one of "COM1:" to "COM8:", the speed 9600 unless 4800, 9600, 14400 or 19200.
std::u16string ToolbarGpsPort(const ToolbarProfileStore& store);
int ToolbarGpsSpeed(const ToolbarProfileStore& store);

// The open-file filter of the windows that choose a program.
inline constexpr char16_t kProgramFilter[] = u"프로그램(*.exe)|*.exe";
// The folder a chosen file lies in ("\Storage Card\a\b.exe" -> "\Storage Card\a"), for the picker.
std::u16string FolderOf(std::u16string_view path);

}  // namespace vexa::toolbar
