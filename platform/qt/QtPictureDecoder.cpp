#include "platform/qt/QtPictureDecoder.h"

#include <QImage>

#include <cstring>
#include <limits>
#include <string>

namespace vexa::platform {

namespace {

// Bigger files are not pictures the programs show (a full-screen background is well under 1 MB).
constexpr std::size_t kMaxPictureBytes = 64u << 20;

}  // namespace

std::optional<gfx::Bitmap> QtPictureDecoder::Decode(std::u16string_view devicePath) {
  const std::optional<std::string> bytes = files_.ReadFile(devicePath, kMaxPictureBytes);
  if (!bytes || bytes->empty() || bytes->size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return std::nullopt;
  }
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()))) {
    return std::nullopt;
  }
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
  return ToBitmap(image);
}

gfx::Bitmap QtPictureDecoder::ToBitmap(const QImage& image) {
  // Format_ARGB32 keeps each pixel's colour as stored, whatever its alpha; the alpha is then forced
  // to opaque.
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  gfx::Bitmap bitmap(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* from = reinterpret_cast<const gfx::Pixel*>(argb.constScanLine(y));
    gfx::Pixel* to = bitmap.Row(y);
    for (int x = 0; x < argb.width(); ++x) to[x] = from[x] | 0xFF000000u;
  }
  return bitmap;
}

}  // namespace vexa::platform
