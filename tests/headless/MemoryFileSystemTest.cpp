#include "platform/headless/MemoryFileSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/text/Text.h"
#include "platform/posix/PosixFileSystem.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The in-memory adapter stands in for the real one in fuzzers, so the rules a device path can see are
// checked on both: each case below runs on the real adapter over a temporary tree and on the memory one.
struct PosixDevice {
  testing::TempDeviceTree tree;
  PosixFileSystem files{tree.root().string()};
};
struct MemoryDevice {
  MemoryFileSystem files;
};

template <typename Device>
class BothFileSystemsTest : public ::testing::Test {
 protected:
  FileSystem& files() { return device.files; }
  std::vector<std::u16string> Names(std::u16string_view pattern) {
    std::vector<std::u16string> names;
    for (const FindEntry& entry : files().Find(pattern)) names.push_back(entry.name);
    return names;
  }
  std::string Read(std::u16string_view path) { return files().ReadFile(path).value_or("<none>"); }

  Device device;
};

using Devices = ::testing::Types<PosixDevice, MemoryDevice>;
TYPED_TEST_SUITE(BothFileSystemsTest, Devices);

TYPED_TEST(BothFileSystemsTest, NamesAreFoundWithoutRegardToCaseAndKeepTheCaseGiven) {
  FileSystem& fs = this->files();
  ASSERT_TRUE(fs.CreateDirectory(u"\\Storage Card"));
  ASSERT_TRUE(fs.WriteWholeFile(u"\\storage card\\Deck.ini", "one"));
  EXPECT_TRUE(fs.Exists(u"STORAGE CARD\\deck.INI"));
  EXPECT_TRUE(fs.IsDirectory(u"\\Storage Card\\"));
  // One entry per name: another spelling replaces the file that is there and keeps its name.
  ASSERT_TRUE(fs.WriteWholeFile(u"\\Storage Card\\DECK.INI", "two"));
  EXPECT_THAT(this->Names(u"\\Storage Card\\*.*"), ElementsAre(u"Deck.ini"));
  EXPECT_EQ(this->Read(u"\\Storage Card\\deck.ini"), "two");
  EXPECT_FALSE(fs.CreateDirectory(u"\\STORAGE CARD"));
}

TYPED_TEST(BothFileSystemsTest, RefusedPathsBehaveAsMissing) {
  FileSystem& fs = this->files();
  ASSERT_TRUE(fs.WriteWholeFile(u"\\a.txt", "x"));
  for (std::u16string_view path : {u"", u"\\a.txt\\", u"\\.\\a.txt", u"\\..\\a.txt", u"\\\\a.txt", u"C:\\a.txt",
                                   u"\\a?.txt", u"/a.txt", u"\\.vexa-tmp-a.txt", u"\\a\x01.txt"}) {
    EXPECT_FALSE(fs.Exists(path)) << text::ToUtf8(path);
    EXPECT_FALSE(fs.WriteWholeFile(path, "y")) << text::ToUtf8(path);
  }
  EXPECT_FALSE(fs.WriteWholeFile(std::u16string(u"\\b\xD800.txt"), "y"));
  EXPECT_EQ(this->Read(u"a.txt"), "x");
}

TYPED_TEST(BothFileSystemsTest, FindListsMatchesInCaseBlindOrder) {
  FileSystem& fs = this->files();
  ASSERT_TRUE(fs.CreateDirectory(u"\\Skin"));
  for (std::u16string_view name : {u"\\Skin\\speed10.bmp", u"\\Skin\\Speed2.bmp", u"\\Skin\\course1.bmp",
                                   u"\\Skin\\speed"}) {
    ASSERT_TRUE(fs.WriteWholeFile(name, "12345"));
  }
  ASSERT_TRUE(fs.CreateDirectory(u"\\Skin\\speedy"));
  EXPECT_THAT(this->Names(u"\\Skin\\speed*.*"), ElementsAre(u"speed", u"speed10.bmp", u"Speed2.bmp", u"speedy"));
  const auto entries = fs.Find(u"\\Skin\\sp*y");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_TRUE(entries[0].directory);
  EXPECT_FALSE(entries[0].archive);
  EXPECT_EQ(fs.Find(u"\\skin\\COURSE1.BMP").at(0).size, 5u);
  EXPECT_THAT(this->Names(u"\\Skin\\"), IsEmpty());
  EXPECT_THAT(this->Names(u"\\Gone\\*.*"), IsEmpty());
}

TYPED_TEST(BothFileSystemsTest, RenamesMoveEntriesButReplaceOnlyThemselves) {
  FileSystem& fs = this->files();
  ASSERT_TRUE(fs.CreateDirectory(u"\\A"));
  ASSERT_TRUE(fs.CreateDirectory(u"\\A\\B"));
  ASSERT_TRUE(fs.WriteWholeFile(u"\\A\\x.txt", "x"));
  ASSERT_TRUE(fs.WriteWholeFile(u"\\A\\y.txt", "y"));
  EXPECT_FALSE(fs.RenameFile(u"\\A\\x.txt", u"\\A\\Y.TXT"));
  EXPECT_TRUE(fs.RenameFile(u"\\A\\x.txt", u"\\A\\X.TXT"));
  EXPECT_THAT(this->Names(u"\\A\\*.txt"), ElementsAre(u"X.TXT", u"y.txt"));
  EXPECT_FALSE(fs.RenameFile(u"\\A", u"\\A\\B\\A"));  // not into itself
  EXPECT_TRUE(fs.RenameFile(u"\\A\\B", u"\\C"));
  EXPECT_TRUE(fs.RenameFile(u"\\A\\X.TXT", u"\\C\\z.txt"));
  EXPECT_EQ(this->Read(u"\\c\\Z.TXT"), "x");
  EXPECT_FALSE(fs.RemoveDirectory(u"\\C"));  // not empty
  EXPECT_FALSE(fs.DeleteFile(u"\\C"));
  EXPECT_TRUE(fs.DeleteFile(u"\\C\\z.txt"));
  EXPECT_TRUE(fs.RemoveDirectory(u"\\C"));
  EXPECT_FALSE(fs.Exists(u"\\C"));
}

TYPED_TEST(BothFileSystemsTest, CopiesAndOpenFilesFollowTheFileRules) {
  FileSystem& fs = this->files();
  ASSERT_TRUE(fs.WriteWholeFile(u"\\a.txt", "abcdef"));
  EXPECT_TRUE(fs.CopyFile(u"\\a.txt", u"\\b.txt", true));
  EXPECT_FALSE(fs.CopyFile(u"\\a.txt", u"\\B.TXT", true));
  EXPECT_FALSE(fs.CopyFile(u"\\a.txt", u"\\none\\b.txt", false));
  EXPECT_EQ(this->Read(u"\\b.txt"), "abcdef");
  EXPECT_EQ(fs.ReadFile(u"\\b.txt", 2), "ab");
  EXPECT_EQ(fs.Open(u"\\a.txt", OpenMode::kCreateNew), nullptr);

  auto file = fs.Open(u"\\a.txt", OpenMode::kReadWrite);
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->Seek(8));
  const std::string tail = "gh";
  ASSERT_TRUE(file->Write(std::as_bytes(std::span(tail))));
  EXPECT_EQ(file->Size(), 10u);
  file.reset();
  EXPECT_EQ(this->Read(u"\\a.txt"), std::string("abcdef\0\0gh", 10));

  auto reader = fs.Open(u"\\b.txt", OpenMode::kRead);
  ASSERT_NE(reader, nullptr);
  EXPECT_FALSE(reader->Write(std::as_bytes(std::span(tail))));
  auto writer = fs.Open(u"\\b.txt", OpenMode::kCreateAlways);
  ASSERT_NE(writer, nullptr);
  std::byte buffer[4];
  EXPECT_FALSE(writer->Read(buffer));  // opened for writing only
  EXPECT_EQ(reader->Read(buffer), 0u);  // truncated under the reader
}

TYPED_TEST(BothFileSystemsTest, HostPathsAndDevicePathsGoBothWays) {
  FileSystem& fs = this->files();
  ASSERT_TRUE(fs.CreateDirectory(u"\\Storage Card"));
  const auto host = fs.HostPath(u"\\storage card\\New.ini");
  ASSERT_TRUE(host);
  EXPECT_TRUE(host->ends_with("/Storage Card/New.ini"));
  EXPECT_EQ(fs.DevicePath(*host), u"\\Storage Card\\New.ini");
  EXPECT_EQ(fs.DevicePath(*host + "/../.."), u"\\");
  EXPECT_FALSE(fs.DevicePath(*host + "/../../.."));
  EXPECT_FALSE(fs.HostPath(u"\\a|b"));
}

TYPED_TEST(BothFileSystemsTest, NamesTooLongForTheHostAreRefusedWhereTheyAreLookedUp) {
  FileSystem& fs = this->files();
  const std::u16string longest(255, u'n');
  ASSERT_TRUE(fs.WriteWholeFile(u"\\" + longest, "x"));
  EXPECT_TRUE(fs.Exists(longest));
  const std::u16string tooLong = longest + u"n";
  EXPECT_FALSE(fs.HostPath(u"\\" + tooLong));
  EXPECT_FALSE(fs.WriteWholeFile(u"\\" + tooLong, "x"));
  // Below a folder that does not exist nothing is looked up: the path is only missing.
  EXPECT_TRUE(fs.HostPath(u"\\none\\" + tooLong));
}

TEST(MemoryFileSystemTest, AFileOpenedBeforeASaveOrADeleteKeepsReadingTheOldBytes) {
  MemoryFileSystem fs;
  ASSERT_TRUE(fs.AddFile(u"\\Storage Card\\VexaDeck\\VexaDeck.ini", "old"));
  auto file = fs.Open(u"\\Storage Card\\VexaDeck\\VexaDeck.ini", OpenMode::kRead);
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(fs.WriteWholeFile(u"\\Storage Card\\VexaDeck\\VexaDeck.ini", "new"));
  ASSERT_TRUE(fs.DeleteFile(u"\\Storage Card\\VexaDeck\\VexaDeck.ini"));
  std::string buffer(8, '\0');
  EXPECT_EQ(file->Read(std::as_writable_bytes(std::span(buffer))), 3u);
  EXPECT_EQ(buffer.substr(0, 3), "old");
}

TEST(MemoryFileSystemTest, WritesBeyondTheSizeCapFailAndLeaveTheFile) {
  MemoryFileSystem fs;
  ASSERT_TRUE(fs.WriteWholeFile(u"\\a.bin", "keep"));
  auto file = fs.Open(u"\\a.bin", OpenMode::kReadWrite);
  ASSERT_TRUE(file->Seek(MemoryFileSystem::kMaxFileSize));
  const std::string one = "x";
  EXPECT_FALSE(file->Write(std::as_bytes(std::span(one))));
  EXPECT_EQ(fs.ReadFile(u"\\a.bin"), "keep");
  EXPECT_FALSE(fs.AddFile(u"\\a.bin\\b.txt", "x"));  // a file is in the way of the folder
  fs.Clear();
  EXPECT_THAT(fs.Find(u"\\*.*"), IsEmpty());
}

}  // namespace
}  // namespace vexa::platform
