#include "platform/headless/LoggingFileSystem.h"

namespace vexa::platform {

namespace {

// A file opened for reading and writing: logs "file_written" at its first successful write.
class LoggingFile : public File {
 public:
  LoggingFile(std::unique_ptr<File> inner, std::u16string path, EffectLog& log)
      : inner_(std::move(inner)), path_(std::move(path)), log_(log) {}

  std::optional<std::size_t> Read(std::span<std::byte> buffer) override { return inner_->Read(buffer); }
  bool Write(std::span<const std::byte> bytes) override {
    const bool ok = inner_->Write(bytes);
    if (ok && !bytes.empty() && !written_) {
      written_ = true;
      log_.Record("file_written", {{"path", path_}});
    }
    return ok;
  }
  bool Seek(std::uint64_t offset) override { return inner_->Seek(offset); }
  std::optional<std::uint64_t> Size() override { return inner_->Size(); }

 private:
  std::unique_ptr<File> inner_;
  std::u16string path_;
  EffectLog& log_;
  bool written_ = false;
};

}  // namespace

std::unique_ptr<File> LoggingFileSystem::Open(std::u16string_view path, OpenMode mode) {
  std::unique_ptr<File> file = inner_.Open(path, mode);
  if (!file) return file;
  switch (mode) {
    case OpenMode::kRead:
      return file;
    case OpenMode::kReadWrite:
      return std::make_unique<LoggingFile>(std::move(file), std::u16string(path), log_);
    case OpenMode::kCreateAlways:
    case OpenMode::kCreateNew:
      // Creating or truncating changes the file already; what is written later is part of the same
      // effect.
      log_.Record("file_written", {{"path", std::u16string(path)}});
      return file;
  }
  return file;
}

bool LoggingFileSystem::WriteWholeFile(std::u16string_view path, std::string_view bytes) {
  const bool ok = inner_.WriteWholeFile(path, bytes);
  if (ok) log_.Record("file_written", {{"path", std::u16string(path)}});
  return ok;
}

bool LoggingFileSystem::DeleteFile(std::u16string_view path) {
  const bool ok = inner_.DeleteFile(path);
  if (ok) log_.Record("file_deleted", {{"path", std::u16string(path)}});
  return ok;
}

bool LoggingFileSystem::RenameFile(std::u16string_view from, std::u16string_view to) {
  const bool ok = inner_.RenameFile(from, to);
  if (ok) log_.Record("file_renamed", {{"from", std::u16string(from)}, {"to", std::u16string(to)}});
  return ok;
}

bool LoggingFileSystem::CopyFile(std::u16string_view from, std::u16string_view to, bool failIfExists) {
  const bool ok = inner_.CopyFile(from, to, failIfExists);
  if (ok) log_.Record("file_written", {{"path", std::u16string(to)}});
  return ok;
}

bool LoggingFileSystem::CreateDirectory(std::u16string_view path) {
  const bool ok = inner_.CreateDirectory(path);
  if (ok) log_.Record("folder_created", {{"path", std::u16string(path)}});
  return ok;
}

bool LoggingFileSystem::RemoveDirectory(std::u16string_view path) {
  const bool ok = inner_.RemoveDirectory(path);
  if (ok) log_.Record("folder_removed", {{"path", std::u16string(path)}});
  return ok;
}

}  // namespace vexa::platform
