#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/posix/RegistryTree.h"

namespace vexa::platform {

// The device registry kept in one text file of the device tree, kRegistryFile, in the registry file
// form of RegistryTree.h (UTF-8 after the byte-order mark, so that it reads the same on a device of
// any language; a file without the mark, written by hand, is read in the device's code page).
//
// The file is read at the first call. Changes are kept in memory and written together, atomically,
// by Flush and when the registry goes away; a change that sets what is already there writes nothing.
//
// A file that is there but cannot be read, is larger than kFileLimit or does not start with
// "REGEDIT4" is left alone: the registry then refuses every change, so that nothing the file holds is
// lost by writing over it. A missing file is an empty registry.
class FileRegistry : public Registry {
 public:
  static constexpr std::u16string_view kRegistryFile = u"\\Windows\\Registry.reg";
  static constexpr std::size_t kFileLimit = 16u << 20;

  FileRegistry(FileSystem& files, std::uint16_t codePage,
               std::u16string path = std::u16string(kRegistryFile));
  ~FileRegistry() override;
  FileRegistry(const FileRegistry&) = delete;
  FileRegistry& operator=(const FileRegistry&) = delete;

  bool CreateKey(RegistryRoot root, std::u16string_view subkey) override;
  bool SetString(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                 std::u16string_view value) override;
  bool SetDword(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                std::uint32_t value) override;
  bool SetBinary(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                 std::span<const std::uint8_t> bytes) override;
  // False when the file cannot be written (the changes stay and are tried again at the next Flush),
  // when the text would be larger than kFileLimit, or when the file could not be read.
  bool Flush() override;

  // The registry as the file holds it with the changes made since; nullptr when the file could not
  // be read (see above).
  const RegistryTree* Tree();

  // The bytes of the file holding `tree`.
  static std::string FileBytes(const RegistryTree& tree);

 private:
  RegistryTree* Load();
  bool Set(RegistryRoot root, std::u16string_view subkey, RegistryValue value);

  FileSystem& files_;
  std::uint16_t codePage_;
  std::u16string path_;
  bool loaded_ = false;
  std::optional<RegistryTree> tree_;
  bool dirty_ = false;
};

}  // namespace vexa::platform
