// The task list opened from a launcher slot, headless, over windows of other programs that the
// scenario sets up.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "deck/DeckProgram.h"
#include "tests/deckapp/DeckRunFixture.h"

namespace vexa::deck {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

int RunDeckProgram(platform::Platform& platform, platform::ui::UserInterface& ui) {
  return RunDeck(platform, ui);
}

class TaskListWindowTest : public DeckRunTest {
 protected:
  TaskListWindowTest() { WriteSkin("skin800x480.ini", Element(1, "GO-TASKMAN", "10,10", "200,60")); }

  // Other programs' windows, then the launcher's start-up, then a tap on the task list's slot.
  static std::string Opening() {
    return "window \"Navigation\" class \"NaviMain\" icon 200,40,40\n"
           "window \"Music\" icon 40,160,40\n"
           "window \"\" class \"Untitled\"\n"
           "window \"Desktop\" class \"DesktopExplorerWindow\"\n"
           "window \"Tray helper\" hidden\n"
           "wait 1500\n"
           "tap 100 40\n";
  }

  // The titles of the rows the task list added (or removed), in order.
  std::vector<std::string> Rows(const std::string& event) const {
    std::vector<std::string> titles;
    for (const auto& line : Log()) {
      if (line.find("\"event\":\"" + event + "\"") == std::string::npos) continue;
      const auto at = line.find("\"title\":\"") + 9;
      titles.push_back(line.substr(at, line.find('"', at) - at));
    }
    return titles;
  }
};

TEST_F(TaskListWindowTest, GoTaskmanListsTheProgramsWindowsAndEndTaskEndsOne) {
  ASSERT_EQ(Run(Opening() + "choose \"Task List\" \"Running programs\" \"Music\"\n"
                            "click \"Task List\" \"End Task\"\n"
                            "wait 3000\n"
                            "click \"Task List\" \"Return\"\n"
                            "quit\n",
                RunDeckProgram),
            0);
  const auto added = Rows("task_row_added");
  // The launcher's own window counts as a program's window too; untitled, hidden and desktop ones do not.
  EXPECT_THAT(added, AllOf(Contains("Navigation"), Contains("Music"), Not(Contains("")),
                           Not(Contains("Desktop")), Not(Contains("Tray helper"))));
  EXPECT_EQ(std::count(added.begin(), added.end(), "Music"), 1);
  EXPECT_THAT(Rows("window_close_posted"), ::testing::ElementsAre("Music"));
  EXPECT_THAT(Rows("task_row_removed"), ::testing::ElementsAre("Music"));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("command_seam"))));
}

TEST_F(TaskListWindowTest, OnTopAsksFirstAndNoChangesNothing) {
  ASSERT_EQ(Run(Opening() + "choose \"Task List\" \"Running programs\" \"Navigation\"\n"
                            "click \"Task List\" \"On Top\"\n"
                            "answer no\n"
                            "click \"Task List\" \"On Top\"\n"
                            "answer yes\n"
                            "click \"Task List\" \"Show\"\n"
                            "click \"Task List\" \"Switch\"\n"
                            "quit\n",
                RunDeckProgram),
            0);
  const auto log = Log();
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("\"message_box\""), HasSubstr("\"caption\":\"Confirm\""),
                                  HasSubstr("[Navigation] Set it on top?When on top no more toolbar!"),
                                  HasSubstr("\"answer\":\"no\""))));
  // One change for the Yes, then Show takes it back; Switch brings the window forward.
  EXPECT_THAT(Rows("window_topmost"), ::testing::ElementsAre("Navigation", "Navigation"));
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("window_topmost"), HasSubstr("\"on\":true"))));
  EXPECT_THAT(Rows("window_foreground"), ::testing::ElementsAre("Navigation"));
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("window_closed"), HasSubstr("Task List"))));
}

}  // namespace
}  // namespace vexa::deck
