#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/ProfileStore.h"
#include "common/gfx/Geometry.h"
#include "deck/SlotSettings.h"

// The skin file: one .ini file per screen size inside a skin folder, and the rules that tie its
// values to files of the skin.
namespace vexa::deck {

// The folders a file reference of a skin can point into.
enum class SkinFileKind { kBackground, kButton, kWave };

// Skin folder (ends with "\") + skin name + "\skin<w>x<h>.ini".
std::u16string SkinFilePath(std::u16string_view skinFolder, std::u16string_view skinName, gfx::Size screen);

// The file a skin value names: "+a.png" lies in the shared "_Common\button\" folder, "a.png" in the
// skin's own "button\" folder (likewise for backgrounds and sounds). An empty value names no file.
std::u16string ResolveSkinFile(std::u16string_view skinFolder, std::u16string_view skinName,
                               SkinFileKind kind, std::u16string_view value);

// The value the writer stores for a file: its name, with "+" when it lies in the shared folder.
std::u16string SkinFileValue(std::u16string_view path, SkinFileKind kind);

// The size a chosen skin file was made for: "skin800x480.ini" on a 480 x 272 screen gives 800 x 480;
// a file of the current screen gives 0 x 0, as does a name without two positive sizes in it.
gfx::Size DesignSizeFromFileName(std::u16string_view fileName, gfx::Size screen);

// True for a section that holds one element: its name begins with "Button" in any case.
bool IsElementSection(std::u16string_view section);

// True for a section the launcher reads from a skin file: the elements, [Main], [Background],
// [BackPattern], [Format] and [Picture].
bool IsSkinSection(std::u16string_view section);
// True for a key the launcher reads (or keeps) in that section, compared without regard to case.
bool IsSkinKey(std::u16string_view section, std::u16string_view key);

// The words of TextAlign and TextHAlign; reading and writing share the same table.
CaptionPosition CaptionPositionFromWord(std::u16string_view word);
std::u16string_view CaptionPositionWord(CaptionPosition position);
CaptionAlignment CaptionAlignmentFromWord(std::u16string_view word);
std::u16string_view CaptionAlignmentWord(CaptionAlignment alignment);

// "255,0,128" for the colour word 0x8000FF.
std::u16string ColorText(gfx::ColorRef color);

// Stores the layout of the slots into the skin store: one section per slot whose name begins with
// "Button", in slot order. Positions and sizes are the slots' screen pixels; a slot without bounds
// keeps what the store holds for them.
void WriteSkin(ProfileStore& skin, std::span<const SlotSettings> slots);

}  // namespace vexa::deck
