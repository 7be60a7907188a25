#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vexa::testing {

// A fresh host folder standing for a device's root, removed with everything in it at the end.
class TempDeviceTree {
 public:
  TempDeviceTree();
  ~TempDeviceTree();
  TempDeviceTree(const TempDeviceTree&) = delete;
  TempDeviceTree& operator=(const TempDeviceTree&) = delete;

  const std::filesystem::path& root() const { return root_; }

  // Host helpers for arranging a test: relative host paths with '/' separators.
  void MakeDir(std::string_view relative) const;
  void WriteHostFile(std::string_view relative, std::string_view bytes) const;
  std::string ReadHostFile(std::string_view relative) const;
  bool HostExists(std::string_view relative) const;

 private:
  std::filesystem::path root_;
};

}  // namespace vexa::testing
