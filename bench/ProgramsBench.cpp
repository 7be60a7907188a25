#include <benchmark/benchmark.h>

#include <string>

#include "gpstime/GpsTimeSettings.h"
#include "lnkchk/LinkCheck.h"

namespace vexa {
namespace {

// The GPS time program's settings file as it reads it at start: a few keys, one duplicate.
void BM_GpsTimeSettingsParse(benchmark::State& state) {
  const std::string file =
      "[Main]\r\nGpsPort=COM4:\r\nGpsSpeed=19600\r\nSuccessToExit=Y\r\ngpsport=COM1:\r\nGpsPort=COM3:\r\n";
  for (auto _ : state) {
    gpstime::SettingsTable table;
    table.Parse(file);
    benchmark::DoNotOptimize(gpstime::GpsTimeSettings::PortOf(table));
  }
}
BENCHMARK(BM_GpsTimeSettingsParse);

// One shortcut of the checker's pass, taken apart and converted (without the file system).
void BM_ShortcutConvert(benchmark::State& state) {
  const std::u16string text = u"41#\"\\SD Card\\Players\\flash.exe\" \"\\SD Card\\Games\\Chess.swf\"\r\n";
  for (auto _ : state) {
    const auto target = lnkchk::FindTarget(text, [](std::u16string_view) { return false; });
    benchmark::DoNotOptimize(lnkchk::ConvertShortcut(text, target, u"\\Storage Card"));
  }
}
BENCHMARK(BM_ShortcutConvert);

}  // namespace
}  // namespace vexa
