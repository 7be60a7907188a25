#include "tests/support/TempDeviceTree.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vexa::testing {

TempDeviceTree::TempDeviceTree() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vexa-device-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  root_ = pattern;
}

TempDeviceTree::~TempDeviceTree() {
  std::error_code ignored;
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(root_, ignored);
}

void TempDeviceTree::MakeDir(std::string_view relative) const {
  std::filesystem::create_directories(root_ / relative);
}

void TempDeviceTree::WriteHostFile(std::string_view relative, std::string_view bytes) const {
  const auto path = root_ / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string TempDeviceTree::ReadHostFile(std::string_view relative) const {
  std::ifstream in(root_ / relative, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool TempDeviceTree::HostExists(std::string_view relative) const {
  return std::filesystem::exists(root_ / relative);
}

}  // namespace vexa::testing
