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
// Decode gives opaque bitmaps, as the device's decoder made them: a pixel's alpha is dropped and its
// colour kept as stored, and skins mark see-through areas with a key colour. DecodeWithAlpha keeps the
// alpha of a ".png" file that has see-through pixels.
class QtPictureDecoder : public ui::PictureDecoder {
 public:
  explicit QtPictureDecoder(FileSystem& files) : files_(files) {}

  std::optional<gfx::Bitmap> Decode(std::u16string_view devicePath,
                                    std::optional<gfx::Size> largest = std::nullopt) override;
  std::optional<gfx::Bitmap> DecodeWithAlpha(std::u16string_view devicePath,
                                             std::optional<gfx::Size> largest = std::nullopt) override;

  // The opaque bitmap of a decoded image; also used for the compiled-in pictures.
  static gfx::Bitmap ToBitmap(const QImage& image);
  // The bitmap of an image with its alpha bytes, marked translucent, when at least one pixel is not
  // wholly opaque; nullopt for an image that is opaque throughout.
  static std::optional<gfx::Bitmap> ToTranslucentBitmap(const QImage& image);

 private:
  std::optional<QImage> Read(std::u16string_view devicePath, std::optional<gfx::Size> largest);

  FileSystem& files_;
};

}  // namespace vexa::platform
