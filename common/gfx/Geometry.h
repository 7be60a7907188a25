#pragma once

#include <cstdint>
#include <limits>

namespace vexa::gfx {

// Geometry from skins and settings can hold any int; sums and differences saturate at the int range
// instead of overflowing, so no hostile value reaches undefined behaviour.
constexpr int SaturateInt(std::int64_t value) {
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}
constexpr int AddSaturated(int a, int b) { return SaturateInt(std::int64_t{a} + b); }
constexpr int SubtractSaturated(int a, int b) { return SaturateInt(std::int64_t{a} - b); }

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// A rectangle as the device gives it: left and top inside, right and bottom just outside.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static constexpr Rect FromSize(int x, int y, int width, int height) {
    return {x, y, AddSaturated(x, width), AddSaturated(y, height)};
  }
  constexpr int width() const { return SubtractSaturated(right, left); }
  constexpr int height() const { return SubtractSaturated(bottom, top); }
  constexpr bool empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  constexpr Rect Offset(int dx, int dy) const {
    return {AddSaturated(left, dx), AddSaturated(top, dy), AddSaturated(right, dx), AddSaturated(bottom, dy)};
  }
  constexpr Rect Inflate(int dx, int dy) const {
    return {SubtractSaturated(left, dx), SubtractSaturated(top, dy), AddSaturated(right, dx), AddSaturated(bottom, dy)};
  }
  bool operator==(const Rect&) const = default;
};

}  // namespace vexa::gfx
