#pragma once

#include <cstdint>
#include <vector>

#include "common/gfx/Geometry.h"

// Pictures in memory and the drawing the programs do on them. Colours in settings and skins are the
// device's colour words, red + green * 256 + blue * 65536; pixels are stored as 0xAARRGGBB words, the
// layout the display adapters present without conversion. Pictures and canvases are opaque (alpha byte
// 0xFF); only icons and see-through pictures (marked translucent) carry partial alpha, which DrawIcon
// and BlendStretch blend over the canvas.
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
constexpr ColorRef ToColorRef(Pixel p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

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
  // A canvas for a width × height picture of which only `stored` (clipped to the picture) is held in
  // memory: a window repainting one damaged rectangle, or a slot far larger than the screen drawing only
  // its visible part. Drawing uses the picture's own coordinates; what lands outside `stored` is dropped.
  Bitmap(Size size, const Rect& stored, Pixel fill = 0xFF000000u);

  int width() const { return width_; }
  int height() const { return height_; }
  Size size() const { return {width_, height_}; }
  Rect bounds() const { return {0, 0, width_, height_}; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }
  // The part of the picture held in memory; the whole picture unless made partial.
  const Rect& stored() const { return stored_; }
  // Pixels per stored row.
  int stride() const { return stored_.right - stored_.left; }

  // Pixel access; reads outside the stored part give 0, writes there are ignored.
  Pixel At(int x, int y) const;
  void Set(int x, int y, Pixel p);
  // The stored pixels of row y (inside stored()), starting at column stored().left.
  Pixel* Row(int y) {
    return pixels_.data() + static_cast<std::size_t>(y - stored_.top) * static_cast<std::size_t>(stride());
  }
  const Pixel* Row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y - stored_.top) * static_cast<std::size_t>(stride());
  }
  // The stored pixel at (x, y), which must lie inside stored().
  Pixel* PixelAt(int x, int y) { return Row(y) + (x - stored_.left); }
  const Pixel* PixelAt(int x, int y) const { return Row(y) + (x - stored_.left); }
  const std::vector<Pixel>& pixels() const { return pixels_; }

  // A picture whose alpha bytes say how much of each pixel covers what lies under it (a PNG with
  // see-through parts); it is drawn blended, not colour-keyed.
  bool translucent() const { return translucent_; }
  void SetTranslucent(bool translucent) { translucent_ = translucent; }

 private:
  int width_ = 0;
  int height_ = 0;
  Rect stored_;
  std::vector<Pixel> pixels_;
  bool translucent_ = false;
};

// Every operation clips to both bitmaps: pixels that would come from outside the source or land
// outside the destination are left out, and the rest are drawn exactly where they would be without
// clipping. Rectangles are left/top inclusive, right/bottom exclusive; an empty or mirrored rectangle
// draws nothing. The source and the destination may be the same bitmap.

// Plain copy of `src`'s `from` rectangle with its top-left corner at `to`.
void Copy(Bitmap& dst, Point to, const Bitmap& src, const Rect& from);
// Copy stretched (or shrunk) from `from` onto `to`, the aspect ratio not kept, nearest pixel: the centre
// of each destination pixel is mapped into `from` and takes the source pixel it falls in. Rectangles
// reaching beyond +-2^30 draw nothing.
void StretchCopy(Bitmap& dst, const Rect& to, const Bitmap& src, const Rect& from);
// As StretchCopy, leaving out the source pixels of the key colour (red, green and blue compared).
// kAutoTransparent takes the source bitmap's top-left pixel (0, 0) as the key.
void KeyedCopy(Bitmap& dst, const Rect& to, const Bitmap& src, const Rect& from, ColorRef key);
// Copies `src`'s `from` rectangle to `to`, each pixel blended over the destination by its own alpha
// byte (0 leaves the destination, 255 replaces it); the result is opaque.
void BlendCopy(Bitmap& dst, Point to, const Bitmap& src, const Rect& from);
// As StretchCopy, each source pixel blended over the destination by its own alpha byte; the result
// is opaque.
void BlendStretch(Bitmap& dst, const Rect& to, const Bitmap& src, const Rect& from);
// An icon at its own size with its transparency.
inline void DrawIcon(Bitmap& dst, Point to, const Bitmap& icon) {
  BlendCopy(dst, to, icon, icon.bounds());
}
void FillRect(Bitmap& dst, const Rect& r, ColorRef color);
// A one-pixel frame of one colour along the rectangle's edge.
void FrameRect(Bitmap& dst, const Rect& r, ColorRef color);
// The dotted focus frame: every other pixel along the rectangle's one-pixel edge has its colour
// inverted, starting with the top-left pixel, so the dots run on around the corners. Drawing the same
// frame twice restores the bitmap.
void DrawFocusRect(Bitmap& dst, const Rect& r);
// One-pixel 3-D frames along the rectangle's edge: raised has the highlight on top and left and the
// shadow on bottom and right; sunken the other way round. The bottom/right colour owns the top-right
// and bottom-left corners.
void DrawRaisedFrame(Bitmap& dst, const Rect& r);
void DrawSunkenFrame(Bitmap& dst, const Rect& r);
void Draw3dFrame(Bitmap& dst, const Rect& r, ColorRef topLeft, ColorRef bottomRight);

}  // namespace vexa::gfx
