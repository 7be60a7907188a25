#include "deck/tasks/TaskListModel.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vexa::tasks {
namespace {

using ::testing::ElementsAre;

// The device's top-level windows as a test lays them out, top of the z-order first.
class FakeWindows : public platform::ui::WindowList {
 public:
  struct Entry {
    ForeignWindow id;
    std::u16string title;
    std::u16string className;
    bool visible = true;
    std::optional<gfx::Bitmap> icon;
  };

  // A window on top of the others, with an icon of one colour unless `colour` is 0.
  ForeignWindow Add(std::u16string title, gfx::Pixel colour = 0, std::u16string className = u"App",
                    bool visible = true) {
    Entry entry{next_++, std::move(title), std::move(className), visible, std::nullopt};
    if (colour != 0) entry.icon = gfx::Bitmap(32, 32, colour);
    entries.insert(entries.begin(), std::move(entry));
    return entries.front().id;
  }
  void Remove(ForeignWindow window) {
    entries.erase(
        std::remove_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.id == window; }),
        entries.end());
  }

  std::optional<ForeignWindow> Find(std::optional<std::u16string_view>,
                                    std::optional<std::u16string_view>) override {
    return std::nullopt;
  }
  std::vector<ForeignWindow> Enumerate() override {
    std::vector<ForeignWindow> ids;
    for (const Entry& e : entries) ids.push_back(e.id);
    return ids;
  }
  bool IsVisible(ForeignWindow w) override { return Get(w) != nullptr && Get(w)->visible; }
  std::u16string Title(ForeignWindow w) override { return Get(w) ? Get(w)->title : u""; }
  std::u16string ClassName(ForeignWindow w) override { return Get(w) ? Get(w)->className : u""; }
  std::optional<gfx::Bitmap> Icon(ForeignWindow w) override { return Get(w) ? Get(w)->icon : std::nullopt; }
  bool SetForeground(ForeignWindow) override { return true; }
  bool PostClose(ForeignWindow) override { return true; }
  bool SetTopMost(ForeignWindow, bool) override { return true; }
  bool Show(ForeignWindow, bool) override { return true; }
  bool PressRightButton(ForeignWindow) override { return true; }
  bool SendKey(int) override { return true; }

  std::vector<Entry> entries;

 private:
  const Entry* Get(ForeignWindow w) const {
    for (const Entry& e : entries) {
      if (e.id == w) return &e;
    }
    return nullptr;
  }
  ForeignWindow next_ = 100;
};

constexpr gfx::Pixel kDefaultColour = 0xFF808080u;
constexpr gfx::Pixel kRed = 0xFFFF0000u;
constexpr gfx::Pixel kGreen = 0xFF00FF00u;
constexpr gfx::Pixel kBlue = 0xFF0000FFu;

class TaskListModelTest : public ::testing::Test {
 protected:
  TaskListModel Model(TaskEnumeration rules = {}) {
    return TaskListModel(windows, std::move(rules),
                         gfx::Bitmap(kSmallIconSide, kSmallIconSide, kDefaultColour));
  }
  static std::vector<std::u16string> Titles(const TaskListModel& model) {
    std::vector<std::u16string> titles;
    for (const TaskRow& row : model.rows()) titles.push_back(row.title);
    return titles;
  }
  // The colour each row's icon shows, read from the image list through the row's index.
  static std::vector<gfx::Pixel> IconColours(const TaskListModel& model) {
    std::vector<gfx::Pixel> colours;
    for (const TaskRow& row : model.rows()) colours.push_back(model.IconOf(row).At(8, 8));
    return colours;
  }

  FakeWindows windows;
};

TEST_F(TaskListModelTest, UntitledHiddenAndDesktopWindowsAreNeverListed) {
  windows.Add(u"Navigation");
  windows.Add(u"");                                      // a program whose main window has no title
  windows.Add(u"Desktop", 0, u"desktopexplorerwindow");  // the device's desktop, whatever the case
  windows.Add(u"Tray helper", 0, u"App", false);
  windows.Add(u"Vexa Toolbar 1.2");
  auto model = Model({.limit = 256, .leaveOut = {u"Vexa Toolbar 1.2"}});
  model.Refresh();
  EXPECT_THAT(Titles(model), ElementsAre(u"Navigation"));
}

TEST_F(TaskListModelTest, RowsKeepTheOrderTheyWereFirstSeenInAndAreNeverDoubled) {
  windows.Add(u"Music");
  windows.Add(u"Navigation");
  auto model = Model();
  model.Refresh();
  // Music comes to the front and a new window opens on top of everything.
  const ForeignWindow music = windows.entries.back().id;
  std::rotate(windows.entries.begin(), windows.entries.end() - 1, windows.entries.end());
  windows.Add(u"Video");
  const TaskListChanges changes = model.Refresh();
  EXPECT_THAT(Titles(model), ElementsAre(u"Navigation", u"Music", u"Video"));
  EXPECT_EQ(changes.appended, 1u);
  EXPECT_TRUE(changes.deleted.empty());
  EXPECT_EQ(model.rows()[1].window, music);
}

TEST_F(TaskListModelTest, AProgramThatEndsTakesItsRowAndItsIconAndTheOtherIconsStayRight) {
  windows.Add(u"Red", kRed);
  windows.Add(u"Plain");  // no icon of its own: the default
  const ForeignWindow green = windows.Add(u"Green", kGreen);
  windows.Add(u"Blue", kBlue);
  auto model = Model();
  model.Refresh();
  ASSERT_THAT(IconColours(model), ElementsAre(kBlue, kGreen, kDefaultColour, kRed));
  ASSERT_EQ(model.icons().size(), 4u);

  windows.Remove(green);
  const TaskListChanges changes = model.Refresh();
  EXPECT_THAT(Titles(model), ElementsAre(u"Blue", u"Plain", u"Red"));
  ASSERT_EQ(changes.deleted.size(), 1u);
  EXPECT_EQ(changes.deleted[0].index, 1u);
  EXPECT_TRUE(changes.iconsMoved);
  EXPECT_EQ(model.icons().size(), 3u);
  EXPECT_THAT(IconColours(model), ElementsAre(kBlue, kDefaultColour, kRed));

  // The default icon is never removed with a row.
  windows.Remove(windows.entries[1].id);  // Plain
  model.Refresh();
  EXPECT_EQ(model.icons().size(), 3u);
  EXPECT_THAT(IconColours(model), ElementsAre(kBlue, kRed));
  EXPECT_EQ(model.icons()[0].At(0, 0), kDefaultColour);
}

TEST_F(TaskListModelTest, OnlyTheFirst256QualifyingWindowsAreListed) {
  windows.Add(u"");  // not counted
  for (int i = 0; i < 257; ++i)
    windows.Add(u"Window " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
  auto model = Model();
  model.Refresh();
  ASSERT_EQ(model.rows().size(), 256u);
  EXPECT_EQ(model.rows().front().window, windows.entries.front().id);
  EXPECT_EQ(model.rows().back().window, windows.entries[255].id);
}

TEST_F(TaskListModelTest, WithoutASelectedRowTheFirstIsSelectedAndTheSelectionFollowsItsWindow) {
  const ForeignWindow first = windows.Add(u"First");
  const ForeignWindow second = windows.Add(u"Second");
  windows.Add(u"Third");
  auto model = Model();
  model.Refresh();
  EXPECT_EQ(model.selectedRow(), 0u);

  model.Select(2);
  windows.Remove(second);
  model.Refresh();
  EXPECT_EQ(model.selectedWindow(), first);
  EXPECT_EQ(model.selectedRow(), 1u);

  windows.Remove(first);
  model.Refresh();
  EXPECT_EQ(model.selectedRow(), 0u);
}

TEST(SmallIconTest, ShrinksToTheSmallSizeOverTheWhiteBackgroundKeyColourIncluded) {
  gfx::Bitmap icon(32, 32, 0xFFFF00FFu);  // the resource key colour: see-through
  gfx::FillRect(icon, {16, 0, 32, 32}, gfx::Rgb(0, 0, 255));
  const gfx::Bitmap small = SmallIcon(icon, true);
  EXPECT_EQ(small.size(), (gfx::Size{kSmallIconSide, kSmallIconSide}));
  EXPECT_EQ(small.At(2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(small.At(12, 2), 0xFF0000FFu);
  EXPECT_EQ(SmallIcon(icon, false).At(2, 2), 0xFFFF00FFu);  // a program's own icon keeps magenta
}

TEST(TaskTitleListTest, ARefillChoosesThePreviouslySelectedTitleAgainElseTheFirstRow) {
  FakeWindows windows;
  windows.Add(u"Notes");
  const ForeignWindow music = windows.Add(u"Music");
  windows.Add(u"Navigation");
  TaskTitleList list(windows, {.limit = 256, .leaveOut = {}, .titleLength = 260});
  list.Refresh();
  list.Select(1);  // Music
  windows.Add(u"Video");
  list.Refresh();
  EXPECT_EQ(list.rows().size(), 4u);
  EXPECT_EQ(list.selectedWindow(), music);
  windows.Remove(music);
  list.Refresh();
  EXPECT_EQ(list.selectedRow(), 0u);
}

}  // namespace
}  // namespace vexa::tasks
