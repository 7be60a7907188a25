#include "common/gfx/Bitmap.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace vexa::gfx {

Bitmap::Bitmap(int width, int height, Pixel fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      stored_{0, 0, width_, height_},
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Bitmap::Bitmap(Size size, const Rect& stored, Pixel fill)
    : width_(size.width > 0 ? size.width : 0), height_(size.height > 0 ? size.height : 0) {
  stored_ = {std::clamp(stored.left, 0, width_), std::clamp(stored.top, 0, height_),
             std::clamp(stored.right, 0, width_), std::clamp(stored.bottom, 0, height_)};
  if (stored_.right <= stored_.left || stored_.bottom <= stored_.top) stored_ = {0, 0, 0, 0};
  pixels_.assign(static_cast<std::size_t>(stored_.right - stored_.left) *
                     static_cast<std::size_t>(stored_.bottom - stored_.top),
                 fill);
}

Pixel Bitmap::At(int x, int y) const {
  if (!stored_.Contains({x, y})) return 0;
  return *PixelAt(x, y);
}

void Bitmap::Set(int x, int y, Pixel p) {
  if (!stored_.Contains({x, y})) return;
  *PixelAt(x, y) = p;
}

namespace {

using i64 = std::int64_t;

constexpr Pixel kRgbMask = 0x00FFFFFFu;

// The part of a plain copy that lies inside both bitmaps: `width` × `height` pixels from (sx, sy) of the
// source to (dx, dy) of the destination.
struct CopyArea {
  int dx = 0;
  int dy = 0;
  int sx = 0;
  int sy = 0;
  int width = 0;
  int height = 0;
};

// Clips a copy of `from` to `to` against the stored parts of both bitmaps; false when nothing is left.
// Computed in 64 bits so that rectangles near the ends of the int range cannot overflow.
bool ClipCopy(const Bitmap& dst, Point to, const Bitmap& src, const Rect& from, CopyArea& area) {
  const Rect& s = src.stored();
  const Rect& d = dst.stored();
  i64 sl = from.left, st = from.top, sr = from.right, sb = from.bottom;
  if (sr <= sl || sb <= st) return false;
  i64 dl = to.x, dt = to.y;  // where (sl, st) lands
  if (sl < s.left) dl += s.left - sl, sl = s.left;
  if (st < s.top) dt += s.top - st, st = s.top;
  if (dl < d.left) sl += d.left - dl, dl = d.left;
  if (dt < d.top) st += d.top - dt, dt = d.top;
  sr = std::min({sr, i64{s.right}, sl + (i64{d.right} - dl)});
  sb = std::min({sb, i64{s.bottom}, st + (i64{d.bottom} - dt)});
  if (sr <= sl || sb <= st) return false;
  area = {static_cast<int>(dl), static_cast<int>(dt),      static_cast<int>(sl),
          static_cast<int>(st), static_cast<int>(sr - sl), static_cast<int>(sb - st)};
  return true;
}

// The destination rectangle clipped to the bitmap's stored part; false when nothing is left.
bool ClipToBitmap(const Bitmap& dst, const Rect& r, Rect& clipped) {
  const Rect& d = dst.stored();
  clipped = {std::max(r.left, d.left), std::max(r.top, d.top), std::min(r.right, d.right),
             std::min(r.bottom, d.bottom)};
  return clipped.left < clipped.right && clipped.top < clipped.bottom;
}

// Stretching maps destination pixel i (counted from the destination rectangle's edge) to source pixel
// from0 + floor((i + 1/2) * fromSize / toSize), the nearest pixel to the mapped centre. With
// coordinates kept within ±2^30 the products below stay inside 64 bits.
constexpr i64 kMaxCoordinate = i64{1} << 30;

bool WithinStretchLimits(const Rect& r) {
  return std::max({std::abs(i64{r.left}), std::abs(i64{r.top}), std::abs(i64{r.right}),
                   std::abs(i64{r.bottom})}) <= kMaxCoordinate;
}

// One axis of a stretch: destination pixels [first, last) land inside the destination bitmap and come
// from inside the source bitmap.
struct StretchAxis {
  i64 to0, toSize, from0, fromSize;
  i64 SourceOf(i64 d) const { return from0 + (2 * (d - to0) + 1) * fromSize / (2 * toSize); }
};

// Source columns of a row of destination pixels. Slots and screens are narrow enough for the map to
// live on the stack; wider stretches take it from the heap.
class ColumnMap {
 public:
  explicit ColumnMap(std::size_t count) {
    if (count > inline_.size()) heap_.resize(count);
    data_ = count > inline_.size() ? heap_.data() : inline_.data();
  }
  ColumnMap(const ColumnMap&) = delete;
  ColumnMap& operator=(const ColumnMap&) = delete;
  int* data() { return data_; }

 private:
  std::array<int, 2048> inline_;
  std::vector<int> heap_;
  int* data_;
};

// Runs `drawRow(dstRow, srcRow, columns, count)` for every destination row of a stretch, after clipping
// `to` against the destination and dropping the pixels whose source lies outside the source bitmap.
// `sameAsPreviousRow` tells the row function that the source row is the one it was given just before.
template <typename DrawRow>
void ForEachStretchedRow(Bitmap& dst, const Rect& to, const Bitmap& src, const Rect& from, DrawRow drawRow) {
  if (to.empty() || from.empty() || dst.empty() || src.empty()) return;
  if (!WithinStretchLimits(to) || !WithinStretchLimits(from)) return;
  const StretchAxis ax{to.left, i64{to.right} - to.left, from.left, i64{from.right} - from.left};
  const StretchAxis ay{to.top, i64{to.bottom} - to.top, from.top, i64{from.bottom} - from.top};

  const Rect& d = dst.stored();
  const Rect& s = src.stored();
  i64 x0 = std::max<i64>(to.left, d.left), x1 = std::min<i64>(to.right, d.right);
  i64 y0 = std::max<i64>(to.top, d.top), y1 = std::min<i64>(to.bottom, d.bottom);
  if (x0 >= x1 || y0 >= y1) return;
  // The mapping only grows with d, so the pixels with a source inside the bitmap form one run; the
  // ends are found by bisection, as a destination far larger than the screen may be clipped by millions.
  auto firstWhere = [](i64 lo, i64 hi, auto&& inside) {
    while (lo < hi) {
      const i64 mid = lo + (hi - lo) / 2;
      if (inside(mid)) hi = mid; else lo = mid + 1;
    }
    return lo;
  };
  x0 = firstWhere(x0, x1, [&](i64 x) { return ax.SourceOf(x) >= s.left; });
  x1 = firstWhere(x0, x1, [&](i64 x) { return ax.SourceOf(x) >= s.right; });
  y0 = firstWhere(y0, y1, [&](i64 y) { return ay.SourceOf(y) >= s.top; });
  y1 = firstWhere(y0, y1, [&](i64 y) { return ay.SourceOf(y) >= s.bottom; });
  if (x0 >= x1 || y0 >= y1) return;

  const auto count = static_cast<std::size_t>(x1 - x0);
  ColumnMap map(count);
  int* columns = map.data();
  // Columns are counted from the source's first stored column.
  for (std::size_t k = 0; k < count; ++k)
    columns[k] = static_cast<int>(ax.SourceOf(x0 + static_cast<i64>(k)) - s.left);

  i64 previous = -1;
  for (i64 y = y0; y < y1; ++y) {
    const i64 sy = ay.SourceOf(y);
    drawRow(dst.PixelAt(static_cast<int>(x0), static_cast<int>(y)), src.Row(static_cast<int>(sy)), columns, count,
            sy == previous);
    previous = sy;
  }
}

Pixel Invert(Pixel p) {
  return p ^ kRgbMask;
}

// Inverts the pixels of row y from x0 to x1 (exclusive) whose (x - ox) + (y - oy) is even.
void InvertDotsInRow(Bitmap& dst, int y, int x0, int x1, int ox, int oy) {
  const Rect& d = dst.stored();
  if (y < d.top || y >= d.bottom) return;
  i64 x = std::max(x0, d.left);
  const i64 end = std::min(x1, d.right);
  if (((x - ox) + (i64{y} - oy)) & 1) ++x;
  Pixel* row = dst.Row(y);
  for (; x < end; x += 2) row[x - d.left] = Invert(row[x - d.left]);
}

// Inverts the pixels of column x from y0 to y1 (exclusive) whose (x - ox) + (y - oy) is even.
void InvertDotsInColumn(Bitmap& dst, int x, int y0, int y1, int ox, int oy) {
  const Rect& d = dst.stored();
  if (x < d.left || x >= d.right) return;
  i64 y = std::max(y0, d.top);
  const i64 end = std::min(y1, d.bottom);
  if (((i64{x} - ox) + (y - oy)) & 1) ++y;
  for (; y < end; y += 2) {
    Pixel& p = *dst.PixelAt(x, static_cast<int>(y));
    p = Invert(p);
  }
}

// Source over destination by the source's alpha, rounded to the nearest value; opaque result.
Pixel Blend(Pixel s, Pixel d) {
  const Pixel a = s >> 24;
  if (a == 0xFF) return s;
  if (a == 0) return d | 0xFF000000u;
  const Pixel na = 0xFF - a;
  auto channel = [&](int shift) {
    const Pixel v = ((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * na;
    return ((v + 127) / 255) << shift;
  };
  return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

}  // namespace

void Copy(Bitmap& dst, Point to, const Bitmap& src, const Rect& from) {
  CopyArea a;
  if (!ClipCopy(dst, to, src, from, a)) return;
  const auto bytes = static_cast<std::size_t>(a.width) * sizeof(Pixel);
  // Within one bitmap, rows are taken bottom-up when moving down so that no row is overwritten before
  // it is read; memmove handles the overlap inside a row.
  if (&dst == &src && a.dy > a.sy) {
    for (int y = a.height - 1; y >= 0; --y)
      std::memmove(dst.PixelAt(a.dx, a.dy + y), src.PixelAt(a.sx, a.sy + y), bytes);
  } else {
    for (int y = 0; y < a.height; ++y)
      std::memmove(dst.PixelAt(a.dx, a.dy + y), src.PixelAt(a.sx, a.sy + y), bytes);
  }
}

void StretchCopy(Bitmap& dst, const Rect& to, const Bitmap& src, const Rect& from) {
  if (&dst == &src) {
    const Bitmap original = src;
    StretchCopy(dst, to, original, from);
    return;
  }
  // Equal sizes map every pixel to the one at the same offset: a plain copy.
  if (!to.empty() && !from.empty() && i64{to.right} - to.left == i64{from.right} - from.left &&
      i64{to.bottom} - to.top == i64{from.bottom} - from.top) {
    Copy(dst, {to.left, to.top}, src, from);
    return;
  }
  Pixel* previousRow = nullptr;
  ForEachStretchedRow(
      dst, to, src, from,
      [&](Pixel* out, const Pixel* in, const int* columns, std::size_t count, bool sameSource) {
        // Enlarging repeats source rows: the row just drawn can be copied whole.
        if (sameSource && previousRow != nullptr) {
          std::memcpy(out, previousRow, count * sizeof(Pixel));
        } else {
          for (std::size_t k = 0; k < count; ++k) out[k] = in[columns[k]];
        }
        previousRow = out;
      });
}

void KeyedCopy(Bitmap& dst, const Rect& to, const Bitmap& src, const Rect& from, ColorRef key) {
  if (src.empty()) return;
  if (&dst == &src) {
    const Bitmap original = src;
    KeyedCopy(dst, to, original, from, key);
    return;
  }
  const Pixel keyPixel = (key == kAutoTransparent ? src.At(0, 0) : ToPixel(key)) & kRgbMask;
  ForEachStretchedRow(dst, to, src, from,
                      [keyPixel](Pixel* out, const Pixel* in, const int* columns, std::size_t count, bool) {
                        // A select rather than a branch: keyed pictures mix kept and skipped pixels
                        // too irregularly for branch prediction.
                        for (std::size_t k = 0; k < count; ++k) {
                          const Pixel p = in[columns[k]];
                          out[k] = (p & kRgbMask) != keyPixel ? p : out[k];
                        }
                      });
}

void BlendCopy(Bitmap& dst, Point to, const Bitmap& src, const Rect& from) {
  if (&dst == &src) {
    const Bitmap original = src;
    BlendCopy(dst, to, original, from);
    return;
  }
  CopyArea a;
  if (!ClipCopy(dst, to, src, from, a)) return;
  for (int y = 0; y < a.height; ++y) {
    Pixel* out = dst.PixelAt(a.dx, a.dy + y);
    const Pixel* in = src.PixelAt(a.sx, a.sy + y);
    for (int x = 0; x < a.width; ++x) out[x] = Blend(in[x], out[x]);
  }
}

void BlendStretch(Bitmap& dst, const Rect& to, const Bitmap& src, const Rect& from) {
  if (src.empty()) return;
  if (&dst == &src) {
    const Bitmap original = src;
    BlendStretch(dst, to, original, from);
    return;
  }
  ForEachStretchedRow(dst, to, src, from, [](Pixel* out, const Pixel* in, const int* columns, std::size_t count, bool) {
    for (std::size_t k = 0; k < count; ++k) out[k] = Blend(in[columns[k]], out[k]);
  });
}

void FillRect(Bitmap& dst, const Rect& r, ColorRef color) {
  Rect c;
  if (!ClipToBitmap(dst, r, c)) return;
  const Pixel p = ToPixel(color);
  for (int y = c.top; y < c.bottom; ++y) std::fill(dst.PixelAt(c.left, y), dst.PixelAt(c.left, y) + c.width(), p);
}

void FrameRect(Bitmap& dst, const Rect& r, ColorRef color) {
  if (r.empty()) return;
  FillRect(dst, {r.left, r.top, r.right, r.top + 1}, color);
  FillRect(dst, {r.left, r.bottom - 1, r.right, r.bottom}, color);
  FillRect(dst, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, color);
  FillRect(dst, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, color);
}

void DrawFocusRect(Bitmap& dst, const Rect& r) {
  if (r.empty()) return;
  // Each edge pixel is inverted at most once, also where edges meet or coincide, so that a second
  // call undoes the first.
  InvertDotsInRow(dst, r.top, r.left, r.right, r.left, r.top);
  if (r.bottom - 1 > r.top) InvertDotsInRow(dst, r.bottom - 1, r.left, r.right, r.left, r.top);
  InvertDotsInColumn(dst, r.left, r.top + 1, r.bottom - 1, r.left, r.top);
  if (r.right - 1 > r.left) InvertDotsInColumn(dst, r.right - 1, r.top + 1, r.bottom - 1, r.left, r.top);
}

void Draw3dFrame(Bitmap& dst, const Rect& r, ColorRef topLeft, ColorRef bottomRight) {
  if (r.empty()) return;
  FillRect(dst, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  FillRect(dst, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  FillRect(dst, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  FillRect(dst, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

void DrawRaisedFrame(Bitmap& dst, const Rect& r) {
  Draw3dFrame(dst, r, SystemColors::kHighlight, SystemColors::kShadow);
}

void DrawSunkenFrame(Bitmap& dst, const Rect& r) {
  Draw3dFrame(dst, r, SystemColors::kShadow, SystemColors::kHighlight);
}

}  // namespace vexa::gfx
