// The shortcut checker: its rows, the re-rooting, the six marks and the rewritten shortcut.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lnkchk/LinkCheck.h"
#include "tests/support/ForwardingFileSystem.h"
#include "tests/support/TestDevice.h"

namespace vexa::lnkchk {
namespace {

using ::testing::ElementsAre;

// A device whose card is mounted as \SDMMC, holding the navigation program there.
class LinkCheckTest : public ::testing::Test {
 protected:
  LinkCheckTest() { device.tree.WriteHostFile("SDMMC/Navi/navi.exe", "nav"); }

  LinkStatus Check(const std::string& shortcut, bool convert) {
    device.tree.WriteHostFile("SDMMC/VexaDeck/Programs/Navi.lnk", shortcut);
    return CheckShortcut(device.files, device.locale, u"\\SDMMC\\VexaDeck\\Programs\\Navi.lnk", u"\\SDMMC", convert);
  }
  std::string Written() const { return device.tree.ReadHostFile("SDMMC/VexaDeck/Programs/Navi.lnk"); }

  testing::TestDevice device{u"\\SDMMC\\VexaDeck\\VexaLnkChk.exe", platform::kLangKorean};
};

TEST_F(LinkCheckTest, AShortcutForAnotherCardIsFoundConvertibleThenRewrittenWithItsCount) {
  EXPECT_EQ(Check("23#\"\\Storage Card\\Navi\\navi.exe\"", false), LinkStatus::kConvertible);
  EXPECT_EQ(Written(), "23#\"\\Storage Card\\Navi\\navi.exe\"");  // a check writes nothing
  EXPECT_EQ(Check("23#\"\\Storage Card\\Navi\\navi.exe\"", true), LinkStatus::kConverted);
  EXPECT_EQ(Written(), "22#\"\\SDMMC\\Navi\\navi.exe\"");
  // The rewritten shortcut is good as it stands.
  EXPECT_EQ(CheckShortcut(device.files, device.locale, u"\\SDMMC\\VexaDeck\\Programs\\Navi.lnk", u"\\SDMMC", true),
            LinkStatus::kGood);
}

TEST_F(LinkCheckTest, OnlyTheTargetIsRerootedAndArgumentsAndLineEndsStay) {
  EXPECT_EQ(Check("60#\"\\Storage Card\\Navi\\navi.exe\" \"\\Storage Card\\Navi\\map.ini\"\r\n", true),
            LinkStatus::kConverted);
  EXPECT_EQ(Written(), "51#\"\\SDMMC\\Navi\\navi.exe\" \"\\Storage Card\\Navi\\map.ini\"\r\n");

  // Unquoted, with a blank in the card's name and arguments after it: split where a program exists.
  EXPECT_EQ(Check("31#\\My Card\\Navi\\navi.exe -gps COM2:", true), LinkStatus::kConverted);
  EXPECT_EQ(Written(), "31#\\SDMMC\\Navi\\navi.exe -gps COM2:");

  // A count that is no number is left alone; a shortcut without a count gets none.
  EXPECT_EQ(Check("x#\\CF\\Navi\\navi.exe", true), LinkStatus::kConverted);
  EXPECT_EQ(Written(), "x#\\SDMMC\\Navi\\navi.exe");
  EXPECT_EQ(Check("\\CF\\Navi\\navi.exe", true), LinkStatus::kConverted);
  EXPECT_EQ(Written(), "\\SDMMC\\Navi\\navi.exe");
}

TEST_F(LinkCheckTest, GoodMissingEmptyAndUnreadableShortcuts) {
  EXPECT_EQ(Check("20#\\SDMMC\\Navi\\navi.exe", true), LinkStatus::kGood);
  EXPECT_EQ(Check("28#\"\\Storage Card\\Navi\\gone.exe\"", true), LinkStatus::kMissing);
  EXPECT_EQ(Check("9#navi.exe", true), LinkStatus::kMissing);  // no second "\": nothing to re-root
  EXPECT_EQ(Check("", true), LinkStatus::kUnchanged);
  EXPECT_EQ(CheckShortcut(device.files, device.locale, u"\\SDMMC\\VexaDeck\\Programs\\None.lnk", u"\\SDMMC", false),
            LinkStatus::kUnreadable);
  EXPECT_EQ(MarkOf(LinkStatus::kUnchanged), u"");
  EXPECT_EQ(MarkOf(LinkStatus::kUnreadable), u"  [확인실패]");
}

// A device whose writes all fail, as on a card with its write protection on.
class RefusingWrites : public testing::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  bool WriteWholeFile(std::u16string_view, std::string_view) override { return false; }
};

TEST_F(LinkCheckTest, AShortcutThatCannotBeWrittenIsMarkedFailedAndKeepsItsText) {
  Check("23#\"\\Storage Card\\Navi\\navi.exe\"", false);
  RefusingWrites files(device.files);
  EXPECT_EQ(CheckShortcut(files, device.locale, u"\\SDMMC\\VexaDeck\\Programs\\Navi.lnk", u"\\SDMMC", true),
            LinkStatus::kConvertFailed);
  EXPECT_EQ(Written(), "23#\"\\Storage Card\\Navi\\navi.exe\"");

  // A shortcut longer than the part that is read is not cut short by a rewrite.
  const std::string padded = "23#\"\\Storage Card\\Navi\\navi.exe\" " + std::string(600, 'a');
  EXPECT_EQ(Check(padded, true), LinkStatus::kConvertFailed);
  EXPECT_EQ(Written(), padded);
}

TEST(RerootTest, ReplacesTheFirstFolderWhateverItsName) {
  EXPECT_EQ(Reroot(u"\\Storage Card\\Navi\\navi.exe", u"\\SDMMC"), u"\\SDMMC\\Navi\\navi.exe");
  EXPECT_EQ(Reroot(u"\\저장소 카드\\a.exe", u"\\Storage Card"), u"\\Storage Card\\a.exe");
  EXPECT_EQ(Reroot(u"\\navi.exe", u"\\SDMMC"), u"\\navi.exe");
  EXPECT_EQ(Reroot(u"C:\\x\\y", u"\\SDMMC"), u"C:\\SDMMC\\y");
}

TEST(ListShortcutsTest, RowsAreNumberedAcrossTheThreeGroupsInOrder) {
  testing::TestDevice device{u"\\SDMMC\\VexaDeck\\VexaLnkChk.exe"};
  device.tree.WriteHostFile("SDMMC/VexaDeck/Programs/Calc.lnk", "");
  device.tree.WriteHostFile("SDMMC/VexaDeck/Programs/Notes.txt", "");
  device.tree.MakeDir("SDMMC/VexaDeck/Programs/Folder.lnk");
  device.tree.WriteHostFile("SDMMC/VexaDeck/System/Explorer.lnk", "");
  device.tree.WriteHostFile("SDMMC/VexaDeck/System/Control.lnk", "");
  // No Games folder at all.
  const auto rows = ListShortcuts(device.files, u"\\SDMMC\\VexaDeck");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].base, u"  1 | \\...\\Programs\\Calc.lnk");
  EXPECT_EQ(rows[0].path, u"\\SDMMC\\VexaDeck\\Programs\\Calc.lnk");
  EXPECT_EQ(rows[1].base.substr(0, 18), u"  2 | \\...\\System\\");
  EXPECT_EQ(rows[2].base.substr(0, 6), u"  3 | ");
}

TEST(ShortcutCheckerTest, ASecondPassLeavesGoodAndConvertedRowsAlone) {
  testing::TestDevice device{u"\\SDMMC\\VexaDeck\\VexaLnkChk.exe", platform::kLangKorean};
  device.tree.WriteHostFile("SDMMC/Navi/navi.exe", "nav");
  device.tree.WriteHostFile("SDMMC/VexaDeck/Programs/Good.lnk", "20#\\SDMMC\\Navi\\navi.exe");
  device.tree.WriteHostFile("SDMMC/VexaDeck/Programs/Moved.lnk", "27#\\Storage Card\\Navi\\navi.exe");
  device.tree.WriteHostFile("SDMMC/VexaDeck/Games/Empty.lnk", "");
  ShortcutChecker checker(device.files, device.locale, u"\\SDMMC", u"\\SDMMC\\VexaDeck");
  ASSERT_EQ(checker.rows().size(), 3u);
  std::vector<int> changed;
  auto record = [&changed](int row, std::u16string_view) { changed.push_back(row); };

  checker.Pass(false, record);
  const int good = checker.rows()[0].path.ends_with(u"Good.lnk") ? 0 : 1;
  const int moved = 1 - good;
  EXPECT_EQ(checker.shown()[good], checker.rows()[good].base + u"  [정상]");
  EXPECT_EQ(checker.shown()[moved], checker.rows()[moved].base + u"  [변환가능]");
  EXPECT_EQ(checker.shown()[2], checker.rows()[2].base);  // the empty shortcut shows no mark
  EXPECT_EQ(checker.rows()[2].base, u"  3 | \\...\\Games\\Empty.lnk");

  // With the program gone, a row found good is still not looked at again.
  changed.clear();
  checker.Pass(true, record);
  EXPECT_THAT(changed, ElementsAre(moved));
  EXPECT_EQ(checker.shown()[moved], checker.rows()[moved].base + u"  [변환완료]");
  std::filesystem::remove(device.tree.root() / "SDMMC/Navi/navi.exe");
  changed.clear();
  checker.Pass(false, record);
  EXPECT_TRUE(changed.empty());
}

}  // namespace
}  // namespace vexa::lnkchk
