#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/Environment.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

namespace vexa::deck {

// A face, a height in pixels and the three styles, as the font dialog shows and answers them.
struct FontChoice {
  std::u16string face;
  int height = 14;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const FontChoice&) const = default;
};

// The heights the dialog offers, in the order of its list.
inline constexpr std::array<int, 25> kFontDialogSizes = {10, 12, 14, 16,  18,  20,  24,  28,  32,
                                                         36, 40, 44, 48,  54,  60,  66,  72,  80,
                                                         88, 96, 128, 192, 256, 384, 512};

// The font dialog "Font": the device's font families (the skins' registered fonts among them), the
// sizes, Bold, Italic and Underline, and a preview of `previewText` in what is chosen. Opens on
// `initial`; answers the choice on OK and nothing on Cancel.
std::optional<FontChoice> RunFontDialog(Environment& env, platform::ui::UserInterface& ui,
                                        platform::ui::Window* owner, const FontChoice& initial,
                                        std::u16string_view previewText = u"Sample");

}  // namespace vexa::deck
