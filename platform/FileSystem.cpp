#include "platform/FileSystem.h"

#include <algorithm>

namespace vexa::platform {

std::optional<std::string> FileSystem::ReadWholeFile(std::u16string_view path, std::size_t maxSize) {
  const std::unique_ptr<File> file = Open(path, OpenMode::kRead);
  if (!file) return std::nullopt;
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size > maxSize) return std::nullopt;
  // Reading goes on past the size told, so a file that grew meanwhile is noticed and refused too; the
  // one byte of room beyond the size lets the end be seen without moving what was read.
  const std::size_t cap = maxSize == static_cast<std::size_t>(-1) ? maxSize : maxSize + 1;
  std::string content(std::min(cap, static_cast<std::size_t>(*size) + 1), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) {
      if (content.size() >= cap) break;
      content.resize(std::min(cap, content.size() + std::max<std::size_t>(4096, content.size() / 2)));
    }
    const auto count =
        file->Read(std::as_writable_bytes(std::span(content.data() + filled, content.size() - filled)));
    if (!count) return std::nullopt;
    if (*count == 0) break;
    filled += *count;
  }
  if (filled > maxSize) return std::nullopt;
  content.resize(filled);
  return content;
}

}  // namespace vexa::platform
