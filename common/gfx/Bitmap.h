#pragma once

#include <cstdint>
#include <vector>

#include "common/gfx/Geometry.h"

// Pictures in memory and the drawing the programs do on them. Colours in settings and skins are the
// device's colour words, red + green * 256 + blue * 65536; pixels are stored as 0xAARRGGBB words with
// the alpha byte always 0xFF, the layout the display adapters present without conversion.
namespace vexa::gfx {

using ColorRef = std::uint32_t;  // red + green * 256 + blue * 65536
using Pixel = std::uint32_t;     // 0xFFRRGGBB

// The colour word standing for "the picture's own top-left pixel is transparent".
inline constexpr ColorRef kAutoTransparent = 0xFF000000;

constexpr ColorRef Rgb(int r, int g, int b) {
  return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr Pixel ToPixel(ColorRef c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr ColorRef ToColorRef(Pixel p) { return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16); }

// The system colours the drawing code asks for (button face, text, highlight, shadow).
struct SystemColors {
  static constexpr ColorRef kButtonFace = Rgb(212, 208, 200);
  static constexpr ColorRef kButtonText = Rgb(0, 0, 0);
  static constexpr ColorRef kHighlight = Rgb(255, 255, 255);  // the 3-D highlight
  static constexpr ColorRef kShadow = Rgb(128, 128, 128);     // the 3-D shadow
  static constexpr ColorRef kWindow = Rgb(255, 255, 255);
  static constexpr ColorRef kWindowText = Rgb(0, 0, 0);
};

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Pixel fill = 0xFF000000u);

  int width() const { return width_; }
  int height() const { return height_; }
  Size size() const { return {width_, height_}; }
  Rect bounds() const { return {0, 0, width_, height_}; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  // Pixel access; reads outside give 0, writes outside are ignored.
  Pixel At(int x, int y) const;
  void Set(int x, int y, Pixel p);
  Pixel* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
  const Pixel* Row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  const std::vector<Pixel>& pixels() const { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

// Every operation clips to both bitmaps; nothing is drawn outside them.

// Plain copy of `src`'s `from` rectangle with its top-left corner at `to`.
void Copy(Bitmap& dst, Point to, const Bitmap& src, const Rect& from);
// Copy stretched (or shrunk) from `from` onto `to`, the aspect ratio not kept, nearest pixel.
void StretchCopy(Bitmap& dst, const Rect& to, const Bitmap& src, const Rect& from);
// As StretchCopy, leaving out the source pixels of the key colour. kAutoTransparent takes the
// source's top-left pixel as the key.
void KeyedCopy(Bitmap& dst, const Rect& to, const Bitmap& src, const Rect& from, ColorRef key);
void FillRect(Bitmap& dst, const Rect& r, ColorRef color);
// The dotted focus frame: every other pixel along the rectangle's edge, inverted.
void DrawFocusRect(Bitmap& dst, const Rect& r);
// One-pixel 3-D frames along the rectangle's edge: raised has the highlight on top and left and the
// shadow on bottom and right; sunken the other way round.
void DrawRaisedFrame(Bitmap& dst, const Rect& r);
void DrawSunkenFrame(Bitmap& dst, const Rect& r);

}  // namespace vexa::gfx
