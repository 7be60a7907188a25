// Any bytes as the toolbar's settings file, run from the storage card and from elsewhere, on a Korean
// and an English device: reading keeps to the entry and section limits, look-ups and launches of what
// was read never fail hard, and a saved file read back saves the same bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/ToolbarProfileStore.h"
#include "common/text/CodePage.h"
#include "common/text/Text.h"
#include "fuzz/MemoryDevice.h"

namespace {

using vexa::ToolbarProfileStore;

void CheckLimits(const ToolbarProfileStore& store) {
  std::vector<std::u16string> sections;
  store.GetSectionNames(sections);
  if (store.EntryCount() > ToolbarProfileStore::kMaxEntries) std::abort();
  if (sections.size() > ToolbarProfileStore::kMaxSections) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const char16_t* module : {u"\\Storage Card\\Toolbar\\Toolbar.exe", u"\\My Flash\\Toolbar\\Toolbar.exe"}) {
    for (const std::uint16_t lang : vexa::fuzzing::kLanguages) {
      vexa::fuzzing::MemoryDevice device(lang, module);
      const std::u16string file = device.platform.modulePath.substr(0, device.platform.modulePath.size() - 3) + u"ini";
      device.files.AddFile(file, bytes);
      device.files.AddFile(u"\\Storage Card\\Navi\\navi.exe", "");
      ToolbarProfileStore store(device.platform);
      if (!store.Read(file)) std::abort();
      CheckLimits(store);
      std::vector<std::u16string> sections;
      store.GetSectionNames(sections);
      for (const auto& section : sections) {
        store.GetInt(section, u"Count", 0);
        const auto path = store.GetString(section, u"Path", u"");
        if (!path.empty()) store.Launch(path);
      }
      if (store.EntryCount() == 0) continue;
      if (!store.Save(u"\\out.ini")) std::abort();
      const std::string first = device.files.ReadFile(u"\\out.ini").value();

      ToolbarProfileStore again(device.platform);
      if (!again.Read(u"\\out.ini")) std::abort();
      CheckLimits(again);
      if (again.EntryCount() > store.EntryCount()) std::abort();
      if (again.EntryCount() == 0) continue;
      if (!again.Save(u"\\again.ini")) std::abort();
      // A value naming the storage token or the Korean card folder is expanded once more by each read.
      const auto text = vexa::text::Decode(first, store.CodePage());
      const bool expandsAgain = text.find(u"%STORAGE%") != std::u16string::npos ||
                                vexa::text::FindNoCase(text, u"\\저장소 카드") != std::u16string::npos;
      std::vector<std::u16string> names;
      store.GetSectionNames(names);
      if (expandsAgain || !vexa::fuzzing::SavedTextReadsBack(first, names.size())) continue;
      if (device.files.ReadFile(u"\\again.ini").value() != first) std::abort();
    }
  }
  return 0;
}
