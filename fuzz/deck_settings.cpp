// Any bytes as the launcher's settings file, on a Korean and an English device: every setting reads
// a value in its range, the defaults fill in, and the file the launcher saves is a fixed point: read
// back and saved again, it gives the same bytes and the same settings (where the text form can hold
// it: see SavedTextReadsBack).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "common/text/Text.h"
#include "deck/DeckSettings.h"
#include "fuzz/MemoryDevice.h"

namespace {

using vexa::deck::DeckSettings;
using vexa::deck::FolderKey;
using vexa::deck::ProgramKey;

constexpr std::u16string_view kFile = u"\\Storage Card\\VexaDeck\\VexaDeck.ini";

// Every setting as one text, to compare two readings of a file.
std::u16string Summary(DeckSettings& s) {
  std::u16string out;
  auto add = [&](std::u16string_view v) {
    out += v;
    out += u'|';
  };
  auto number = [&](std::int64_t v) { add(vexa::text::FromInt(v)); };
  number(static_cast<int>(s.AutoRun()));
  number(s.AutoRunDelay());
  number(s.AutoWindow());
  number(s.AutoToolbar());
  number(static_cast<int>(s.StartShowTaskBar()));
  number(static_cast<int>(s.ExitShowTaskBar()));
  number(static_cast<int>(s.ScreenSizeModeSetting()));
  if (const auto size = s.CustomScreenSize()) {
    number(size->x);
    number(size->y);
  }
  for (auto key : {ProgramKey::kNavigation, ProgramKey::kToolbar, ProgramKey::kMoviePlayer, ProgramKey::kMp3Player,
                   ProgramKey::kFlashPlayer, ProgramKey::kDmbPlayer}) {
    add(s.Program(key));
  }
  for (auto key : {FolderKey::kApplication, FolderKey::kGame, FolderKey::kSystem, FolderKey::kFlash,
                   FolderKey::kMovie, FolderKey::kMp3, FolderKey::kImage}) {
    add(s.Folder(key));
  }
  add(s.SkinFolder());
  add(s.SkinName());
  number(s.BackgroundAutoChange());
  number(s.BackgroundChangeSeconds());
  add(s.LogoFile());
  number(s.SlideShowRefreshSeconds());
  number(s.LogoDisplaySeconds());
  add(s.IntroMusic());
  add(s.GpsPort());
  number(s.GpsSpeed());
  number(s.Emulation());
  number(s.SirfToNmea());
  number(s.AutoGpsTime());
  number(s.AutoSpeedGauge());
  return out;
}

void CheckRanges(DeckSettings& s) {
  const auto port = s.GpsPort();
  if (port.size() != 5 || !port.starts_with(u"COM") || port[3] < u'1' || port[3] > u'8' || port[4] != u':') {
    std::abort();
  }
  const int speed = s.GpsSpeed();
  if (speed != 4800 && speed != 9600 && speed != 14400 && speed != 19600) std::abort();
}

std::string Saved(DeckSettings& s, vexa::fuzzing::MemoryDevice& device) {
  if (!s.Save(vexa::platform::kNoWindow)) std::abort();
  return device.files.ReadFile(kFile).value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const std::uint16_t lang : vexa::fuzzing::kLanguages) {
    vexa::fuzzing::MemoryDevice device(lang);
    device.files.AddFile(kFile, std::string_view(reinterpret_cast<const char*>(data), size));
    std::string first;
    std::size_t sections = 0;
    {
      vexa::Environment environment(device.platform);
      DeckSettings settings(environment);
      if (!settings.Read(vexa::platform::kNoWindow)) std::abort();
      CheckRanges(settings);
      Summary(settings);
      settings.FillDefaults();
      // What the settings sheet writes back: each value as it was read.
      if (const auto custom = settings.CustomScreenSize()) {
        settings.SetScreenSize(settings.ScreenSizeModeSetting(), *custom);
      }
      settings.SetAutoRunDelay(settings.AutoRunDelay());
      settings.SetGpsPort(settings.GpsPort());
      settings.SetGpsSpeed(settings.GpsSpeed());
      settings.SetStartShowTaskBar(settings.StartShowTaskBar());
      settings.SetBackgroundChangeSeconds(settings.BackgroundChangeSeconds());
      first = Saved(settings, device);
      std::vector<std::u16string> names;
      settings.store().GetSectionNames(names);
      sections = names.size();
    }
    vexa::Environment environment(device.platform);
    DeckSettings again(environment);
    if (!again.Read(vexa::platform::kNoWindow)) std::abort();
    const auto summary = Summary(again);
    if (!vexa::fuzzing::SavedTextReadsBack(first, sections)) continue;
    if (Saved(again, device) != first) std::abort();
    vexa::Environment third(device.platform);
    DeckSettings last(third);
    if (!last.Read(vexa::platform::kNoWindow) || Summary(last) != summary) std::abort();
  }
  return 0;
}
