#include "platform/posix/InotifyFileWatcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/PosixFileSystem.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using ::testing::Contains;
using ::testing::Field;
using ::testing::IsEmpty;
using ::testing::Not;

class InotifyFileWatcherTest : public ::testing::Test {
 protected:
  InotifyFileWatcherTest() { tree.MakeDir("Skin/Default/button"); }

  testing::TempDeviceTree tree;
  PosixFileSystem files{tree.root().string()};
  InotifyFileWatcher watcher{files};
};

TEST_F(InotifyFileWatcherTest, WrittenRenamedAndRemovedFilesOfAWatchedFolderAreReportedByDeviceFolder) {
  ASSERT_TRUE(watcher.Watch(u"\\Skin\\Default"));
  EXPECT_THAT(watcher.TakeChanges(), IsEmpty());

  tree.WriteHostFile("Skin/Default/skin800x480.ini", "[Button01]\r\n");
  tree.WriteHostFile("Skin/Default/new.tmp", "x");
  std::filesystem::rename(tree.root() / "Skin/Default/new.tmp", tree.root() / "Skin/Default/skin480x272.ini");
  std::filesystem::remove(tree.root() / "Skin/Default/skin800x480.ini");
  // A sub-folder is not watched with its parent.
  tree.WriteHostFile("Skin/Default/button/a.png", "x");

  const auto changes = watcher.TakeChanges();
  EXPECT_THAT(changes, Contains(Field(&FileChange::name, u"skin800x480.ini")));
  EXPECT_THAT(changes, Contains(Field(&FileChange::name, u"skin480x272.ini")));
  EXPECT_THAT(changes, Not(Contains(Field(&FileChange::name, u"a.png"))));
  for (const FileChange& change : changes) EXPECT_EQ(change.folder, u"\\Skin\\Default");
  // Taken once only.
  EXPECT_THAT(watcher.TakeChanges(), IsEmpty());
}

TEST_F(InotifyFileWatcherTest, ClearingDropsTheWatchesAndWhatTheyHadSeen) {
  ASSERT_TRUE(watcher.Watch(u"\\Skin\\Default\\button"));
  tree.WriteHostFile("Skin/Default/button/a.png", "x");
  watcher.Clear();
  tree.WriteHostFile("Skin/Default/button/b.png", "x");
  EXPECT_THAT(watcher.TakeChanges(), IsEmpty());
}

TEST_F(InotifyFileWatcherTest, AFolderThatIsNotThereOrIsAFileCannotBeWatchedAndARemovedOneIsReported) {
  EXPECT_FALSE(watcher.Watch(u"\\Skin\\Missing"));
  tree.WriteHostFile("Skin/plain.txt", "x");
  EXPECT_FALSE(watcher.Watch(u"\\Skin\\plain.txt"));

  ASSERT_TRUE(watcher.Watch(u"\\Skin\\Default\\button"));
  std::filesystem::remove_all(tree.root() / "Skin/Default/button");
  // The folder itself going is a change without a file name.
  EXPECT_THAT(watcher.TakeChanges(), Contains(Field(&FileChange::name, u"")));
}

}  // namespace
}  // namespace vexa::platform
