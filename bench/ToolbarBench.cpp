// The toolbar's layout from its settings (run at start and on every settings change) and the drawing
// of one of its icon buttons (run for every button on every redraw):
//   ./build/bench/vexa_bench --benchmark_filter=Toolbar
#include <benchmark/benchmark.h>

#include <string>

#include "common/ToolbarProfileStore.h"
#include "common/gfx/Bitmap.h"
#include "platform/DeviceLocale.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/headless/MemoryFileSystem.h"
#include "platform/headless/RecordingProcesses.h"
#include "platform/headless/ScriptedMessageBoxes.h"
#include "toolbar/IconButton.h"
#include "toolbar/ToolbarButtons.h"

namespace vexa {
namespace {

struct ToolbarBenchDevice {
  platform::MemoryFileSystem files;
  platform::RecordingProcesses processes{files};
  platform::ScriptedMessageBoxes messageBoxes;
  platform::DeviceLocale locale{platform::kLangKorean};
  platform::Shell shell{files, locale};
  platform::Platform platform{files,  processes, messageBoxes,
                              locale, shell,     u"\\Storage Card\\VexaDeck\\VexaToolbar.exe"};
};

// Every button shown, as the demo device's settings have it.
void ShowEverything(ToolbarProfileStore& store) {
  for (const char16_t* key : {u"Task", u"Clock", u"ClockShow", u"Kill", u"Minimize", u"Close"}) {
    store.SetString(u"Toolbar", key, u"Y");
  }
  for (int i = 1; i <= 5; ++i) {
    const std::u16string section = u"Hotkey" + std::u16string(1, static_cast<char16_t>(u'0' + i));
    store.SetString(section, u"ShowToolbar", u"Y");
    store.SetString(section, u"ShortName", u"Navi");
    store.SetString(section, u"Title", u"navi.exe");
    store.SetString(section, u"ExeFilePath", u"\\Storage Card\\Navi\\navi.exe");
  }
  for (int i = 1; i <= 3; ++i) {
    store.SetString(u"Program" + std::u16string(1, static_cast<char16_t>(u'0' + i)), u"ShowToolbar", u"Y");
  }
  store.SetString(u"Main", u"ButtonHeight", u"50");
}

void BM_ToolbarLayout(benchmark::State& state) {
  ToolbarBenchDevice device;
  ToolbarProfileStore store(device.platform);
  ShowEverything(store);
  for (auto _ : state) {
    auto layout = toolbar::LayOutButtons(store);
    benchmark::DoNotOptimize(layout);
  }
}
BENCHMARK(BM_ToolbarLayout);

void BM_ToolbarIconButton(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  gfx::Bitmap icon(side, side, 0xFF2060C0u);
  for (int i = 0; i < side; ++i) icon.Set(i, i, 0xFFFF00FFu);
  gfx::Bitmap canvas(side + 2, side + 18);
  const platform::ui::DrawItemState resting;
  for (auto _ : state) {
    toolbar::DrawIconButton(canvas, resting, side, &icon, false, u"", toolbar::LabelFont(side), nullptr);
    benchmark::DoNotOptimize(canvas.pixels().data());
  }
}
BENCHMARK(BM_ToolbarIconButton)->Arg(16)->Arg(32)->Arg(48);

}  // namespace
}  // namespace vexa
