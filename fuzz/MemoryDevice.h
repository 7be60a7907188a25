#pragma once

// A device for the fuzzers: its files in memory (no disk, no flushing), processes only recorded,
// message boxes answered by their default button, and the language of the caller's choice.
#include <cstdint>
#include <string>
#include <string_view>

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

// True when a saved .ini text can be read back to what was saved, so that saving it again must give
// the same bytes. Left out: text already lost when it was read (U+FFFD, written as '?', so two section
// names may become one). A key starting with '[' is written after a blank and stays a key, so every
// header of the saved text is one of the store's sections.
inline bool SavedTextReadsBack(std::string_view saved, std::size_t sectionCount) {
  if (saved.find('?') != std::string_view::npos) return false;
  std::size_t headers = 0;
  for (std::size_t at = 0; at < saved.size();) {
    if (saved[at] == '[') ++headers;
    const std::size_t end = saved.find("\r\n", at);
    if (end == std::string_view::npos) break;
    at = end + 2;
  }
  return headers == sectionCount;
}

}  // namespace vexa::fuzzing
