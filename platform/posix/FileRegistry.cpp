#include "platform/posix/FileRegistry.h"

#include "common/text/DeviceText.h"
#include "common/text/Text.h"

namespace vexa::platform {

FileRegistry::FileRegistry(FileSystem& files, std::uint16_t codePage, std::u16string path)
    : files_(files), codePage_(codePage), path_(std::move(path)) {}

FileRegistry::~FileRegistry() {
  Flush();
}

RegistryTree* FileRegistry::Load() {
  if (!loaded_) {
    loaded_ = true;
    if (!files_.Exists(path_)) {
      tree_.emplace();
    } else if (const std::optional<std::string> bytes = files_.ReadWholeFile(path_, kFileLimit)) {
      tree_ =
          bytes->empty() ? RegistryTree() : RegistryTree::Parse(text::DecodeDeviceText(*bytes, codePage_));
    }
  }
  return tree_ ? &*tree_ : nullptr;
}

const RegistryTree* FileRegistry::Tree() {
  return Load();
}

std::string FileRegistry::FileBytes(const RegistryTree& tree) {
  return std::string(text::kUtf8ByteOrderMark) + text::ToUtf8(tree.Format());
}

bool FileRegistry::CreateKey(RegistryRoot root, std::u16string_view subkey) {
  RegistryTree* tree = Load();
  if (tree == nullptr) return false;
  bool changed = false;
  if (!tree->CreateKey(root, subkey, &changed)) return false;
  dirty_ = dirty_ || changed;
  return true;
}

bool FileRegistry::Set(RegistryRoot root, std::u16string_view subkey, RegistryValue value) {
  RegistryTree* tree = Load();
  if (tree == nullptr) return false;
  bool changed = false;
  if (!tree->Set(root, subkey, std::move(value), &changed)) return false;
  dirty_ = dirty_ || changed;
  return true;
}

bool FileRegistry::SetString(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                             std::u16string_view value) {
  return Set(root, subkey,
             {.name = std::u16string(name), .type = RegistryType::kString, .text = std::u16string(value)});
}

bool FileRegistry::SetDword(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                            std::uint32_t value) {
  return Set(root, subkey, {.name = std::u16string(name), .type = RegistryType::kDword, .number = value});
}

bool FileRegistry::SetBinary(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                             std::span<const std::uint8_t> bytes) {
  return Set(
      root, subkey,
      {.name = std::u16string(name), .type = RegistryType::kBinary, .bytes = {bytes.begin(), bytes.end()}});
}

bool FileRegistry::Flush() {
  if (!loaded_) return true;  // nothing was asked of the registry
  if (!tree_) return false;
  if (!dirty_) return true;
  const std::string bytes = FileBytes(*tree_);
  if (bytes.size() > kFileLimit || !files_.WriteWholeFile(path_, bytes)) return false;
  dirty_ = false;
  return true;
}

}  // namespace vexa::platform
