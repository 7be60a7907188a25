// Any bytes as an .ini file, on a Korean and an English device: reading never fails other than by
// returning false, saving never fails, and what is saved is a fixed point: read back and saved again,
// it gives the same bytes (where the text form can hold it: see SavedTextReadsBack).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/ProfileStore.h"
#include "fuzz/MemoryDevice.h"

namespace {

// Saves the store and answers the bytes written.
std::string SaveBytes(vexa::ProfileStore& store, vexa::fuzzing::MemoryDevice& device, std::u16string_view path) {
  if (!store.Save(vexa::platform::kNoWindow, path)) std::abort();
  return device.files.ReadFile(path).value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const std::uint16_t lang : vexa::fuzzing::kLanguages) {
    vexa::fuzzing::MemoryDevice device(lang);
    device.files.WriteWholeFile(u"\\in.ini", std::string_view(reinterpret_cast<const char*>(data), size));
    vexa::ProfileStore store(device.platform);
    if (!store.Read(vexa::platform::kNoWindow, u"\\in.ini")) std::abort();
    std::vector<std::u16string> sections;
    store.GetSectionNames(sections);
    if (store.EntryCount() == 0) continue;  // nothing to save
    const std::string first = SaveBytes(store, device, u"\\out.ini");

    vexa::ProfileStore again(device.platform);
    if (!again.Read(vexa::platform::kNoWindow, u"\\out.ini")) std::abort();
    // Entries whose text survives the code page come back; the count never grows.
    if (again.EntryCount() > store.EntryCount()) std::abort();
    if (!vexa::fuzzing::SavedTextReadsBack(first, sections.size())) continue;
    if (again.EntryCount() != store.EntryCount()) std::abort();
    if (SaveBytes(again, device, u"\\again.ini") != first) std::abort();
  }
  return 0;
}
