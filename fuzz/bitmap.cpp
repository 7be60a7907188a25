// Drawing with hostile rectangles: sizes and corners anywhere in the int range, mirrored, empty, far
// outside either bitmap. Every operation is checked pixel by pixel against what its contract draws:
// the pixels it promises, and not one pixel outside them.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "common/gfx/Bitmap.h"

namespace {

using namespace vexa::gfx;
using i64 = std::int64_t;

// Takes the fuzzer's bytes as drawing arguments; zeros once they run out.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool more() const { return at_ < size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t Word() {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w = w << 8 | Byte();
    return w;
  }
  // Mostly near the bitmaps, sometimes at the ends of the range or where 64-bit products break.
  int Coordinate() {
    const std::uint8_t kind = Byte();
    const int small = static_cast<int>(Byte()) - 100;
    switch (kind % 8) {
      case 0: return INT_MAX - (small & 7);
      case 1: return INT_MIN + (small & 7);
      case 2: return (1 << 30) + small;
      case 3: return -(1 << 30) + small;
      case 4: return static_cast<int>(Word());
      default: return small;
    }
  }
  Rect AnyRect() { return {Coordinate(), Coordinate(), Coordinate(), Coordinate()}; }
  Bitmap AnyBitmap() {
    Bitmap b(Byte() % 40, Byte() % 40);
    for (int y = 0; y < b.height(); ++y) {
      for (int x = 0; x < b.width(); ++x) b.Set(x, y, 0xFF000000u | (Byte() % 4 * 0x3F3F3Fu) | (Byte() << 24));
    }
    return b;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void Require(bool ok) {
  if (!ok) std::abort();
}

// Source pixel of destination offset d along one axis of a stretch: the one the pixel centre falls in.
i64 StretchSource(i64 d, i64 toSize, i64 from0, i64 fromSize) {
  return from0 + (2 * d + 1) * fromSize / (2 * toSize);
}

bool Within(const Rect& r) {
  const i64 limit = i64{1} << 30;
  return std::max({std::abs(i64{r.left}), std::abs(i64{r.top}), std::abs(i64{r.right}), std::abs(i64{r.bottom})}) <=
         limit;
}

// What a plain copy of `from` to `to` leaves at (x, y), given the destination before.
Pixel CopiedAt(const Bitmap& before, const Bitmap& src, Point to, const Rect& from, int x, int y, bool blend) {
  const i64 sx = i64{from.left} + (x - i64{to.x});
  const i64 sy = i64{from.top} + (y - i64{to.y});
  const bool inside = sx >= from.left && sx < from.right && sy >= from.top && sy < from.bottom && sx >= 0 &&
                      sy >= 0 && sx < src.width() && sy < src.height();
  if (!inside) return before.At(x, y);
  const Pixel s = src.At(static_cast<int>(sx), static_cast<int>(sy));
  if (!blend) return s;
  const Pixel a = s >> 24;
  if (a == 0xFF) return s;
  if (a == 0) return before.At(x, y) | 0xFF000000u;
  return 0;  // a blend of both: checked only for being opaque
}

Pixel StretchedAt(const Bitmap& before, const Bitmap& src, const Rect& to, const Rect& from, int x, int y,
                  std::optional<Pixel> key) {
  // A stretch to the same size is a plain copy, at any coordinates.
  if (!key && !to.empty() && !from.empty() && i64{to.right} - to.left == i64{from.right} - from.left &&
      i64{to.bottom} - to.top == i64{from.bottom} - from.top) {
    return CopiedAt(before, src, {to.left, to.top}, from, x, y, false);
  }
  if (to.empty() || from.empty() || src.empty() || !Within(to) || !Within(from)) return before.At(x, y);
  if (x < to.left || x >= to.right || y < to.top || y >= to.bottom) return before.At(x, y);
  const i64 sx = StretchSource(x - i64{to.left}, i64{to.right} - to.left, from.left, i64{from.right} - from.left);
  const i64 sy = StretchSource(y - i64{to.top}, i64{to.bottom} - to.top, from.top, i64{from.bottom} - from.top);
  if (sx < 0 || sy < 0 || sx >= src.width() || sy >= src.height()) return before.At(x, y);
  const Pixel s = src.At(static_cast<int>(sx), static_cast<int>(sy));
  if (key && (s & 0xFFFFFFu) == *key) return before.At(x, y);
  return s;
}

bool InRect(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// A frame's pixels lie on the rectangle's one-pixel edge.
bool OnEdge(const Rect& r, int x, int y) {
  if (!InRect(r, x, y)) return false;
  return x == r.left || y == r.top || i64{x} == i64{r.right} - 1 || i64{y} == i64{r.bottom} - 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  Bitmap dst = in.AnyBitmap();
  const Bitmap src = in.AnyBitmap();
  for (int step = 0; step < 8 && in.more(); ++step) {
    const Bitmap before = dst;
    const std::uint8_t op = in.Byte() % 9;
    const Rect r = in.AnyRect();
    const Rect from = in.AnyRect();
    const ColorRef color = in.Word() & 0xFFFFFFu;
    const bool self = in.Byte() & 1;  // the source is the destination itself
    const Bitmap& source = self ? before : src;
    switch (op) {
      case 0: self ? Copy(dst, {r.left, r.top}, dst, from) : Copy(dst, {r.left, r.top}, src, from); break;
      case 1: self ? StretchCopy(dst, r, dst, from) : StretchCopy(dst, r, src, from); break;
      case 2: self ? KeyedCopy(dst, r, dst, from, color) : KeyedCopy(dst, r, src, from, color); break;
      case 3: self ? BlendCopy(dst, {r.left, r.top}, dst, from) : BlendCopy(dst, {r.left, r.top}, src, from); break;
      case 4: FillRect(dst, r, color); break;
      case 5: FrameRect(dst, r, color); break;
      case 6: DrawFocusRect(dst, r); break;
      case 7: DrawRaisedFrame(dst, r); break;
      default: Draw3dFrame(dst, r, color, color ^ 0xFFFFFFu); break;
    }
    Require(dst.width() == before.width() && dst.height() == before.height());
    for (int y = 0; y < dst.height(); ++y) {
      for (int x = 0; x < dst.width(); ++x) {
        const Pixel now = dst.At(x, y);
        const Pixel old = before.At(x, y);
        switch (op) {
          case 0: Require(now == CopiedAt(before, source, {r.left, r.top}, from, x, y, false)); break;
          case 1: Require(now == StretchedAt(before, source, r, from, x, y, std::nullopt)); break;
          case 2: {
            const Pixel key = (color == kAutoTransparent ? source.At(0, 0) : ToPixel(color)) & 0xFFFFFFu;
            Require(now == StretchedAt(before, source, r, from, x, y, key));
            break;
          }
          case 3: {
            const Pixel expected = CopiedAt(before, source, {r.left, r.top}, from, x, y, true);
            Require(expected == 0 ? (now >> 24) == 0xFF : now == expected);
            break;
          }
          case 4: Require(now == (InRect(r, x, y) ? ToPixel(color) : old)); break;
          default: Require(now == old || OnEdge(r, x, y)); break;
        }
      }
    }
    if (op == 6) {
      DrawFocusRect(dst, r);
      Require(dst.pixels() == before.pixels());
    }
  }
  return 0;
}
