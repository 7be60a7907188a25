// ProfileStore::Read and Save on large settings files, beside the parse of the same file by a plain C
// parser (inih) that only counts the entries it is handed. Each file has its keys spread over sections
// in one of several shapes, so a cost that grows with sections times keys shows as a ratio:
//   ./build/bench/vexa_bench --benchmark_filter='Store|Inih'
#include <benchmark/benchmark.h>
#include <ini.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "common/ProfileStore.h"
#include "platform/DeviceLocale.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/headless/RecordingProcesses.h"
#include "platform/headless/ScriptedMessageBoxes.h"
#include "platform/posix/PosixFileSystem.h"

namespace vexa {
namespace {

// An English device on a fresh host folder, removed at the end.
class StoreBenchDevice {
 public:
  StoreBenchDevice()
      : root_(MakeRoot()),
        files_(root_.string()),
        processes_(files_),
        locale_(platform::kLangEnglishUs),
        shell_(files_, locale_),
        platform_{files_,  processes_, messageBoxes_,
                  locale_, shell_,     u"\\Storage Card\\VexaDeck\\VexaDeck.exe"} {}
  ~StoreBenchDevice() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  StoreBenchDevice(const StoreBenchDevice&) = delete;
  StoreBenchDevice& operator=(const StoreBenchDevice&) = delete;

  platform::Platform& platform() { return platform_; }
  std::string HostPath(const std::string& name) const { return (root_ / name).string(); }
  void WriteHostFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
  }

 private:
  static std::filesystem::path MakeRoot() {
    auto root = std::filesystem::temp_directory_path() /
                ("vexa-store-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(root);
    return root;
  }

  std::filesystem::path root_;
  platform::PosixFileSystem files_;
  platform::RecordingProcesses processes_;
  platform::ScriptedMessageBoxes messageBoxes_;
  platform::DeviceLocale locale_;
  platform::Shell shell_;
  platform::Platform platform_;
};

// `sections` sections of `keys` keys each, in the form the store writes:
//   [Section12]
//   Key34=%STORAGE%\VexaDeck\Skin\value 34
std::string SettingsFile(int sections, int keys) {
  std::string text;
  for (int s = 0; s < sections; ++s) {
    if (s > 0) text += "\r\n";
    text += "[Section" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < keys; ++k) {
      text += "Key" + std::to_string(k) + "=%STORAGE%\\VexaDeck\\Skin\\value " + std::to_string(k) + "\r\n";
    }
  }
  return text;
}

// Arguments: sections, keys per section.
void Shapes(benchmark::internal::Benchmark* b) {
  b->Args({100, 100})->Args({1, 10000})->Args({10000, 1});
  b->Args({1000, 100})->Args({1, 100000})->Args({100000, 1});
  b->Unit(benchmark::kMillisecond);
}

void SetLabel(benchmark::State& state) {
  state.SetLabel(std::to_string(state.range(0) * state.range(1)) + " keys");
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

// Writes over a buffer larger than the processor's caches, so that what the next read touches (the
// file's pages, the store's pool, lists and indexes) comes from memory, as when the launcher reads
// its settings once at start or after a while. Run between timed reads, outside the timing.
void EvictCaches() {
  static std::vector<char> sweep(64 << 20);
  static char round = 0;
  ++round;
  for (std::size_t i = 0; i < sweep.size(); i += 64) sweep[i] = round;
  benchmark::DoNotOptimize(sweep.data());
  benchmark::ClobberMemory();
}

// Times `read` (true when it read every key) on the shape's file. Warm, reads follow each other and a
// small file stays in the caches between them; cold, the caches are emptied before each read, so a
// small file pays for its memory as a large one does and the growth from 10 000 to 100 000 keys shows
// the work done rather than the step from a file that fits the caches to one that does not.
template <class Read>
void TimeReads(benchmark::State& state, bool cold, Read&& read) {
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      EvictCaches();
      state.ResumeTiming();
    }
    if (!read()) {
      state.SkipWithError("the file did not read whole");
      break;
    }
  }
  SetLabel(state);
}

void ProfileStoreRead(benchmark::State& state, bool cold) {
  StoreBenchDevice device;
  const auto keys = static_cast<std::size_t>(state.range(0) * state.range(1));
  device.WriteHostFile("big.ini",
                       SettingsFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
  ProfileStore store(device.platform());
  // Every timed read is a read again, as the launcher reads its settings after each change: the room
  // the first read makes is paid once, not spread over however few runs a large file gets.
  if (!store.Read(platform::kNoWindow, u"\\big.ini")) state.SkipWithError("the file did not read");
  TimeReads(state, cold,
            [&] { return store.Read(platform::kNoWindow, u"\\big.ini") && store.EntryCount() == keys; });
}
void BM_ProfileStoreRead(benchmark::State& state) {
  ProfileStoreRead(state, false);
}
void BM_ProfileStoreReadCold(benchmark::State& state) {
  ProfileStoreRead(state, true);
}
BENCHMARK(BM_ProfileStoreRead)->Apply(Shapes);
BENCHMARK(BM_ProfileStoreReadCold)->Apply(Shapes);

int CountEntry(void* user, const char*, const char*, const char*) {
  ++*static_cast<std::size_t*>(user);
  return 1;
}

void InihParse(benchmark::State& state, bool cold) {
  StoreBenchDevice device;
  const auto keys = static_cast<std::size_t>(state.range(0) * state.range(1));
  device.WriteHostFile("big.ini",
                       SettingsFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
  const std::string path = device.HostPath("big.ini");
  TimeReads(state, cold, [&] {
    std::size_t count = 0;
    const bool parsed = ini_parse(path.c_str(), CountEntry, &count) == 0 && count == keys;
    benchmark::DoNotOptimize(count);
    return parsed;
  });
}
void BM_InihParse(benchmark::State& state) {
  InihParse(state, false);
}
void BM_InihParseCold(benchmark::State& state) {
  InihParse(state, true);
}
BENCHMARK(BM_InihParse)->Apply(Shapes);
BENCHMARK(BM_InihParseCold)->Apply(Shapes);

void BM_ProfileStoreSave(benchmark::State& state) {
  StoreBenchDevice device;
  const auto sections = static_cast<int>(state.range(0));
  const auto keys = static_cast<int>(state.range(1));
  device.WriteHostFile("big.ini", SettingsFile(sections, keys));
  ProfileStore store(device.platform());
  if (!store.Read(platform::kNoWindow, u"\\big.ini")) state.SkipWithError("the file did not read");
  for (auto _ : state) {
    if (!store.Save(platform::kNoWindow, u"\\out.ini")) {
      state.SkipWithError("the save failed");
      break;
    }
  }
  SetLabel(state);
}
BENCHMARK(BM_ProfileStoreSave)->Apply(Shapes);

}  // namespace
}  // namespace vexa
