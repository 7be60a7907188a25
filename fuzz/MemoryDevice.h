#pragma once

// A device for the fuzzers: its files in memory (no disk, no flushing), processes only recorded,
// message boxes answered by their default button, and the language of the caller's choice.
#include <cstdint>
#include <string>

#include "platform/DeviceLocale.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/headless/MemoryFileSystem.h"
#include "platform/headless/RecordingProcesses.h"
#include "platform/headless/ScriptedMessageBoxes.h"

namespace vexa::fuzzing {

struct MemoryDevice {
  explicit MemoryDevice(std::uint16_t langId, std::u16string modulePath = u"\\Storage Card\\VexaDeck\\VexaDeck.exe")
      : locale(langId), platform{files, processes, boxes, locale, shell, std::move(modulePath)} {}

  platform::MemoryFileSystem files;
  platform::RecordingProcesses processes{files};
  platform::ScriptedMessageBoxes boxes;
  platform::DeviceLocale locale;
  platform::Shell shell{files, locale};
  platform::Platform platform;
};

// Both languages a device can speak: their code pages read the same bytes differently.
inline constexpr std::uint16_t kLanguages[] = {platform::kLangKorean, platform::kLangEnglishUs};

}  // namespace vexa::fuzzing
