#pragma once

#include "platform/FileSystem.h"

namespace vexa::testing {

// A file system that hands every call to another one; a test overrides the calls it changes.
class ForwardingFileSystem : public platform::FileSystem {
 public:
  explicit ForwardingFileSystem(platform::FileSystem& inner) : inner_(inner) {}
  std::vector<platform::FindEntry> Find(std::u16string_view pattern) override { return inner_.Find(pattern); }
  bool Exists(std::u16string_view path) override { return inner_.Exists(path); }
  bool IsDirectory(std::u16string_view path) override { return inner_.IsDirectory(path); }
  std::unique_ptr<platform::File> Open(std::u16string_view path, platform::OpenMode mode) override {
    return inner_.Open(path, mode);
  }
  std::optional<std::string> ReadFile(std::u16string_view path, std::size_t limit) override {
    return inner_.ReadFile(path, limit);
  }
  bool WriteWholeFile(std::u16string_view path, std::string_view bytes) override {
    return inner_.WriteWholeFile(path, bytes);
  }
  bool DeleteFile(std::u16string_view path) override { return inner_.DeleteFile(path); }
  bool RenameFile(std::u16string_view from, std::u16string_view to) override { return inner_.RenameFile(from, to); }
  bool CopyFile(std::u16string_view from, std::u16string_view to, bool failIfExists) override {
    return inner_.CopyFile(from, to, failIfExists);
  }
  bool CreateDirectory(std::u16string_view path) override { return inner_.CreateDirectory(path); }
  bool RemoveDirectory(std::u16string_view path) override { return inner_.RemoveDirectory(path); }
  std::optional<std::string> HostPath(std::u16string_view path) override { return inner_.HostPath(path); }
  std::optional<std::u16string> DevicePath(std::string_view hostPath) override { return inner_.DevicePath(hostPath); }

 protected:
  platform::FileSystem& inner_;
};

}  // namespace vexa::testing
