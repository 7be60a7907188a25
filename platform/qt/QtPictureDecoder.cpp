#include "platform/qt/QtPictureDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstring>
#include <limits>
#include <string>

#include "common/text/Text.h"

namespace vexa::platform {

namespace {

// Bigger files are not pictures the programs show (a full-screen background is well under 1 MB).
constexpr std::size_t kMaxPictureBytes = 64u << 20;

// Whether the device path names a bitmap file, which the device loads at its own size.
bool IsBitmapFile(std::u16string_view path) {
  if (path.size() < 4) return false;
  const auto extension = text::ToLower(path.substr(path.size() - 4));
  return extension == u".bmp";
}

}  // namespace

std::optional<gfx::Bitmap> QtPictureDecoder::Decode(std::u16string_view devicePath, std::optional<gfx::Size> largest) {
  std::optional<QImage> image = Read(devicePath, largest);
  if (!image) return std::nullopt;
  return ToBitmap(*image);
}

std::optional<gfx::Bitmap> QtPictureDecoder::DecodeWithAlpha(std::u16string_view devicePath,
                                                             std::optional<gfx::Size> largest) {
  std::optional<QImage> image = Read(devicePath, largest);
  if (!image) return std::nullopt;
  const bool png = devicePath.size() >= 4 && text::ToLower(devicePath.substr(devicePath.size() - 4)) == u".png";
  if (png && image->hasAlphaChannel()) {
    if (std::optional<gfx::Bitmap> translucent = ToTranslucentBitmap(*image)) return translucent;
  }
  return ToBitmap(*image);
}

std::optional<gfx::Bitmap> QtPictureDecoder::ToTranslucentBitmap(const QImage& image) {
  // ARGB32 is 0xAARRGGBB with the colour not multiplied by the alpha: the bitmap's own layout.
  const QImage argb = image.format() == QImage::Format_ARGB32 ? image : image.convertToFormat(QImage::Format_ARGB32);
  gfx::Bitmap bitmap(argb.width(), argb.height());
  bool seeThrough = false;
  for (int y = 0; y < argb.height(); ++y) {
    const auto* in = reinterpret_cast<const gfx::Pixel*>(argb.constScanLine(y));
    gfx::Pixel* out = bitmap.Row(y);
    for (int x = 0; x < argb.width(); ++x) {
      out[x] = in[x];
      seeThrough = seeThrough || (in[x] >> 24) != 0xFF;
    }
  }
  if (!seeThrough) return std::nullopt;
  bitmap.SetTranslucent(true);
  return bitmap;
}

std::optional<QImage> QtPictureDecoder::Read(std::u16string_view devicePath, std::optional<gfx::Size> largest) {
  const std::optional<std::string> bytes = files_.ReadFile(devicePath, kMaxPictureBytes);
  if (!bytes || bytes->empty() || bytes->size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return std::nullopt;
  }
  QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);
  // A picture larger than the screen is reduced while it is decoded (the readers of JPEG and others
  // decode straight at the smaller size), so a 5000 × 5000 picture never stands in memory whole.
  const QSize size = reader.size();
  if (largest && largest->width > 0 && largest->height > 0 && !IsBitmapFile(devicePath) && size.isValid() &&
      (size.width() > largest->width || size.height() > largest->height)) {
    reader.setScaledSize(size.scaled(largest->width, largest->height, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
  }
  QImage image = reader.read();
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
  if (largest && largest->width > 0 && largest->height > 0 && !IsBitmapFile(devicePath) &&
      (image.width() > largest->width || image.height() > largest->height)) {
    // A reader that could not tell the size in advance: reduced after decoding.
    image = image.scaled(largest->width, largest->height, Qt::KeepAspectRatio, Qt::FastTransformation);
  }
  return image;
}

gfx::Bitmap QtPictureDecoder::ToBitmap(const QImage& image) {
  // Format_RGB32 is the bitmap's own layout (0xFFRRGGBB): Qt's conversion keeps each pixel's colour as
  // stored, whatever its alpha, and makes it opaque; the rows are then copied whole.
  // Premultiplied or other see-through formats pass through ARGB32 first, so no colour is darkened.
  QImage rgb = image;
  if (rgb.hasAlphaChannel() && rgb.format() != QImage::Format_ARGB32) rgb = rgb.convertToFormat(QImage::Format_ARGB32);
  if (rgb.format() != QImage::Format_RGB32) rgb = rgb.convertToFormat(QImage::Format_RGB32);
  gfx::Bitmap bitmap(rgb.width(), rgb.height());
  const auto rowBytes = static_cast<std::size_t>(rgb.width()) * sizeof(gfx::Pixel);
  for (int y = 0; y < rgb.height(); ++y) std::memcpy(bitmap.Row(y), rgb.constScanLine(y), rowBytes);
  return bitmap;
}

}  // namespace vexa::platform
