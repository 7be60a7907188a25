#include "platform/posix/Beneath.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

namespace fs = std::filesystem;

using Opener = UniqueFd (*)(int, std::string_view, std::string_view, int, mode_t);

// Both ways of opening below the root must give the same answers: the kernel's, and the walk used
// where the kernel has none.
class BeneathTest : public ::testing::TestWithParam<Opener> {
 protected:
  void SetUp() override {
    tree.WriteHostFile("Music/song.mp3", "la");
    outside.WriteHostFile("secret.txt", "secret");
    fs::create_directory_symlink("Music", tree.root() / "Tunes");
    fs::create_symlink("../Music/song.mp3", tree.root() / "Music/again.mp3");
    fs::create_symlink(real / "Music/song.mp3", tree.root() / "Absolute.mp3");  // into the tree
    fs::create_symlink(outside.root() / "secret.txt", tree.root() / "Secret.txt");
    fs::create_directory_symlink("..", tree.root() / "Up");
    fs::create_symlink("Loop", tree.root() / "Loop");
    root = UniqueFd(::open(real.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    ASSERT_TRUE(root.valid());
  }

  // The content of the file opened, or "refused".
  std::string Read(std::string_view relative, int flags = 0) {
    const UniqueFd fd = GetParam()(root.get(), real.string(), relative, O_RDONLY | flags, 0);
    if (!fd.valid()) return "refused";
    char buffer[64];
    const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
    return count < 0 ? "unreadable" : std::string(buffer, static_cast<std::size_t>(count));
  }

  testing::TempDeviceTree tree;
  testing::TempDeviceTree outside;
  fs::path real = fs::canonical(tree.root());
  UniqueFd root;
};

TEST_P(BeneathTest, LinksAreFollowedWhileTheyStayBelowTheRoot) {
  EXPECT_EQ(Read("Music/song.mp3"), "la");
  EXPECT_EQ(Read("Tunes/song.mp3"), "la");
  EXPECT_EQ(Read("Tunes/again.mp3"), "la");
  EXPECT_EQ(Read("Absolute.mp3"), "la");
  EXPECT_EQ(Read("Music/../Music/song.mp3"), "la");
  EXPECT_EQ(Read("Tunes/song.mp3", O_NOFOLLOW), "la");  // only the last component stays unfollowed
}

TEST_P(BeneathTest, PathsLeadingAboveTheRootAreRefused) {
  for (const char* path : {"Secret.txt", "Up", "Up/x", "..", "../x", "Music/../../x", "Loop",
                           "Tunes/again.mp3/x", "Music/song.mp3/x"}) {
    EXPECT_EQ(Read(path), "refused") << path;
  }
  EXPECT_EQ(Read("Tunes/again.mp3", O_NOFOLLOW), "refused");
  const std::string self = "/proc/self/fd/" + std::to_string(root.get());
  fs::create_symlink(self, tree.root() / "Magic");
  EXPECT_EQ(Read("Magic/Music/song.mp3"), "refused");
}

TEST_P(BeneathTest, CreatingExclusivelyDoesNotFollowALinkInTheLastComponent) {
  fs::create_symlink(outside.root() / "planted.txt", tree.root() / "Dangling");
  fs::create_symlink("Music/new.txt", tree.root() / "Inside");
  EXPECT_FALSE(GetParam()(root.get(), real.string(), "Dangling", O_WRONLY | O_CREAT | O_EXCL, 0644).valid());
  EXPECT_FALSE(GetParam()(root.get(), real.string(), "Dangling", O_WRONLY | O_CREAT, 0644).valid());
  EXPECT_FALSE(GetParam()(root.get(), real.string(), "Inside", O_WRONLY | O_CREAT | O_EXCL, 0644).valid());
  EXPECT_TRUE(
      GetParam()(root.get(), real.string(), "Tunes/made.txt", O_WRONLY | O_CREAT | O_EXCL, 0644).valid());
  EXPECT_FALSE(outside.HostExists("planted.txt"));
  EXPECT_FALSE(tree.HostExists("Music/new.txt"));
  EXPECT_TRUE(tree.HostExists("Music/made.txt"));
}

INSTANTIATE_TEST_SUITE_P(KernelAndWalk, BeneathTest, ::testing::Values(&OpenBeneath, &OpenBeneathByWalk),
                         [](const auto& info) { return info.index == 0 ? "Kernel" : "Walk"; });

TEST(LocateBeneathTest, FindsTheFolderAndNameOfTheEntryOrOfWhatItsLinkNames) {
  testing::TempDeviceTree tree;
  testing::TempDeviceTree outside;
  tree.WriteHostFile("Music/song.mp3", "la");
  fs::create_symlink("Music/song.mp3", tree.root() / "Favourite.mp3");
  fs::create_directory_symlink(outside.root(), tree.root() / "Out");
  const std::string real = fs::canonical(tree.root()).string();
  const UniqueFd root(::open(real.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));

  auto where = [&](std::string_view path, bool followLast) -> std::string {
    const auto entry = LocateBeneath(root.get(), real, path, followLast);
    if (!entry) return "refused";
    struct stat info {};
    const bool exists = ::fstatat(entry->folder.get(), entry->name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    return entry->name + (exists ? (S_ISLNK(info.st_mode) ? " link" : " entry") : " missing");
  };
  EXPECT_EQ(where("Favourite.mp3", false), "Favourite.mp3 link");
  EXPECT_EQ(where("Favourite.mp3", true), "song.mp3 entry");
  EXPECT_EQ(where("Music/new.mp3", false), "new.mp3 missing");
  EXPECT_EQ(where("Out/x", false), "refused");
  EXPECT_EQ(where("Missing/x", false), "refused");
}

}  // namespace
}  // namespace vexa::platform
