#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/ProfileStore.h"
#include "common/text/CodePage.h"
#include "platform/DeviceLocale.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/headless/RecordingProcesses.h"
#include "platform/headless/ScriptedMessageBoxes.h"
#include "platform/posix/PosixFileSystem.h"

namespace vexa {
namespace {

// A Korean device on a fresh host folder, removed at the end.
class BenchDevice {
 public:
  BenchDevice()
      : root_(MakeRoot()),
        files_(root_.string()),
        processes_(files_),
        locale_(platform::kLangKorean),
        shell_(files_, locale_),
        platform_{files_,  processes_, messageBoxes_,
                  locale_, shell_,     u"\\Storage Card\\VexaDeck\\VexaDeck.exe"} {}
  ~BenchDevice() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  BenchDevice(const BenchDevice&) = delete;
  BenchDevice& operator=(const BenchDevice&) = delete;

  platform::Platform& platform() { return platform_; }
  void WriteHostFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
  }

 private:
  static std::filesystem::path MakeRoot() {
    auto root =
        std::filesystem::temp_directory_path() / ("vexa-bench-" + std::to_string(std::random_device{}()));
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

// A skin file of the usual size: a [Main] section and five buttons, 60 entries, Korean captions.
//   [Button1]
//   Caption = 내비게이션 1
std::string TypicalSkinFile() {
  std::u16string text = u"[Main]\r\n";
  const char16_t* mainKeys[] = {u"SkinFolder",   u"BackImage",   u"DefaultFontName", u"ScreenWidth",
                                u"ScreenHeight", u"ButtonCount", u"ClockFormat",     u"Language",
                                u"Volume",       u"Version"};
  for (const char16_t* key : mainKeys) text += std::u16string(key) + u" = %STORAGE%\\VexaDeck\\Skin\\값\r\n";
  for (int button = 1; button <= 5; ++button) {
    const auto n = text::Decode(std::to_string(button), text::kCodePageWestern);
    text += u"\r\n[Button" + n + u"]\r\n";
    text += u"Caption = 내비게이션 " + n + u"\r\n";
    text += u"Action = RUN:\\Storage Card\\Navi\\navi.exe\r\n";
    text += u"Left = 1" + n + u"0\r\nTop = 20\r\nWidth = 100\r\nHeight = 40\r\n";
    text += u"UpImageFile = %SKIN%\\button" + n + u"_up.bmp\r\n";
    text += u"DownImageFile = %SKIN%\\button" + n + u"_down.bmp\r\n";
    text += u"TransColor = 16711935\r\nTextAlign = 0\r\n";
  }
  return text::Encode(text, text::kCodePageKorean);
}

void BM_ProfileStoreReadTypicalSkin(benchmark::State& state) {
  BenchDevice device;
  device.WriteHostFile("Skin.ini", TypicalSkinFile());
  ProfileStore store(device.platform());
  for (auto _ : state) {
    if (!store.Read(platform::kNoWindow, u"\\Skin.ini") || store.EntryCount() != 60) {
      state.SkipWithError("the skin file did not read as 60 entries");
      break;
    }
    benchmark::DoNotOptimize(store.GetString(u"button3", u"caption", u""));
  }
}
BENCHMARK(BM_ProfileStoreReadTypicalSkin);

// 10 KB of Korean text with ASCII between the words, as skin and toolbar files hold.
void BM_DecodeCp949(benchmark::State& state) {
  std::string bytes;
  const std::string line =
      text::Encode(u"Caption = 한국어 표시 텍스트 내비게이션 12:34\r\n", text::kCodePageKorean);
  while (bytes.size() < 10 * 1024) bytes += line;
  for (auto _ : state) benchmark::DoNotOptimize(text::Decode(bytes, text::kCodePageKorean));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeCp949);

}  // namespace
}  // namespace vexa
