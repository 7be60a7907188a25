#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <utility>

#include "platform/headless/LoggingClockSetter.h"
#include "platform/headless/LoggingFileSystem.h"
#include "platform/headless/LoggingProcesses.h"
#include "platform/headless/LoggingSound.h"
#include "platform/headless/LoggingWindowList.h"
#include "platform/headless/RecordingProcesses.h"
#include "platform/headless/SilentSound.h"
#include "platform/posix/PosixFileSystem.h"
#include "tests/headless/LogCapture.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LoggingAdaptersTest : public ::testing::Test {
 protected:
  LoggingAdaptersTest() : files_(tree_.root().string()), logged_(files_, capture_.log) {
    tree_.WriteHostFile("Storage Card/Navi/navi.exe", "");
    tree_.WriteHostFile("Windows/a.txt", "old");
    tree_.WriteHostFile("Windows/ding.wav", "RIFF");
  }

  testing::TempDeviceTree tree_;
  PosixFileSystem files_;
  testing::LogCapture capture_;
  LoggingFileSystem logged_;
};

TEST_F(LoggingAdaptersTest, SuccessfulFileChangesAreLoggedWithTheGivenPaths) {
  capture_.clock.Advance(7);
  EXPECT_TRUE(logged_.WriteWholeFile(u"\\Windows\\b.txt", "new"));
  EXPECT_TRUE(logged_.CopyFile(u"\\Windows\\a.txt", u"\\Windows\\c.txt", true));
  EXPECT_TRUE(logged_.RenameFile(u"\\Windows\\c.txt", u"\\Windows\\d.txt"));
  EXPECT_TRUE(logged_.DeleteFile(u"\\WINDOWS\\d.txt"));
  EXPECT_TRUE(logged_.CreateDirectory(u"\\Maps"));
  EXPECT_TRUE(logged_.RemoveDirectory(u"\\Maps"));
  EXPECT_EQ(*logged_.ReadFile(u"\\Windows\\b.txt"), "new");
  EXPECT_THAT(
      capture_.Lines(),
      ElementsAre(R"({"t":7,"event":"file_written","path":"\\Windows\\b.txt"})",
                  R"({"t":7,"event":"file_written","path":"\\Windows\\c.txt"})",
                  R"({"t":7,"event":"file_renamed","from":"\\Windows\\c.txt","to":"\\Windows\\d.txt"})",
                  R"({"t":7,"event":"file_deleted","path":"\\WINDOWS\\d.txt"})",
                  R"({"t":7,"event":"folder_created","path":"\\Maps"})",
                  R"({"t":7,"event":"folder_removed","path":"\\Maps"})"));
}

TEST_F(LoggingAdaptersTest, FailedChangesAndReadsAreNotLogged) {
  EXPECT_FALSE(logged_.DeleteFile(u"\\Windows\\missing.txt"));
  EXPECT_FALSE(logged_.CopyFile(u"\\Windows\\a.txt", u"\\Windows\\ding.wav", true));
  EXPECT_FALSE(logged_.RenameFile(u"\\Windows\\a.txt", u"\\Windows\\ding.wav"));
  EXPECT_FALSE(logged_.WriteWholeFile(u"\\No Such Folder\\x.txt", "x"));
  EXPECT_FALSE(logged_.Open(u"\\Windows\\a.txt", OpenMode::kCreateNew));
  EXPECT_TRUE(logged_.Open(u"\\Windows\\a.txt", OpenMode::kRead));
  EXPECT_TRUE(logged_.Exists(u"\\Windows\\a.txt"));
  EXPECT_THAT(capture_.Lines(), IsEmpty());
}

TEST_F(LoggingAdaptersTest, OpeningToCreateIsAWriteAndReadWriteFilesLogTheirFirstWrite) {
  EXPECT_TRUE(logged_.Open(u"\\Windows\\new.txt", OpenMode::kCreateAlways));
  auto file = logged_.Open(u"\\Windows\\a.txt", OpenMode::kReadWrite);
  ASSERT_TRUE(file);
  std::array<std::byte, 2> buffer{};
  EXPECT_EQ(file->Read(buffer), 2u);
  EXPECT_EQ(capture_.Lines().size(), 1u);  // reading changes nothing
  const std::array<std::byte, 1> bytes{std::byte{'X'}};
  EXPECT_TRUE(file->Write(bytes));
  EXPECT_TRUE(file->Write(bytes));
  file.reset();
  EXPECT_EQ(tree_.ReadHostFile("Windows/a.txt"), "olXX");
  EXPECT_THAT(capture_.Lines(), ElementsAre(R"({"t":0,"event":"file_written","path":"\\Windows\\new.txt"})",
                                            R"({"t":0,"event":"file_written","path":"\\Windows\\a.txt"})"));
}

TEST_F(LoggingAdaptersTest, ProcessStartsAndEndsAreLoggedWithTheirOutcome) {
  RecordingProcesses recording(files_);
  LoggingProcesses processes(recording, capture_.log);
  EXPECT_TRUE(processes.Start(u"\\Storage Card\\Navi\\navi.exe", u"-gps \"COM2:\""));
  EXPECT_FALSE(processes.Start(u"\\Storage Card\\Navi\\gone.exe", u""));
  EXPECT_TRUE(processes.Terminate(1000));
  EXPECT_FALSE(processes.Terminate(1000));
  EXPECT_THAT(
      capture_.Lines(),
      ElementsAre(R"({"t":0,"event":"process_started","application":"\\Storage Card\\Navi\\navi.exe",)"
                  R"("command_line":"-gps \"COM2:\"","ok":true})",
                  R"({"t":0,"event":"process_started","application":"\\Storage Card\\Navi\\gone.exe",)"
                  R"("command_line":"","ok":false})",
                  R"({"t":0,"event":"process_ended","id":1000,"ok":true})",
                  R"({"t":0,"event":"process_ended","id":1000,"ok":false})"));
}

TEST_F(LoggingAdaptersTest, SilentSoundPlaysExistingFilesOnlyAndEveryRequestIsLogged) {
  SilentSound silent(files_);
  LoggingSound sound(silent, capture_.log);
  EXPECT_TRUE(sound.CanPlay());
  EXPECT_TRUE(sound.Play(u"\\windows\\DING.wav"));
  EXPECT_FALSE(sound.Play(u"\\Windows\\missing.wav"));
  EXPECT_FALSE(sound.Play(u"\\Windows"));
  EXPECT_THAT(capture_.Lines(),
              ElementsAre(R"({"t":0,"event":"sound_played","path":"\\windows\\DING.wav","ok":true})",
                          R"({"t":0,"event":"sound_played","path":"\\Windows\\missing.wav","ok":false})",
                          R"({"t":0,"event":"sound_played","path":"\\Windows","ok":false})"));
}

// Two windows, 1 "Navi" and 2 "Player"; closing one makes it go away, keys above 254 are refused.
class TwoWindows : public ui::WindowList {
 public:
  std::optional<ui::ForeignWindow> Find(std::optional<std::u16string_view>,
                                        std::optional<std::u16string_view>) override {
    return std::nullopt;
  }
  std::vector<ui::ForeignWindow> Enumerate() override { return {}; }
  bool IsVisible(ui::ForeignWindow) override { return true; }
  std::u16string Title(ui::ForeignWindow w) override {
    return w == 1 && !closed ? u"Navi" : w == 2 ? u"Player" : u"";
  }
  std::u16string ClassName(ui::ForeignWindow) override { return {}; }
  std::optional<gfx::Bitmap> Icon(ui::ForeignWindow) override { return std::nullopt; }
  bool SetForeground(ui::ForeignWindow w) override { return w == 1 || w == 2; }
  bool PostClose(ui::ForeignWindow w) override { return w == 1 && !std::exchange(closed, true); }
  bool SetTopMost(ui::ForeignWindow w, bool) override { return w == 2; }
  bool Show(ui::ForeignWindow w, bool) override { return w == 2; }
  bool PressRightButton(ui::ForeignWindow w) override { return w == 1; }
  bool SendKey(int key) override { return key > 0 && key < 255; }
  bool closed = false;
};

TEST_F(LoggingAdaptersTest, WindowOperationsThatSucceedAreLoggedWithTheTitleTheyHadBefore) {
  TwoWindows windows;
  LoggingWindowList list(windows, capture_.log);
  EXPECT_TRUE(list.SetForeground(2));
  EXPECT_FALSE(list.SetForeground(9));
  EXPECT_TRUE(list.PostClose(1));
  EXPECT_FALSE(list.PostClose(1));
  EXPECT_TRUE(list.SetTopMost(2, true));
  EXPECT_TRUE(list.Show(2, false));
  EXPECT_TRUE(list.PressRightButton(1));
  EXPECT_FALSE(list.PressRightButton(2));
  EXPECT_TRUE(list.SendKey(0x0D));
  EXPECT_FALSE(list.SendKey(300));
  EXPECT_THAT(capture_.Lines(),
              ElementsAre(R"({"t":0,"event":"window_foreground","title":"Player"})",
                          R"({"t":0,"event":"window_close_posted","title":"Navi"})",
                          R"({"t":0,"event":"window_topmost","title":"Player","on":true})",
                          R"({"t":0,"event":"window_shown","title":"Player","visible":false})",
                          R"({"t":0,"event":"window_right_button","title":""})",
                          R"({"t":0,"event":"key_sent","key":13})"));
}

}  // namespace
}  // namespace vexa::platform

namespace vexa::platform {
namespace {

TEST(LoggingClockSetterTest, LogsEveryAttemptWithTheUtcAskedForAndWhetherItWorked) {
  testing::LogCapture capture;
  LoggingClockSetter setter(capture.clock, capture.log);
  EXPECT_TRUE(setter.SetSystemTime(DateTime{2008, 1, 6, 5, 10, 0, 0, 0}));
  EXPECT_FALSE(setter.SetSystemTime(DateTime{2008, 13, 0, 5, 25, 0, 0, 0}));
  EXPECT_EQ(capture.clock.SystemTime(), (DateTime{2008, 1, 6, 5, 10, 0, 0, 0}));
  EXPECT_THAT(capture.Lines(), ElementsAre(R"({"t":0,"event":"clock_set","utc":"2008-01-05 10:00:00","ok":true})",
                                           R"({"t":0,"event":"clock_set","utc":"2008-13-05 25:00:00","ok":false})"));
}

}  // namespace
}  // namespace vexa::platform
