// Any bytes as a registry file the start-up runner imports, on a Korean and an English device, into
// the file-backed registry: the import never fails other than by its messages, never hands the
// registry binary data beyond its 1024-byte buffer, and what it stored reads back from the registry
// file as it was set.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/MemoryDevice.h"
#include "platform/posix/FileRegistry.h"
#include "xrun/RegistryImport.h"

namespace {

using vexa::platform::FileRegistry;
using vexa::platform::RegistryRoot;

// Passes every call on, and stops the run at binary data longer than the import's buffer.
class BufferCheck : public vexa::platform::Registry {
 public:
  explicit BufferCheck(vexa::platform::Registry& inner) : inner_(inner) {}
  bool CreateKey(RegistryRoot root, std::u16string_view subkey) override {
    return inner_.CreateKey(root, subkey);
  }
  bool SetString(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                 std::u16string_view value) override {
    return inner_.SetString(root, subkey, name, value);
  }
  bool SetDword(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                std::uint32_t value) override {
    return inner_.SetDword(root, subkey, name, value);
  }
  bool SetBinary(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                 std::span<const std::uint8_t> bytes) override {
    if (bytes.empty() || bytes.size() > 1024) std::abort();
    return inner_.SetBinary(root, subkey, name, bytes);
  }
  bool Flush() override { return inner_.Flush(); }

 private:
  vexa::platform::Registry& inner_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const std::uint16_t lang : vexa::fuzzing::kLanguages) {
    vexa::fuzzing::MemoryDevice device(lang, u"\\Storage Card\\Tools\\VexaXRun.exe");
    device.files.CreateDirectories(u"\\Windows");
    device.files.WriteWholeFile(u"\\Windows\\in.reg", bytes);
    FileRegistry registry(device.files, device.locale.AnsiCodePage());
    BufferCheck checked(registry);
    device.platform.registry = &checked;
    const bool imported =
        vexa::xrun::ImportRegistryFile(device.platform, u"\\Windows\\in.reg", u"\\Storage Card\\Tools");
    if (!imported && device.boxes.shown().size() != 1) std::abort();
    if (!registry.Flush()) continue;  // more than the file may hold
    const std::string stored = FileRegistry::FileBytes(*registry.Tree());
    if (device.files.Exists(FileRegistry::kRegistryFile)) {
      FileRegistry again(device.files, device.locale.AnsiCodePage());
      if (again.Tree() == nullptr || FileRegistry::FileBytes(*again.Tree()) != stored) std::abort();
    } else if (stored != FileRegistry::FileBytes(vexa::platform::RegistryTree())) {
      std::abort();  // something was set and not written
    }
  }
  return 0;
}
