#include "platform/posix/PosixFileSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "common/text/Text.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  std::vector<std::u16string> Names(std::u16string_view pattern) {
    std::vector<std::u16string> names;
    for (const FindEntry& entry : files.Find(pattern)) names.push_back(entry.name);
    return names;
  }

  // Host names in a folder of the tree, sorted.
  std::vector<std::string> HostNames(std::string_view relative = "") const {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(tree.root() / relative)) {
      names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // The host path the adapter reports: from the tree's real path.
  std::string Host(std::string_view relative) const {
    return (fs::canonical(tree.root()) / relative).string();
  }

  mode_t Mode(std::string_view relative) const {
    struct stat info {};
    EXPECT_EQ(::stat(Host(relative).c_str(), &info), 0);
    return info.st_mode & 07777;
  }

  testing::TempDeviceTree tree;
  PosixFileSystem files{tree.root().string()};
};

// --- Finding components without regard to letter case ---

TEST_F(PosixFileSystemTest, EveryComponentIsFoundWithoutRegardToCase) {
  tree.WriteHostFile("_Common/font/Arial.ttf", "font");
  EXPECT_TRUE(files.Exists(u"\\_common\\Font\\ARIAL.TTF"));
  EXPECT_TRUE(files.IsDirectory(u"\\_COMMON\\FONT"));
  EXPECT_EQ(files.ReadFile(u"\\_common\\Font\\arial.ttf"), "font");
  EXPECT_EQ(files.HostPath(u"\\_common\\Font\\arial.ttf"), Host("_Common/font/Arial.ttf"));
  EXPECT_THAT(Names(u"\\_COMMON\\FONT\\*.TTF"), ElementsAre(u"Arial.ttf"));
  EXPECT_THAT(Names(u"\\_common\\font\\arial.TTF"), ElementsAre(u"Arial.ttf"));
}

TEST_F(PosixFileSystemTest, ExactSpellingWinsThenFirstHostNameInByteOrder) {
  tree.WriteHostFile("Data.ini", "mixed");
  tree.WriteHostFile("DATA.INI", "upper");
  tree.WriteHostFile("data.ini", "lower");
  EXPECT_EQ(files.ReadFile(u"\\data.ini"), "lower");
  EXPECT_EQ(files.ReadFile(u"\\Data.ini"), "mixed");
  EXPECT_EQ(files.ReadFile(u"\\dAta.INI"), "upper");  // "DATA.INI" sorts first as bytes
}

TEST_F(PosixFileSystemTest, PathsWithoutLeadingSeparatorAndWithTrailingOneOnFolders) {
  tree.WriteHostFile("Windows/Desktop/a.lnk", "x");
  EXPECT_TRUE(files.Exists(u"windows\\desktop\\a.lnk"));
  EXPECT_TRUE(files.IsDirectory(u"\\Windows\\"));
  EXPECT_TRUE(files.Exists(u"\\Windows\\Desktop\\"));
  EXPECT_FALSE(files.Exists(u"\\Windows\\Desktop\\a.lnk\\"));  // a file is no folder
  EXPECT_TRUE(files.IsDirectory(u"\\"));
  EXPECT_THAT(Names(u"*.*"), ElementsAre(u"Windows"));
  EXPECT_THAT(Names(u"\\"), IsEmpty());
}

TEST_F(PosixFileSystemTest, EveryOperationUsesTheExistingEntryWhateverTheCaseGiven) {
  tree.WriteHostFile("VexaDeck/VexaDeck.ini", "old");
  tree.WriteHostFile("VexaDeck/Skin.bmp", "skin");
  tree.MakeDir("VexaDeck/Empty");

  EXPECT_TRUE(files.WriteWholeFile(u"\\VEXADECK\\vexadeck.INI", "new"));
  EXPECT_THAT(HostNames("VexaDeck"), ElementsAre("Empty", "Skin.bmp", "VexaDeck.ini"));
  EXPECT_EQ(tree.ReadHostFile("VexaDeck/VexaDeck.ini"), "new");

  EXPECT_EQ(files.Open(u"\\vexadeck\\VEXADECK.ini", OpenMode::kCreateNew), nullptr);
  ASSERT_NE(files.Open(u"\\vexadeck\\VEXADECK.ini", OpenMode::kCreateAlways), nullptr);
  EXPECT_EQ(tree.ReadHostFile("VexaDeck/VexaDeck.ini"), "");
  EXPECT_THAT(HostNames("VexaDeck"), ElementsAre("Empty", "Skin.bmp", "VexaDeck.ini"));

  EXPECT_TRUE(files.CopyFile(u"\\vexadeck\\skin.BMP", u"\\VexaDeck\\VEXADECK.INI", false));
  EXPECT_EQ(tree.ReadHostFile("VexaDeck/VexaDeck.ini"), "skin");
  EXPECT_TRUE(files.RemoveDirectory(u"\\VEXADECK\\EMPTY"));
  EXPECT_TRUE(files.DeleteFile(u"\\VEXADECK\\SKIN.BMP"));
  EXPECT_THAT(HostNames("VexaDeck"), ElementsAre("VexaDeck.ini"));
}

// --- New names keep their case ---

TEST_F(PosixFileSystemTest, NewNamesKeepTheCaseGiven) {
  tree.MakeDir("Music");
  EXPECT_TRUE(files.WriteWholeFile(u"\\MUSIC\\NewList.M3U", "list"));
  EXPECT_TRUE(files.CreateDirectory(u"\\music\\Road Trip"));
  EXPECT_NE(files.Open(u"\\music\\Road Trip\\Track01.Mp3", OpenMode::kCreateNew), nullptr);
  EXPECT_TRUE(files.CopyFile(u"\\Music\\newlist.m3u", u"\\Music\\Copy.M3U", true));
  EXPECT_THAT(HostNames("Music"), ElementsAre("Copy.M3U", "NewList.M3U", "Road Trip"));
  EXPECT_THAT(HostNames("Music/Road Trip"), ElementsAre("Track01.Mp3"));
}

// --- Listing ---

TEST_F(PosixFileSystemTest, PatternsMatchAsOnTheDevice) {
  for (const char* name : {"speed", "speed000.bmp", "Speed001.BMP", "course000.bmp", "screenshot",
                           "screenshot.png", "a.lnk", "a.lnk2"}) {
    tree.WriteHostFile(std::string("Skin/gauge/") + name, "");
  }
  tree.MakeDir("Skin/gauge/sub");
  EXPECT_EQ(Names(u"\\Skin\\gauge\\*.*").size(), 9u);
  EXPECT_EQ(Names(u"\\Skin\\gauge\\*").size(), 9u);
  EXPECT_THAT(Names(u"\\skin\\GAUGE\\speed*.*"), ElementsAre(u"speed", u"speed000.bmp", u"Speed001.BMP"));
  EXPECT_THAT(Names(u"\\Skin\\gauge\\screenshot.*"), ElementsAre(u"screenshot", u"screenshot.png"));
  EXPECT_THAT(Names(u"\\Skin\\gauge\\*.lnk"), ElementsAre(u"a.lnk"));
  EXPECT_THAT(Names(u"\\Skin\\gauge\\speed00?.bmp"), ElementsAre(u"speed000.bmp", u"Speed001.BMP"));
  EXPECT_THAT(Names(u"\\Skin\\gauge\\*.jpg"), IsEmpty());
  EXPECT_THAT(Names(u"\\Skin\\missing\\*.*"), IsEmpty());
  EXPECT_THAT(Names(u"\\Skin\\gauge\\speed000.bmp\\*.*"), IsEmpty());
  EXPECT_THAT(Names(u"\\Sk*\\gauge\\*.*"), IsEmpty());  // wildcards only in the last component
}

TEST_F(PosixFileSystemTest, ListingIsSortedWithoutRegardToCaseThenByExactUnits) {
  for (const char* name : {"b.txt", "a.txt", "C.txt", "A.txt", "_x", "10", "9"}) tree.WriteHostFile(name, "");
  EXPECT_THAT(Names(u"\\*.*"), ElementsAre(u"10", u"9", u"_x", u"A.txt", u"a.txt", u"b.txt", u"C.txt"));
}

TEST_F(PosixFileSystemTest, EntriesCarryFolderArchiveAndSize) {
  tree.WriteHostFile("Game.exe", "12345");
  tree.MakeDir("Games");
  const auto entries = files.Find(u"\\Game*");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, u"Game.exe");
  EXPECT_FALSE(entries[0].directory);
  EXPECT_TRUE(entries[0].archive);
  EXPECT_EQ(entries[0].size, 5u);
  EXPECT_EQ(entries[1].name, u"Games");
  EXPECT_TRUE(entries[1].directory);
  EXPECT_FALSE(entries[1].archive);
}

TEST_F(PosixFileSystemTest, HostEntriesTheDeviceCannotNameAreNotListed) {
  tree.WriteHostFile("ok.txt", "");
  tree.WriteHostFile("a:b.txt", "");
  tree.WriteHostFile("back\\slash.txt", "");
  tree.WriteHostFile("\xff\xfe.txt", "");  // not UTF-8
  tree.WriteHostFile(".vexa-tmp-ok.txt-1-2", "");
  ASSERT_EQ(::mkfifo(Host("pipe").c_str(), 0644), 0);
  EXPECT_THAT(Names(u"\\*.*"), ElementsAre(u"ok.txt"));
  EXPECT_FALSE(files.Exists(u"\\pipe"));
  EXPECT_EQ(files.Open(u"\\pipe", OpenMode::kCreateAlways), nullptr);
  EXPECT_FALSE(files.Exists(u"\\.vexa-tmp-ok.txt-1-2"));
}

// --- Refused paths ---

TEST_F(PosixFileSystemTest, RefusedPathsBehaveAsMissing) {
  tree.WriteHostFile("a/b.txt", "secret");
  tree.WriteHostFile("b.txt", "secret");
  const std::u16string refused[] = {u"",           u"\\..\\b.txt",   u"\\a\\..\\b.txt",
                                    u"\\.\\b.txt", u"\\a\\.\\b.txt", u"\\a\\\\b.txt",
                                    u"\\\\b.txt",  u"\\a/b.txt",     u"a/b.txt",
                                    u"C:\\b.txt",  u"\\a:b.txt",     u"\\a\\b.txt\\\\",
                                    u"\\b<.txt",   u"\\b>.txt",      u"\\b\".txt",
                                    u"\\b|.txt",   u"\\b*.txt",      u"\\b?.txt",
                                    u"\\b\t.txt",  u"\\b\xD800.txt", std::u16string(u"\\b.txt") + u'\0'};
  for (const std::u16string& path : refused) {
    SCOPED_TRACE(text::ToUtf8(path));
    EXPECT_FALSE(files.Exists(path));
    EXPECT_FALSE(files.IsDirectory(path));
    EXPECT_EQ(files.Open(path, OpenMode::kRead), nullptr);
    EXPECT_EQ(files.Open(path, OpenMode::kCreateAlways), nullptr);
    EXPECT_EQ(files.ReadFile(path), std::nullopt);
    EXPECT_FALSE(files.WriteWholeFile(path, "x"));
    EXPECT_FALSE(files.DeleteFile(path));
    EXPECT_FALSE(files.CreateDirectory(path));
    EXPECT_FALSE(files.RenameFile(path, u"\\c.txt"));
    EXPECT_FALSE(files.CopyFile(u"\\b.txt", path, false));
    EXPECT_EQ(files.HostPath(path), std::nullopt);
    if (path.find_first_of(u"*?") == path.npos) {
      EXPECT_THAT(files.Find(path), IsEmpty());
    }
  }
  EXPECT_THAT(HostNames(), ElementsAre("a", "b.txt"));
  EXPECT_EQ(tree.ReadHostFile("b.txt"), "secret");
}

TEST_F(PosixFileSystemTest, HostAbsolutePathsDoNotReachTheHost) {
  EXPECT_FALSE(files.Exists(u"/etc/passwd"));
  EXPECT_FALSE(files.Exists(u"\\etc\\passwd"));  // taken inside the tree, where it does not exist
  EXPECT_EQ(files.ReadFile(text::FromUtf8(Host("x"))), std::nullopt);
  EXPECT_EQ(files.HostPath(u"\\etc\\passwd"), Host("etc/passwd"));
}

class PosixFileSystemLinkTest : public PosixFileSystemTest {
 protected:
  void SetUp() override {
    outside.WriteHostFile("secret.txt", "secret");
    fs::create_directory_symlink(outside.root(), tree.root() / "Out");
    fs::create_symlink(outside.root() / "secret.txt", tree.root() / "passwd");
    fs::create_symlink(outside.root() / "planted.txt", tree.root() / "dangling");
    fs::create_directory_symlink("..", tree.root() / "Up");
  }
  testing::TempDeviceTree outside;
};

TEST_F(PosixFileSystemLinkTest, LinksLeavingTheTreeAreRefusedAnywhereInThePath) {
  for (const std::u16string_view path : {u"\\Out", u"\\out\\secret.txt", u"\\passwd", u"\\Up", u"\\up\\x"}) {
    SCOPED_TRACE(text::ToUtf8(path));
    EXPECT_FALSE(files.Exists(path));
    EXPECT_EQ(files.ReadFile(path), std::nullopt);
    EXPECT_EQ(files.Open(path, OpenMode::kReadWrite), nullptr);
    EXPECT_EQ(files.HostPath(path), std::nullopt);
  }
  EXPECT_THAT(Names(u"\\*.*"), IsEmpty());
  EXPECT_THAT(Names(u"\\Out\\*.*"), IsEmpty());
  EXPECT_FALSE(files.WriteWholeFile(u"\\Out\\new.txt", "x"));
  EXPECT_FALSE(files.WriteWholeFile(u"\\passwd", "x"));
  EXPECT_FALSE(files.WriteWholeFile(u"\\dangling", "x"));
  EXPECT_EQ(files.Open(u"\\DANGLING", OpenMode::kCreateAlways), nullptr);
  EXPECT_FALSE(files.CopyFile(u"\\passwd", u"\\copy.txt", false));
  EXPECT_FALSE(files.CreateDirectory(u"\\Out\\dir"));
  EXPECT_FALSE(outside.HostExists("new.txt"));
  EXPECT_FALSE(outside.HostExists("planted.txt"));
  EXPECT_FALSE(outside.HostExists("dir"));
  EXPECT_EQ(outside.ReadHostFile("secret.txt"), "secret");
  EXPECT_EQ(files.DevicePath((outside.root() / "secret.txt").string()), std::nullopt);
  EXPECT_EQ(files.DevicePath(Host("Out/secret.txt")), std::nullopt);
}

TEST_F(PosixFileSystemLinkTest, LinksStayingInsideTheTreeAreFollowed) {
  tree.WriteHostFile("Music/song.mp3", "la");
  fs::create_directory_symlink("Music", tree.root() / "Tunes");
  fs::create_symlink("Music/song.mp3", tree.root() / "Favourite.mp3");
  EXPECT_EQ(files.ReadFile(u"\\tunes\\SONG.mp3"), "la");
  EXPECT_THAT(Names(u"\\Tunes\\*.*"), ElementsAre(u"song.mp3"));
  EXPECT_THAT(Names(u"\\*.*"), ElementsAre(u"Favourite.mp3", u"Music", u"Tunes"));
  EXPECT_TRUE(files.WriteWholeFile(u"\\favourite.mp3", "da"));  // written where the file lies
  EXPECT_EQ(tree.ReadHostFile("Music/song.mp3"), "da");
  EXPECT_TRUE(files.DeleteFile(u"\\Favourite.mp3"));  // the link goes, the song stays
  EXPECT_TRUE(tree.HostExists("Music/song.mp3"));
  EXPECT_FALSE(fs::is_symlink(tree.root() / "Favourite.mp3"));
}

// A folder of the tree that is now and then swapped for a link leading out of it, while the adapter
// works on paths through it: whatever it checked, it must never reach the other side.
TEST_F(PosixFileSystemLinkTest, AFolderSwappedForALinkOutOfTheTreeIsNeverGoneThrough) {
  for (const char* name : {"song.mp3", "victim.txt", "moved.txt"}) {
    outside.WriteHostFile(name, "secret");
  }
  tree.WriteHostFile("Music/song.mp3", "la");
  std::atomic<bool> stop = false;
  std::atomic<int> swaps = 0;
  std::thread swapper([&] {
    const fs::path music = tree.root() / "Music";
    const fs::path away = tree.root() / "Music.away";
    std::error_code error;
    while (!stop) {
      fs::rename(music, away, error);
      fs::create_directory_symlink(outside.root(), music, error);
      fs::remove(music, error);
      fs::rename(away, music, error);
      ++swaps;
    }
  });
  int escapes = 0;
  for (int round = 0; round < 3000 && escapes == 0; ++round) {
    if (files.ReadFile(u"\\Music\\song.mp3") == "secret") ++escapes;
    if (auto file = files.Open(u"\\Music\\song.mp3", OpenMode::kReadWrite)) {
      std::string buffer(6, '\0');
      if (file->Read(std::as_writable_bytes(std::span(buffer))) == 6u && buffer == "secret") ++escapes;
    }
    files.WriteWholeFile(u"\\Music\\song.mp3", "la");
    files.WriteWholeFile(u"\\Music\\planted.txt", "x");
    files.Open(u"\\Music\\created.txt", OpenMode::kCreateAlways);
    files.CopyFile(u"\\Music\\song.mp3", u"\\Copy.mp3", false);
    if (files.ReadFile(u"\\Copy.mp3") == "secret") ++escapes;
    files.DeleteFile(u"\\Music\\victim.txt");
    files.RenameFile(u"\\Music\\moved.txt", u"\\Moved.txt");
    files.CreateDirectory(u"\\Music\\made");
  }
  stop = true;
  swapper.join();
  EXPECT_GT(swaps.load(), 0);
  EXPECT_EQ(escapes, 0);
  EXPECT_FALSE(tree.HostExists("Moved.txt"));
  std::vector<std::string> outsideNames;
  for (const auto& item : fs::directory_iterator(outside.root())) {
    outsideNames.push_back(item.path().filename().string());
  }
  std::sort(outsideNames.begin(), outsideNames.end());
  EXPECT_THAT(outsideNames, ElementsAre("moved.txt", "secret.txt", "song.mp3", "victim.txt"));
  EXPECT_EQ(outside.ReadHostFile("song.mp3"), "secret");
}

// --- Reading and writing ---

TEST_F(PosixFileSystemTest, OpenFilesReadWriteSeekAndReportTheirSize) {
  tree.WriteHostFile("data.bin", "abcdef");
  auto file = files.Open(u"\\DATA.BIN", OpenMode::kReadWrite);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Size(), 6u);
  ASSERT_TRUE(file->Seek(2));
  const std::string patch = "XY";
  EXPECT_TRUE(file->Write(std::as_bytes(std::span(patch))));
  ASSERT_TRUE(file->Seek(0));
  std::string buffer(10, '\0');
  EXPECT_EQ(file->Read(std::as_writable_bytes(std::span(buffer))), 6u);
  EXPECT_EQ(buffer.substr(0, 6), "abXYef");
  EXPECT_EQ(file->Read(std::as_writable_bytes(std::span(buffer))), 0u);

  auto readOnly = files.Open(u"\\data.bin", OpenMode::kRead);
  ASSERT_NE(readOnly, nullptr);
  EXPECT_FALSE(readOnly->Write(std::as_bytes(std::span(patch))));
  EXPECT_EQ(files.Open(u"\\missing.bin", OpenMode::kRead), nullptr);
  EXPECT_EQ(files.Open(u"\\", OpenMode::kRead), nullptr);
  EXPECT_EQ(files.Open(u"\\missing\\new.bin", OpenMode::kCreateNew), nullptr);
}

TEST_F(PosixFileSystemTest, NewFilesAreMadeWithMode0644) {
  const mode_t old = ::umask(022);
  EXPECT_NE(files.Open(u"\\new.txt", OpenMode::kCreateAlways), nullptr);
  EXPECT_TRUE(files.WriteWholeFile(u"\\saved.txt", "x"));
  ::umask(old);
  EXPECT_EQ(Mode("new.txt"), 0644u);
  EXPECT_EQ(Mode("saved.txt"), 0644u);
}

TEST_F(PosixFileSystemTest, ReadFileStopsAtTheLimit) {
  tree.WriteHostFile("big.lnk", std::string(10 << 20, 'x'));
  tree.WriteHostFile("empty.txt", "");
  tree.MakeDir("folder");
  EXPECT_EQ(files.ReadFile(u"\\big.lnk", 511), std::string(511, 'x'));
  EXPECT_EQ(files.ReadFile(u"\\big.lnk", 0), "");
  EXPECT_EQ(files.ReadFile(u"\\big.lnk")->size(), 10u << 20);
  EXPECT_EQ(files.ReadFile(u"\\empty.txt"), "");
  EXPECT_EQ(files.ReadFile(u"\\folder"), std::nullopt);
  EXPECT_EQ(files.ReadFile(u"\\missing.txt"), std::nullopt);
}

// --- Atomic saves ---

TEST_F(PosixFileSystemTest, SavingReplacesTheFileAndKeepsItsPermissionBits) {
  tree.WriteHostFile("Tools/run.exe", "old");
  fs::permissions(tree.root() / "Tools/run.exe", fs::perms(0755));
  EXPECT_TRUE(files.WriteWholeFile(u"\\tools\\RUN.EXE", "new program"));
  EXPECT_EQ(tree.ReadHostFile("Tools/run.exe"), "new program");
  EXPECT_EQ(Mode("Tools/run.exe"), 0755u);
  EXPECT_THAT(HostNames("Tools"), ElementsAre("run.exe"));
}

TEST_F(PosixFileSystemTest, SavingFailsWithoutAFolderOrOverAFolder) {
  tree.MakeDir("Folder");
  EXPECT_FALSE(files.WriteWholeFile(u"\\Missing\\file.ini", "x"));
  EXPECT_FALSE(files.WriteWholeFile(u"\\Folder", "x"));
  EXPECT_FALSE(files.WriteWholeFile(u"\\Folder\\", "x"));
  EXPECT_FALSE(files.WriteWholeFile(u"\\", "x"));
  EXPECT_THAT(HostNames(), ElementsAre("Folder"));
  EXPECT_TRUE(fs::is_empty(tree.root() / "Folder"));
}

TEST_F(PosixFileSystemTest, FailedSaveLeavesTheOldFileWholeAndNoTemporaryFile) {
  const std::string old(1000, 'o');
  tree.WriteHostFile("VexaDeck.ini", old);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The write of the new content hits the file size limit (EFBIG), as on a full card.
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool saved = files.WriteWholeFile(u"\\vexadeck.ini", std::string(1 << 20, 'n'));
    ::_exit(saved ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success";
  EXPECT_EQ(tree.ReadHostFile("VexaDeck.ini"), old);
  EXPECT_THAT(HostNames(), ElementsAre("VexaDeck.ini"));
}

// A process that has ended: its id names nobody (until the system hands it out again).
pid_t EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

std::string TempName(std::string_view target, long pid, unsigned long serial) {
  return ".vexa-tmp-" + std::string(target) + "-" + std::to_string(pid) + "-" + std::to_string(serial);
}

TEST_F(PosixFileSystemTest, ASaveKilledHalfwayLeavesATemporaryFileThatTheNextSaveRemoves) {
  tree.WriteHostFile("VexaDeck.ini", "old");
  const pid_t writer = ::fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    for (;;) files.WriteWholeFile(u"\\VexaDeck.ini", std::string(4 << 20, 'n'));
  }
  auto temporaries = [&] {
    std::vector<std::string> found;
    for (const std::string& name : HostNames()) {
      if (name.starts_with(".vexa-tmp-")) found.push_back(name);
    }
    return found;
  };
  for (int poll = 0; poll < 20000 && temporaries().empty(); ++poll) ::usleep(500);
  ::kill(writer, SIGKILL);
  ::waitpid(writer, nullptr, 0);
  ASSERT_FALSE(temporaries().empty()) << "the writer was not caught in a save";

  EXPECT_TRUE(files.WriteWholeFile(u"\\vexadeck.ini", "new"));
  EXPECT_THAT(HostNames(), ElementsAre("VexaDeck.ini"));
  EXPECT_EQ(tree.ReadHostFile("VexaDeck.ini"), "new");
}

TEST_F(PosixFileSystemTest, ASaveRemovesOnlyStaleTemporaryFilesOfItsOwnTarget) {
  const pid_t ended = EndedProcess();
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t alive = ::fork();  // a process saving the same file meanwhile
  ASSERT_GE(alive, 0);
  if (alive == 0) {
    char byte;
    ::close(pipeFds[1]);
    ::_exit(static_cast<int>(::read(pipeFds[0], &byte, 1)));
  }
  ::close(pipeFds[0]);

  tree.WriteHostFile("VexaDeck.ini", "old");
  const std::vector<std::string> kept = {
      TempName("VexaDeck.ini", alive, 0),         // its writer still runs
      TempName("Other.ini", ended, 0),            // another target
      TempName("VexaDeck.ini.bak", ended, 0),     // another target, with a longer name
      TempName("VexaDeck.ini", ended, 0) + "-1",  // not a temporary name
      ".vexa-tmp-VexaDeck.ini-" + std::to_string(ended) + "-x",
  };
  for (const std::string& name : kept) tree.WriteHostFile(name, "keep");
  tree.MakeDir(TempName("VexaDeck.ini", ended, 9));  // only files are removed
  tree.WriteHostFile(TempName("VexaDeck.ini", ended, 0), "stale");
  tree.WriteHostFile(TempName("VexaDeck.ini", ended, 12), "stale");
  // Left by an earlier process that had this process's id: they take the names this one would pick.
  for (unsigned long serial = 0; serial < 1000; ++serial) {
    tree.WriteHostFile(TempName("VexaDeck.ini", ::getpid(), serial), "stale");
  }

  EXPECT_TRUE(files.WriteWholeFile(u"\\VexaDeck.ini", "new"));
  EXPECT_EQ(tree.ReadHostFile("VexaDeck.ini"), "new");
  std::vector<std::string> expected = kept;
  expected.push_back(TempName("VexaDeck.ini", ended, 9));
  expected.push_back("VexaDeck.ini");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(HostNames(), expected);

  ::close(pipeFds[1]);
  ::waitpid(alive, nullptr, 0);
}

TEST_F(PosixFileSystemTest, ATemporaryNameThatIsTakenIsPassedOver) {
  tree.WriteHostFile("Skin.ini", "old");
  // Entries a clean-up leaves alone (it removes files only) that hold the names this process picks.
  for (unsigned long serial = 0; serial < 2000; ++serial)
    tree.MakeDir(TempName("Skin.ini", ::getpid(), serial));
  EXPECT_TRUE(files.WriteWholeFile(u"\\Skin.ini", "new"));
  EXPECT_TRUE(files.CopyFile(u"\\Skin.ini", u"\\Skin.ini", false));
  EXPECT_EQ(tree.ReadHostFile("Skin.ini"), "new");
}

// --- Deleting, renaming, copying, folders ---

TEST_F(PosixFileSystemTest, DeleteFileRemovesFilesOnly) {
  tree.WriteHostFile("Old.txt", "");
  tree.MakeDir("Folder");
  EXPECT_TRUE(files.DeleteFile(u"\\old.TXT"));
  EXPECT_FALSE(files.DeleteFile(u"\\old.TXT"));
  EXPECT_FALSE(files.DeleteFile(u"\\Folder"));
  EXPECT_FALSE(files.DeleteFile(u"\\"));
  EXPECT_THAT(HostNames(), ElementsAre("Folder"));
}

TEST_F(PosixFileSystemTest, RenameFailsOverAnotherEntryButChangesLetterCase) {
  tree.WriteHostFile("a.txt", "a");
  tree.WriteHostFile("B.txt", "b");
  EXPECT_FALSE(files.RenameFile(u"\\a.txt", u"\\b.TXT"));
  EXPECT_FALSE(files.RenameFile(u"\\missing.txt", u"\\c.txt"));
  EXPECT_TRUE(files.RenameFile(u"\\a.txt", u"\\A.TXT"));
  EXPECT_THAT(HostNames(), ElementsAre("A.TXT", "B.txt"));
  EXPECT_TRUE(files.RenameFile(u"\\A.TXT", u"\\a.txt"));
  EXPECT_TRUE(files.RenameFile(u"\\a.txt", u"\\a.txt"));
  EXPECT_THAT(HostNames(), ElementsAre("B.txt", "a.txt"));
  EXPECT_EQ(tree.ReadHostFile("B.txt"), "b");
}

TEST_F(PosixFileSystemTest, RenameMovesFilesAndFolders) {
  tree.WriteHostFile("Skin/gauge/speed.bmp", "s");
  tree.MakeDir("Archive");
  EXPECT_TRUE(files.RenameFile(u"\\skin\\GAUGE", u"\\Skin\\Gauge.old"));
  EXPECT_TRUE(files.RenameFile(u"\\skin\\gauge.old\\SPEED.bmp", u"\\archive\\Speed.bmp"));
  EXPECT_THAT(HostNames("Skin"), ElementsAre("Gauge.old"));
  EXPECT_THAT(HostNames("Archive"), ElementsAre("Speed.bmp"));
  EXPECT_FALSE(files.RenameFile(u"\\Archive\\Speed.bmp", u"\\Missing\\Speed.bmp"));
  EXPECT_FALSE(files.RenameFile(u"\\", u"\\Root"));
  EXPECT_FALSE(files.RenameFile(u"\\Archive\\Speed.bmp", u"\\Speed\\"));
}

TEST_F(PosixFileSystemTest, CopyReplacesOnlyWhenAllowedAndKeepsTheSourceModes) {
  tree.WriteHostFile("tool.exe", "tool");
  fs::permissions(tree.root() / "tool.exe", fs::perms(0755));
  tree.WriteHostFile("other.exe", "other");
  EXPECT_FALSE(files.CopyFile(u"\\TOOL.exe", u"\\OTHER.exe", true));
  EXPECT_EQ(tree.ReadHostFile("other.exe"), "other");
  EXPECT_TRUE(files.CopyFile(u"\\TOOL.exe", u"\\OTHER.exe", false));
  EXPECT_EQ(tree.ReadHostFile("other.exe"), "tool");
  EXPECT_TRUE(files.CopyFile(u"\\tool.exe", u"\\New.exe", true));
  EXPECT_EQ(tree.ReadHostFile("New.exe"), "tool");
  EXPECT_EQ(Mode("New.exe"), 0755u);
  EXPECT_FALSE(files.CopyFile(u"\\missing.exe", u"\\x.exe", false));
  EXPECT_FALSE(files.CopyFile(u"\\tool.exe", u"\\Missing\\x.exe", false));
  EXPECT_THAT(HostNames(), ElementsAre("New.exe", "other.exe", "tool.exe"));
}

TEST_F(PosixFileSystemTest, FoldersAreMadeUnderExistingParentsAndRemovedWhenEmpty) {
  EXPECT_TRUE(files.CreateDirectory(u"\\Storage Card"));
  EXPECT_FALSE(files.CreateDirectory(u"\\STORAGE CARD"));
  EXPECT_FALSE(files.CreateDirectory(u"\\Missing\\Child"));
  EXPECT_FALSE(files.CreateDirectory(u"\\"));
  EXPECT_TRUE(files.CreateDirectory(u"\\storage card\\Skin\\"));
  EXPECT_TRUE(files.WriteWholeFile(u"\\storage card\\skin\\a.bmp", "x"));
  EXPECT_FALSE(files.RemoveDirectory(u"\\Storage Card\\Skin"));
  EXPECT_FALSE(files.RemoveDirectory(u"\\Storage Card\\Skin\\a.bmp"));
  EXPECT_TRUE(files.DeleteFile(u"\\Storage Card\\Skin\\a.bmp"));
  EXPECT_TRUE(files.RemoveDirectory(u"\\STORAGE CARD\\SKIN"));
  EXPECT_FALSE(files.RemoveDirectory(u"\\"));
  EXPECT_THAT(HostNames(), ElementsAre("Storage Card"));
  EXPECT_TRUE(fs::is_empty(tree.root() / "Storage Card"));
}

// --- Host paths ---

TEST_F(PosixFileSystemTest, HostPathsUseStoredNamesAndKeepMissingOnesAsGiven) {
  tree.MakeDir("Storage Card/Music");
  EXPECT_EQ(files.HostPath(u"\\storage card\\MUSIC\\New\\Song.mp3"), Host("Storage Card/Music/New/Song.mp3"));
  EXPECT_EQ(files.HostPath(u"\\"), fs::canonical(tree.root()).string());
}

TEST_F(PosixFileSystemTest, DevicePathsOfHostPathsInsideTheTree) {
  tree.WriteHostFile("Storage Card/Navi/navi.exe", "");
  EXPECT_EQ(files.DevicePath(Host("Storage Card/Navi/navi.exe")), u"\\Storage Card\\Navi\\navi.exe");
  EXPECT_EQ(files.DevicePath(Host("Storage Card/Navi/../x.exe")), u"\\Storage Card\\x.exe");
  EXPECT_EQ(files.DevicePath(tree.root().string()), u"\\");
  EXPECT_EQ(files.DevicePath(tree.root().string() + "/"), u"\\");
  EXPECT_EQ(files.DevicePath(*files.HostPath(u"\\storage card\\NAVI")), u"\\Storage Card\\Navi");
  EXPECT_EQ(files.DevicePath(Host("../elsewhere.exe")), std::nullopt);
  EXPECT_EQ(files.DevicePath(tree.root().string() + "-other/x.exe"), std::nullopt);
  EXPECT_EQ(files.DevicePath("/usr/bin/env"), std::nullopt);
  EXPECT_EQ(files.DevicePath(Host("a:b")), std::nullopt);
  EXPECT_EQ(files.DevicePath(""), std::nullopt);
}

// --- Korean names ---

TEST_F(PosixFileSystemTest, KoreanNamesAreStoredAsUtf8AndFound) {
  EXPECT_TRUE(files.CreateDirectory(u"\\저장소 카드"));
  EXPECT_TRUE(files.CreateDirectory(u"\\저장소 카드\\음악파일"));
  EXPECT_TRUE(files.WriteWholeFile(u"\\저장소 카드\\음악파일\\노래.mp3", "♪"));
  EXPECT_EQ(tree.ReadHostFile("저장소 카드/음악파일/노래.mp3"), "♪");
  EXPECT_EQ(files.ReadFile(u"저장소 카드\\음악파일\\노래.MP3"), "♪");
  EXPECT_THAT(Names(u"\\저장소 카드\\음악파일\\*.mp3"), ElementsAre(u"노래.mp3"));
  EXPECT_THAT(Names(u"\\저장소 카드\\음악파일\\노?.*"), ElementsAre(u"노래.mp3"));
  EXPECT_EQ(files.DevicePath(Host("저장소 카드/음악파일/노래.mp3")), u"\\저장소 카드\\음악파일\\노래.mp3");
}

}  // namespace
}  // namespace vexa::platform
