#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "common/gfx/Geometry.h"
#include "platform/ui/UserInterface.h"

namespace vexa::deck {

struct SkinSelection {
  std::u16string skinName;  // the skin's folder name
  std::u16string fileName;  // one of its skin files: "skin800x480.ini"
};

// The skins of a skin folder: its sub-folders except "_Common", in listing order.
std::vector<std::u16string> ListSkins(platform::FileSystem& files, std::u16string_view skinFolder);
// The skin files of one skin: "skin*.ini".
std::vector<std::u16string> ListSkinFiles(platform::FileSystem& files, std::u16string_view skinDir);
// The skin's preview picture: the first "screenshot.*" that is a .bmp, .jpg, .gif or .png; empty when none.
std::u16string FindScreenshot(platform::FileSystem& files, std::u16string_view skinDir);

// "Skin selector": the list of skins, the chosen skin's skin files with the one for the screen
// selected, and its screenshot. Nullopt on "Cancel". `skinFolder` ends with a backslash.
std::optional<SkinSelection> RunSkinSelector(Environment& env, platform::ui::UserInterface& ui,
                                             platform::ui::Window* owner, std::u16string_view skinFolder,
                                             std::u16string_view currentSkin, gfx::Size screen);

}  // namespace vexa::deck
