#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/gfx/Bitmap.h"
#include "platform/Platform.h"

namespace vexa::toolbar {

// The icon file of a program file: the picture beside it with the same name and ".png" in place of
// its extension ("\Storage Card\Navi\navi.exe" has "\Storage Card\Navi\navi.png"). A program file of
// this system carries no icon of its own, so this file stands for it.
std::u16string ProgramIconPath(std::u16string_view programPath);

// A program button's icon at IconSize 32: the program's icon file, shrunk or grown to 32 × 32 (drawn
// without the colour of its top-left pixel), or nullopt when the program has none, in which case the
// generic program icon of the toolbar's resources shows.
std::optional<gfx::Bitmap> ProgramIcon(platform::Platform& platform, std::u16string_view programPath);

}  // namespace vexa::toolbar
