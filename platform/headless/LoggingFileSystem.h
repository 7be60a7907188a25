#pragma once

#include "platform/EffectLog.h"
#include "platform/FileSystem.h"

namespace vexa::platform {

// A file system that logs the changes made through it, each once it has succeeded, with the device
// paths as the caller gave them:
//   "file_written" {path}    WriteWholeFile, CopyFile (the copy), an open that creates or truncates,
//                            and the first write through a file opened for reading and writing
//   "file_deleted" {path}
//   "file_renamed" {from, to}
//   "folder_created" {path}, "folder_removed" {path}
// Failed attempts change nothing on the device and are not logged. Reading goes straight through.
class LoggingFileSystem : public FileSystem {
 public:
  LoggingFileSystem(FileSystem& inner, EffectLog& log) : inner_(inner), log_(log) {}

  std::vector<FindEntry> Find(std::u16string_view pattern) override { return inner_.Find(pattern); }
  bool Exists(std::u16string_view path) override { return inner_.Exists(path); }
  bool IsDirectory(std::u16string_view path) override { return inner_.IsDirectory(path); }
  std::unique_ptr<File> Open(std::u16string_view path, OpenMode mode) override;
  std::optional<std::string> ReadFile(std::u16string_view path,
                                      std::size_t limit = static_cast<std::size_t>(-1)) override {
    return inner_.ReadFile(path, limit);
  }
  bool WriteWholeFile(std::u16string_view path, std::string_view bytes) override;
  bool DeleteFile(std::u16string_view path) override;
  bool RenameFile(std::u16string_view from, std::u16string_view to) override;
  bool CopyFile(std::u16string_view from, std::u16string_view to, bool failIfExists) override;
  bool CreateDirectory(std::u16string_view path) override;
  bool RemoveDirectory(std::u16string_view path) override;
  std::optional<std::string> HostPath(std::u16string_view path) override { return inner_.HostPath(path); }
  std::optional<std::u16string> DevicePath(std::string_view hostPath) override {
    return inner_.DevicePath(hostPath);
  }

 private:
  FileSystem& inner_;
  EffectLog& log_;
};

}  // namespace vexa::platform
