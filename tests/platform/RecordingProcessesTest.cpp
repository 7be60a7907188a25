#include "platform/headless/RecordingProcesses.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/posix/PosixFileSystem.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using Record = RecordingProcesses::StartRecord;

MATCHER_P2(Process, id, exeFile, "") {
  return arg.id == id && arg.exeFile == exeFile;
}

class RecordingProcessesTest : public ::testing::Test {
 protected:
  RecordingProcessesTest() : files_(tree_.root().string()), processes_(files_) {
    tree_.WriteHostFile("Storage Card/Player/Player.exe", "");
    tree_.WriteHostFile("Windows/explorer.exe", "");
    tree_.MakeDir("Storage Card/Maps");
  }

  testing::TempDeviceTree tree_;
  PosixFileSystem files_;
  RecordingProcesses processes_;
};

TEST_F(RecordingProcessesTest, StartsSucceedOnlyForExistingFilesAndAreAllRecorded) {
  EXPECT_TRUE(processes_.Start(u"\\Storage Card\\Player\\Player.exe", u"\"\\Storage Card\\a.m3u\""));
  EXPECT_FALSE(processes_.Start(u"\\Storage Card\\Player\\Missing.exe", u""));
  EXPECT_FALSE(processes_.Start(u"\\Storage Card\\Maps", u"x"));
  processes_.FailStartsOf(u"\\WINDOWS\\Explorer.exe");
  EXPECT_FALSE(processes_.Start(u"\\Windows\\explorer.exe", u""));

  EXPECT_THAT(processes_.started(),
              ElementsAre(Record{u"\\Storage Card\\Player\\Player.exe", u"\"\\Storage Card\\a.m3u\"", true},
                          Record{u"\\Storage Card\\Player\\Missing.exe", u"", false},
                          Record{u"\\Storage Card\\Maps", u"x", false},
                          Record{u"\\Windows\\explorer.exe", u"", false}));
  EXPECT_THAT(processes_.List(), ElementsAre(Process(1000u, u"Player.exe")));
}

TEST_F(RecordingProcessesTest, StartedProgramsJoinTheSetRunningListWithFreshIds) {
  processes_.SetRunning({{1000, u"nk.exe"}, {7, u"gwes.exe"}});
  ASSERT_TRUE(processes_.Start(u"\\Storage Card\\Player\\Player.exe", u""));
  ASSERT_TRUE(processes_.Start(u"\\Windows\\explorer.exe", u""));

  EXPECT_THAT(processes_.List(), ElementsAre(Process(1000u, u"nk.exe"), Process(7u, u"gwes.exe"),
                                             Process(1001u, u"Player.exe"), Process(1002u, u"explorer.exe")));
}

TEST_F(RecordingProcessesTest, TerminateRemovesKnownProcessesOnly) {
  processes_.SetRunning({{7, u"gwes.exe"}, {42, u"Navi.exe"}});

  EXPECT_TRUE(processes_.Terminate(42));
  EXPECT_FALSE(processes_.Terminate(42));
  EXPECT_FALSE(processes_.Terminate(5));

  EXPECT_THAT(processes_.List(), ElementsAre(Process(7u, u"gwes.exe")));
  EXPECT_THAT(processes_.terminated(), ElementsAre(42u));
}

}  // namespace
}  // namespace vexa::platform
