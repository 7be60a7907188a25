// Any bytes as an .ini file: reading never fails other than by returning false, and what is saved
// reads back to the same entries.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/ProfileStore.h"
#include "platform/DeviceLocale.h"
#include "platform/headless/RecordingProcesses.h"
#include "platform/headless/ScriptedMessageBoxes.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

std::filesystem::path MakeRoot() {
  auto root = std::filesystem::temp_directory_path() / ("vexa-fuzz-ini-" + std::to_string(getpid()));
  std::filesystem::create_directories(root);
  return root;
}

struct Device {
  std::filesystem::path root = MakeRoot();
  vexa::platform::PosixFileSystem files{root.string()};
  vexa::platform::RecordingProcesses processes{files};
  vexa::platform::ScriptedMessageBoxes boxes;
  vexa::platform::DeviceLocale korean{vexa::platform::kLangKorean};
  vexa::platform::Shell shell{files, korean};
  vexa::platform::Platform platform{files, processes, boxes, korean, shell, u"\\Storage Card\\x.exe"};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Device device;
  device.boxes.Clear();
  {
    std::ofstream out(device.root / "in.ini", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  vexa::ProfileStore store(device.platform);
  if (!store.Read(vexa::platform::kNoWindow, u"\\in.ini")) std::abort();
  std::vector<std::u16string> sections;
  store.GetSectionNames(sections);
  if (store.EntryCount() == 0) return 0;
  if (!store.Save(vexa::platform::kNoWindow, u"\\out.ini")) std::abort();
  vexa::ProfileStore again(device.platform);
  if (!again.Read(vexa::platform::kNoWindow, u"\\out.ini")) std::abort();
  // Entries whose text survives the code page come back; the count never grows.
  if (again.EntryCount() > store.EntryCount()) std::abort();
  return 0;
}
