// Redraw timings of the launcher window on the demo device: the whole window as an expose paints
// it (background and every visible slot), and one slot repainted alone (a press, a display update).
//
// Runs the real launcher headless (Qt offscreen) on the device tree the build lays out:
//   ./build/bench/vexa_paint_bench [--screen 800x480] [benchmark options]

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "deck/DeckWindow.h"
#include "platform/qt/QtOwnerDrawControl.h"
#include "platform/qt/QtWindow.h"
#include "platform/runtime/ProgramRuntime.h"

// Qt last: its keyword macros must not meet the launcher's headers.
#include <QCoreApplication>
#include <QImage>
#include <QTimer>
#include <QWidget>

namespace {

vexa::platform::QtWindow* deckWindow = nullptr;

vexa::platform::QtWindow* FindDeck(vexa::platform::ui::UserInterface& ui) {
  for (auto* window : ui.TopLevelWindows()) {
    auto* qt = dynamic_cast<vexa::platform::QtWindow*>(window);
    if (qt != nullptr && qt->outer()->windowTitle() == QStringLiteral("Vexa Deck Ver 3.x")) return qt;
  }
  return nullptr;
}

// The whole client area painted, as an expose of the window does.
void BM_FullRedraw(benchmark::State& state) {
  QWidget* client = deckWindow->client();
  QImage target(client->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    client->render(&target);
  }
  state.SetLabel(std::to_string(client->width()) + "x" + std::to_string(client->height()));
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

// One visible slot painted again by itself: its own drawing and nothing of the window behind it.
void BM_OneSlotRepaint(benchmark::State& state) {
  QWidget* slot = nullptr;
  for (QWidget* child : deckWindow->client()->findChildren<QWidget*>()) {
    if (dynamic_cast<vexa::platform::QtOwnerDrawControl*>(child) != nullptr && child->isVisible() &&
        child->width() > 0) {
      slot = child;
      break;
    }
  }
  if (slot == nullptr) {
    state.SkipWithError("no visible slot");
    return;
  }
  state.SetLabel(std::to_string(slot->width()) + "x" + std::to_string(slot->height()));
  QImage target(slot->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    slot->render(&target);
  }
}
BENCHMARK(BM_OneSlotRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  std::string screen = "800x480";
  std::vector<char*> benchArgs = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--screen" && i + 1 < argc) {
      screen = argv[++i];
    } else {
      benchArgs.push_back(argv[i]);
    }
  }
  int benchArgc = static_cast<int>(benchArgs.size());
  benchmark::Initialize(&benchArgc, benchArgs.data());

  // A copy of the demo device, so the run changes nothing in the build's own.
  const auto device = std::filesystem::temp_directory_path() / ("vexa-paint-bench-" + std::to_string(::getpid()));
  std::filesystem::copy(VEXA_DEVICE_DIR, device, std::filesystem::copy_options::recursive);
  const auto scenario = device / "scenario.txt";
  std::ofstream(scenario) << "quit\n";

  std::vector<std::string> args = {"VexaDeck", "--headless", "--device-root", device.string(), "--module-path",
                                   "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", screen, "--lang", "en",
                                   "--scenario", scenario.string(), "--log", (device / "log.jsonl").string()};
  std::vector<char*> runArgs;
  for (auto& arg : args) runArgs.push_back(arg.data());
  vexa::platform::ProgramInfo info;
  info.name = u"VexaDeck";
  const int code = vexa::platform::RunProgram(
      static_cast<int>(runArgs.size()), runArgs.data(), info,
      [](vexa::platform::Platform& platform, vexa::platform::ui::UserInterface& ui) {
        vexa::Environment env(platform);
        vexa::deck::DeckWindow window(env, ui);
        // Measured once the window stands with its skin, before the scenario ends the run.
        QTimer::singleShot(0, [&ui] {
          deckWindow = FindDeck(ui);
          if (deckWindow != nullptr) {
            benchmark::RunSpecifiedBenchmarks();
          }
        });
        window.Run();
        return deckWindow != nullptr ? 0 : 1;
      });
  benchmark::Shutdown();
  std::filesystem::remove_all(device);
  return code;
}
