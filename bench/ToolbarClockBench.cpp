#include <benchmark/benchmark.h>

#include "toolbar/windows/CalendarWindow.h"
#include "toolbar/windows/ToolbarWindows.h"

namespace vexa::toolbar {
namespace {

// The toolbar's clock label, made every second while the time shows on the Clock button.
void BM_ClockLabelText(benchmark::State& state) {
  int second = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ClockLabelText(13, 5, second, 32));
    second = (second + 1) % 60;
  }
}
BENCHMARK(BM_ClockLabelText);

// The calendar's two lines, made every second while it is open.
void BM_CalendarLines(benchmark::State& state) {
  platform::DateTime time{2026, 12, 3, 9, 13, 5, 0, 0};
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalendarDateLine(time, nullptr));
    benchmark::DoNotOptimize(CalendarTimeLine(time));
    time.second = (time.second + 1) % 60;
  }
}
BENCHMARK(BM_CalendarLines);

}  // namespace
}  // namespace vexa::toolbar
