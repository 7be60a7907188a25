#include <benchmark/benchmark.h>

#include <algorithm>

#include "common/gfx/Bitmap.h"

namespace vexa::gfx {
namespace {

// A picture with no two neighbouring pixels alike, standing for a skin background or a button picture.
Bitmap Noise(int width, int height, Pixel seed) {
  Bitmap b(width, height);
  Pixel v = seed;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      v = v * 1664525u + 1013904223u;
      b.Set(x, y, 0xFF000000u | (v >> 8));
    }
  }
  return b;
}

// A button picture whose top-left colour (magenta) surrounds a round shape: the usual keyed picture.
Bitmap KeyedPicture(int width, int height) {
  Bitmap b = Noise(width, height, 7);
  const int cx = width / 2, cy = height / 2, r2 = (width / 2) * (height / 2);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) > r2 - width) b.Set(x, y, 0xFFFF00FFu);
    }
  }
  return b;
}

// One redraw of a 100 × 40 launcher slot: the background under it, a 32 × 32 picture keyed by its
// top-left colour, the pressed frame and the focus frame, all into the slot's own canvas.
void BM_ComposeSlot(benchmark::State& state) {
  const Bitmap background = Noise(800, 480, 1);
  const Bitmap picture = KeyedPicture(32, 32);
  Bitmap canvas(100, 40);
  const Rect slot = Rect::FromSize(340, 220, 100, 40);
  for (auto _ : state) {
    Copy(canvas, {0, 0}, background, slot);
    KeyedCopy(canvas, Rect::FromSize(4, 5, 32, 32), picture, picture.bounds(), kAutoTransparent);
    DrawSunkenFrame(canvas, canvas.bounds());
    DrawFocusRect(canvas, canvas.bounds().Inflate(-3, -3));
    benchmark::DoNotOptimize(canvas.pixels().data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComposeSlot);

// A skin background of another size stretched over an 800 × 480 screen.
void BM_StretchBackground(benchmark::State& state) {
  const Bitmap source = Noise(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 2);
  Bitmap screen(800, 480);
  for (auto _ : state) {
    StretchCopy(screen, screen.bounds(), source, source.bounds());
    benchmark::DoNotOptimize(screen.pixels().data());
  }
  state.SetBytesProcessed(state.iterations() * 800 * 480 * static_cast<std::int64_t>(sizeof(Pixel)));
}
BENCHMARK(BM_StretchBackground)->Args({640, 360})->Args({1024, 600})->Args({800, 480});

// Keyed stretches: a gauge frame over a slot, and a large keyed picture over the screen.
void BM_KeyedStretch(benchmark::State& state) {
  const Bitmap source = KeyedPicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Bitmap target(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
  for (auto _ : state) {
    KeyedCopy(target, target.bounds(), source, source.bounds(), kAutoTransparent);
    benchmark::DoNotOptimize(target.pixels().data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(2) * state.range(3));
}
BENCHMARK(BM_KeyedStretch)->Args({64, 64, 100, 40})->Args({320, 240, 800, 480});

// A see-through button picture: a round shape whose edge fades out over a few pixels, clear outside.
Bitmap TranslucentPicture(int width, int height) {
  Bitmap b = Noise(width, height, 9);
  const int cx = width / 2, cy = height / 2, r = std::min(width, height) / 2;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      const int inside = r * r - d2;  // > 0 inside the circle
      const Pixel alpha = inside <= 0 ? 0 : inside >= 8 * r ? 255 : static_cast<Pixel>(inside * 255 / (8 * r));
      b.Set(x, y, (b.At(x, y) & 0x00FFFFFFu) | (alpha << 24));
    }
  }
  b.SetTranslucent(true);
  return b;
}

// See-through pictures blended over their backdrop: a button picture at its size, a gauge frame over
// a slot, and a large picture over the screen.
void BM_BlendStretch(benchmark::State& state) {
  const Bitmap source = TranslucentPicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Bitmap target(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
  for (auto _ : state) {
    BlendStretch(target, target.bounds(), source, source.bounds());
    benchmark::DoNotOptimize(target.pixels().data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(2) * state.range(3));
}
BENCHMARK(BM_BlendStretch)->Args({76, 76, 76, 76})->Args({176, 176, 100, 100})->Args({320, 240, 800, 480});

}  // namespace
}  // namespace vexa::gfx
