// The counting operator new below hands out malloc memory; GCC cannot see that the matching delete
// frees it the same way.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "deck/gps/GpsReceiver.h"
#include "platform/headless/ScriptedMessageBoxes.h"

// Counts the allocations of this thread, so that the GPS pipeline can show that it makes none.
namespace {
thread_local std::size_t allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace vexa {
namespace {

// Every recording of a real receiver in tests/data/nmea, one after the other.
const std::string& Recordings() {
  static const std::string bytes = [] {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(VEXA_SOURCE_DIR) / "tests/data/nmea")) {
      if (entry.path().extension() == ".log") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::ostringstream all;
    for (const auto& file : files) all << std::ifstream(file, std::ios::binary).rdbuf();
    return all.str();
  }();
  return bytes;
}

class SilentClock : public platform::Clock {
 public:
  std::uint64_t TickCount() override { return 0; }
  platform::DateTime LocalTime() override { return {}; }
  platform::DateTime SystemTime() override { return {}; }
  void Sleep(int) override {}
};

// The receive pipeline as the reader runs it, without the port: reads of up to 2048 bytes pushed into
// the ring, then the lines cut, checked and parsed into the fix. A pass that meets a bad line ends
// there, as the reader's does; the next pass carries on, so every line is read.
void BM_GpsPipeline(benchmark::State& state) {
  const std::string& bytes = Recordings();
  SilentClock clock;
  platform::ScriptedMessageBoxes boxes;
  gps::GpsReceiver receiver(gps::GpsServices{.clock = clock, .messageBoxes = boxes});
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::size_t rmcPasses = 0;
  const std::size_t allocationsBefore = allocations;
  for (auto _ : state) {
    for (std::size_t at = 0; at < bytes.size(); at += gps::GpsReceiver::kReadChunk) {
      receiver.Push(std::span(data + at, std::min(gps::GpsReceiver::kReadChunk, bytes.size() - at)));
      while (receiver.HasCompleteLine()) rmcPasses += receiver.ProcessLines() ? 1 : 0;
    }
  }
  const std::size_t made = allocations - allocationsBefore;
  benchmark::DoNotOptimize(receiver.Fix());
  if (made != 0) state.SkipWithError("the pipeline allocated memory");
  state.counters["allocations"] = static_cast<double>(made);
  state.counters["rmc_passes"] =
      benchmark::Counter(static_cast<double>(rmcPasses), benchmark::Counter::kAvgIterations);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_GpsPipeline)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vexa
