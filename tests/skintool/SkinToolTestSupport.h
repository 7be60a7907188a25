#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vexa::skintool::testing {

// A skin folder NAME in a fresh temporary folder (its skin folder), removed at the end.
class SkinFolder {
 public:
  explicit SkinFolder(std::string_view name);
  ~SkinFolder();
  SkinFolder(const SkinFolder&) = delete;
  SkinFolder& operator=(const SkinFolder&) = delete;

  const std::filesystem::path& path() const { return skin_; }
  const std::filesystem::path& root() const { return root_; }
  // Relative paths with '/' below the skin folder; folders are made as needed.
  void Write(std::string_view relative, std::string_view bytes) const;
  // An .ini file: every "\n" written as CR LF.
  void Ini(std::string_view relative, std::string_view text) const;
  // A PNG picture of one colour.
  void Picture(std::string_view relative, int width, int height) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path skin_;
};

}  // namespace vexa::skintool::testing
