#include "deck/media/ShortcutListModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/text/Text.h"
#include "platform/headless/MemoryFileSystem.h"

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;

std::vector<std::u16string> Names(const ShortcutListModel& model) {
  std::vector<std::u16string> names;
  for (std::size_t i = 0; i < model.size(); ++i) names.push_back(model.NameAt(i));
  return names;
}

std::vector<std::u16string> Labels(const ShortcutListModel& model) {
  std::vector<std::u16string> labels;
  for (int slot = 0; slot < ShortcutListModel::kPageSize; ++slot) labels.push_back(model.Label(slot));
  return labels;
}

TEST(ShortcutListModelTest, NamesAreSortedWithoutRegardToCaseAndEqualNamesKeepTheirOrder) {
  ShortcutListModel model;
  for (const char16_t* name : {u"navi.lnk", u"Alpha.lnk", u"NAVI.lnk", u"beta.lnk", u"Navi.lnk", u"alpha.lnk"}) {
    model.Insert(name);
  }
  EXPECT_THAT(Names(model),
              ElementsAre(u"Alpha.lnk", u"alpha.lnk", u"beta.lnk", u"navi.lnk", u"NAVI.lnk", u"Navi.lnk"));
  // An insertion answers where the name went: after the names equal to it.
  EXPECT_EQ(model.Insert(u"BETA.lnk"), 3u);
}

TEST(ShortcutListModelTest, LabelsDropTheExtensionOnly) {
  EXPECT_EQ(LabelOf(u"Navi.lnk"), u"Navi");
  EXPECT_EQ(LabelOf(u"Pocket.Word.lnk"), u"Pocket.Word");
  EXPECT_EQ(LabelOf(u"NoDot"), u"NoDot");
  EXPECT_EQ(LabelOf(u".lnk"), u"");
}

TEST(ShortcutListModelTest, TheListStopsAtOneHundredNames) {
  platform::MemoryFileSystem files;
  for (int i = 0; i < 130; ++i) {
    ASSERT_TRUE(files.AddFile(u"\\Games\\g" + text::FromInt(1000 + i) + u".lnk", "1#x"));
  }
  files.AddFile(u"\\Games\\readme.txt", "");
  files.CreateDirectories(u"\\Games\\a folder.lnk");
  ShortcutListModel model;
  model.Fill(files, u"\\Games", u"*.lnk");
  ASSERT_EQ(model.size(), ShortcutListModel::kMaxNames);
  EXPECT_EQ(model.NameAt(0), u"g1000.lnk");  // the folder is no shortcut
  EXPECT_EQ(model.NameAt(99), u"g1099.lnk");
  EXPECT_EQ(model.Insert(u"a.lnk"), std::nullopt);
  EXPECT_EQ(model.size(), ShortcutListModel::kMaxNames);
}

TEST(ShortcutListModelTest, PagesHoldTwelveNamesAndCountFromOneOnTheLabel) {
  ShortcutListModel model;
  for (int i = 0; i < 25; ++i) model.Insert(u"p" + text::FromInt(100 + i) + u".lnk");
  EXPECT_EQ(model.PageLabel(), u"-1-");
  EXPECT_FALSE(model.Prev());
  EXPECT_EQ(model.Label(0), u"p100");
  EXPECT_EQ(model.Label(11), u"p111");

  ASSERT_TRUE(model.Next());
  EXPECT_EQ(model.PageLabel(), u"-2-");
  EXPECT_EQ(model.Label(0), u"p112");
  ASSERT_TRUE(model.Next());
  EXPECT_THAT(Labels(model), ElementsAre(u"p124", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u""));
  EXPECT_FALSE(model.Next());  // nothing lies beyond the third page
  EXPECT_EQ(model.page(), 2);
  EXPECT_EQ(model.Label(-1), u"");
  EXPECT_EQ(model.Label(12), u"");

  ASSERT_TRUE(model.Prev());
  EXPECT_EQ(model.PageLabel(), u"-2-");
  model.ShowPageOf(0);
  EXPECT_EQ(model.page(), 0);
  model.ShowPageOf(500);  // beyond the list: the page stays
  EXPECT_EQ(model.page(), 0);
}

TEST(ShortcutListModelTest, TwelveNamesMakeOnePageAndAnEmptyListShowsEmptyButtons) {
  ShortcutListModel model;
  EXPECT_FALSE(model.Next());
  EXPECT_EQ(model.Label(0), u"");
  for (int i = 0; i < 12; ++i) model.Insert(u"n" + text::FromInt(10 + i) + u".lnk");
  EXPECT_FALSE(model.Next());
  model.Insert(u"z.lnk");
  EXPECT_TRUE(model.Next());
}

TEST(ShortcutListModelTest, ADeletedNameKeepsItsPlaceAndShowsDeletedOnEveryVisit) {
  ShortcutListModel model;
  for (int i = 0; i < 14; ++i) model.Insert(u"n" + text::FromInt(10 + i) + u".lnk");
  model.MarkDeleted(1);
  EXPECT_EQ(model.Label(1), ShortcutListModel::kDeletedLabel);
  EXPECT_EQ(model.Label(2), u"n12");
  model.Next();
  model.MarkDeleted(5);  // an empty button: nothing to mark
  EXPECT_EQ(model.Label(0), u"n22");
  model.Prev();
  EXPECT_EQ(model.Label(1), ShortcutListModel::kDeletedLabel);
  EXPECT_EQ(model.size(), 14u);
}

TEST(ShortcutListModelTest, TheFourKindsListTheirOwnFolderAndFiles) {
  EXPECT_EQ(InfoFor(ShortcutKind::kApplication).title, u"Applicaion");
  EXPECT_EQ(InfoFor(ShortcutKind::kApplication).folder, FolderKey::kApplication);
  EXPECT_EQ(InfoFor(ShortcutKind::kSystem).folder, FolderKey::kSystem);
  EXPECT_EQ(InfoFor(ShortcutKind::kGame).title, u"Game");
  EXPECT_EQ(InfoFor(ShortcutKind::kFlash).pattern, u"*.swf");
  EXPECT_EQ(InfoFor(ShortcutKind::kFlash).extension, u".swf");
  EXPECT_EQ(InfoFor(ShortcutKind::kGame).pattern, u"*.lnk");
}

}  // namespace
}  // namespace vexa::deck
