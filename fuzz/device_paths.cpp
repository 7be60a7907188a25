// Any text as device paths and host paths: the real file system adapter over a small device tree and
// the in-memory one holding the same tree must agree on every answer a path gets (exists, folder,
// listing, content, host path), a host path that maps into the device maps back to itself, and the
// program's own path derives its folders without failing.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/PathTokens.h"
#include "common/text/Text.h"
#include "platform/DeviceLocale.h"
#include "platform/Shell.h"
#include "platform/headless/MemoryFileSystem.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

using namespace vexa;

// The tree both adapters hold: folders end in '\'.
constexpr std::u16string_view kTree[] = {
    u"\\Storage Card\\VexaDeck\\VexaDeck.ini",  u"\\Storage Card\\VexaDeck\\Skin\\Default\\skin480x272.ini",
    u"\\Storage Card\\음악파일\\노래.mp3",         u"\\Storage Card\\VexaDeck\\Skin\\Default\\button\\",
    u"\\Windows\\Desktop\\Navi.lnk",             u"\\Windows\\Programs\\",
    u"\\aB.txt",                                 u"\\x.y.z",
    u"\\Storage Card\\VexaDeck\\Skin\\Default\\gauge\\speed000.png"};

// The host folder of the tree: made first, so that the in-memory adapter can stand for the same folder.
std::filesystem::path MakeRoot() {
  auto root = std::filesystem::temp_directory_path() / ("vexa-fuzz-paths-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root);
  return std::filesystem::canonical(root);
}

struct Devices {
  Devices() {
    for (const auto path : kTree) {
      if (path.back() == u'\\') {
        memory.CreateDirectories(path);
        std::filesystem::create_directories(HostFile(path.substr(0, path.size() - 1)));
        continue;
      }
      const auto bytes = text::ToUtf8(path);
      memory.AddFile(path, bytes);
      std::filesystem::create_directories(HostFile(path).parent_path());
      posix.WriteWholeFile(path, bytes);
    }
  }
  // The host file of a device path "\\a\\b" in the tree.
  std::filesystem::path HostFile(std::u16string_view path) const {
    std::string relative = text::ToUtf8(path.substr(1));
    for (auto& c : relative) c = c == '\\' ? '/' : c;
    return root / relative;
  }
  ~Devices() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }

  std::filesystem::path root = MakeRoot();
  platform::PosixFileSystem posix{root.string()};
  platform::MemoryFileSystem memory{root.string()};
  platform::DeviceLocale locale{platform::kLangKorean};
  platform::Shell shell{memory, locale};
};

void Require(bool ok, int line = __builtin_LINE()) {
  if (ok) return;
  std::fprintf(stderr, "device_paths: check at line %d failed\n", line);
  std::abort();
}

void Compare(Devices& d, std::u16string_view path) {
  platform::FileSystem& a = d.posix;
  platform::FileSystem& b = d.memory;
  Require(a.Exists(path) == b.Exists(path));
  Require(a.IsDirectory(path) == b.IsDirectory(path));
  Require(a.ReadFile(path) == b.ReadFile(path));
  const auto found = a.Find(path);
  const auto same = b.Find(path);
  Require(found.size() == same.size());
  for (std::size_t i = 0; i < found.size(); ++i) {
    Require(found[i].name == same[i].name && found[i].directory == same[i].directory &&
            found[i].archive == same[i].archive && found[i].size == same[i].size);
  }
  // Both stand for the same host folder, so their host paths are the same text.
  Require(a.HostPath(path) == b.HostPath(path));
}

// A host path inside the device gives a device path whose host path leads to the same device path.
void RoundTrip(platform::FileSystem& files, const std::string& root, std::string_view relative) {
  const auto device = files.DevicePath(root + "/" + std::string(relative));
  if (!device) return;
  const auto host = files.HostPath(*device);
  Require(host.has_value());
  // The way back spells each name as stored.
  const auto back = files.DevicePath(*host);
  Require(back && text::EqualsNoCase(*back, *device));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Devices devices;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The bytes as UTF-8 text, and as UTF-16 units where unpaired surrogates can appear.
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  for (const std::u16string& path : {text::FromUtf8(bytes), units}) {
    Compare(devices, path);
    PathTokens tokens(devices.shell, path, Flavor::kDeck);
    for (const int code : std::initializer_list<int>{2, 16, PATH_STORAGE_ROOT, PATH_PROGRAM_DIR, PATH_DATA_DIR, PATH_MUSIC_DIR, PATH_MOVIE_DIR,
                     PATH_PICTURE_DIR, PATH_PROGRAM_FILE, PATH_TMP_COPY, PATH_INI_FILE}) {
      tokens.GetPath(code);
    }
    Compare(devices, tokens.ExpandStorage(path));
  }
  RoundTrip(devices.posix, devices.root.string(), bytes);
  RoundTrip(devices.memory, devices.root.string(), bytes);
  return 0;
}
