#pragma once

#include <string_view>

#include "common/gfx/Bitmap.h"
#include "platform/ui/Graphics.h"

// Loading the launcher's pictures (backgrounds, picture places, the slide show) and fitting them.
namespace vexa::deck {

// Whether a file name is a picture the launcher shows: its last four characters, in lower case, are
// ".bmp", ".jpg", ".gif" or ".png" (so "a.jpeg" is not one).
bool IsAcceptedPicture(std::u16string_view name);

// Loads a picture file into `picture`. Bitmap files come at their own size; other pictures larger
// than `screen` are reduced to fit it with their aspect ratio kept, as the device's decoder does.
// On failure (missing file, not a picture, no decoder) `picture` keeps what it held and false comes
// back.
bool LoadPicture(platform::ui::PictureDecoder* decoder, std::u16string_view path, gfx::Size screen,
                 gfx::Bitmap& picture);

// Stretches the whole picture to exactly `size` (the aspect ratio is not kept); a picture of that
// size already is left alone, and an empty one becomes a blank (black) one of that size.
void StretchToSize(gfx::Bitmap& picture, gfx::Size size);

}  // namespace vexa::deck
