#include "platform/headless/ScriptedFileWatcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/headless/Scenario.h"
#include "tests/headless/LogCapture.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(ScriptedFileWatcherTest, OnlyChangesInWatchedFoldersAreHandedOnAndEveryReportIsLogged) {
  testing::LogCapture capture;
  ScriptedFileWatcher watcher(capture.log);
  watcher.Watch(u"\\Storage Card\\Skin\\Default");
  watcher.Watch(u"\\storage card\\skin\\default\\");  // the same folder
  EXPECT_EQ(watcher.folders().size(), 1u);

  watcher.Notify(u"\\Storage Card\\Skin\\DEFAULT\\skin800x480.ini");
  watcher.Notify(u"\\Storage Card\\Skin\\Default\\button\\a.png");  // a sub-folder: not watched
  watcher.Notify(u"\\Storage Card\\Skin\\Default");                 // the folder itself
  EXPECT_THAT(watcher.TakeChanges(),
              ElementsAre(FileChange{u"\\Storage Card\\Skin\\Default", u"skin800x480.ini"},
                          FileChange{u"\\Storage Card\\Skin\\Default", u""}));
  EXPECT_THAT(watcher.TakeChanges(), IsEmpty());

  const auto lines = capture.Lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_THAT(lines[0], HasSubstr(R"("event":"file_watch","folder":"\\Storage Card\\Skin\\Default")"));
  EXPECT_THAT(lines[2], HasSubstr(R"("event":"file_changed")"));
  EXPECT_THAT(lines[2], HasSubstr(R"("watched":true)"));
  EXPECT_THAT(lines[3], HasSubstr(R"("watched":false)"));

  watcher.Clear();
  watcher.Notify(u"\\Storage Card\\Skin\\Default\\skin800x480.ini");
  EXPECT_THAT(watcher.TakeChanges(), IsEmpty());
}

TEST(ScriptedFileWatcherTest, TheScenarioNamesTheChangedFileAndOptionallyItsNewContent) {
  auto parsed = Scenario::Parse(
      "file-changed \"\\Storage Card\\a.ini\"\n"
      "file-changed \"\\Storage Card\\a.ini\" new.ini\n");
  ASSERT_TRUE(std::holds_alternative<Scenario>(parsed));
  auto& scenario = std::get<Scenario>(parsed);
  const auto first = scenario.Next();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->verb, ScenarioVerb::kFileChanged);
  EXPECT_EQ(first->value, u"\\Storage Card\\a.ini");
  EXPECT_TRUE(first->hostPath.empty());
  EXPECT_EQ(scenario.Next()->hostPath, "new.ini");

  for (const char* wrong : {"file-changed\n", "file-changed \"\"\n", "file-changed \"\\a\" b c\n"}) {
    EXPECT_TRUE(std::holds_alternative<ScenarioError>(Scenario::Parse(wrong))) << wrong;
  }
}

}  // namespace
}  // namespace vexa::platform
