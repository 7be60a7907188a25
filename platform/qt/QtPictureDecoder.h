#pragma once

#include <optional>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/ui/Graphics.h"

class QImage;

namespace vexa::platform {

// Decodes the device's picture files with Qt's image readers (.bmp, .png, .jpg, .gif; the format is
// told by the content, not the name, so a misnamed file still shows). A GIF gives its first frame.
//
// Bitmaps are opaque, as the device's decoder made them: a pixel's alpha is dropped and its colour
// kept as stored. Skins mark see-through areas with a key colour, not with alpha.
class QtPictureDecoder : public ui::PictureDecoder {
 public:
  explicit QtPictureDecoder(FileSystem& files) : files_(files) {}

  std::optional<gfx::Bitmap> Decode(std::u16string_view devicePath,
                                    std::optional<gfx::Size> largest = std::nullopt) override;

  // The opaque bitmap of a decoded image; also used for the compiled-in pictures.
  static gfx::Bitmap ToBitmap(const QImage& image);

 private:
  FileSystem& files_;
};

}  // namespace vexa::platform
