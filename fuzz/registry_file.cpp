// Any bytes as the device registry's file, on a Korean and an English device: reading never fails
// other than by refusing the file, a registry read from it saves a fixed point (the saved file reads
// back to a registry that saves the same bytes), and a refused file is never written over.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/headless/MemoryFileSystem.h"
#include "platform/posix/FileRegistry.h"

namespace {

using vexa::platform::FileRegistry;
using vexa::platform::MemoryFileSystem;
using vexa::platform::RegistryRoot;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const std::uint16_t codePage : {949, 1252}) {
    MemoryFileSystem files;
    files.CreateDirectories(u"\\Windows");
    files.WriteWholeFile(FileRegistry::kRegistryFile, bytes);
    FileRegistry registry(files, codePage);
    const bool readable = registry.Tree() != nullptr;
    // A change makes the registry write its file.
    const bool set = registry.SetDword(RegistryRoot::kLocalMachine, u"Fuzz", u"Run", 1);
    if (set != readable) std::abort();
    const bool flushed = registry.Flush();
    const std::string written = files.ReadFile(FileRegistry::kRegistryFile).value();
    if (!readable) {
      if (flushed || written != bytes) std::abort();
      continue;
    }
    if (!flushed) continue;  // more than the file may hold
    (void)registry.Tree()->Listing();

    FileRegistry again(files, codePage);
    if (again.Tree() == nullptr) std::abort();
    if (FileRegistry::FileBytes(*again.Tree()) != written) std::abort();
  }
  return 0;
}
