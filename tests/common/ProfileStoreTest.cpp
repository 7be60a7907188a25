#include "common/ProfileStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "common/text/CodePage.h"
#include "common/text/Text.h"
#include "tests/support/TestDevice.h"

namespace vexa {
namespace {

using ::testing::ElementsAre;
using testing::TestDevice;

class ProfileStoreTest : public ::testing::Test {
 protected:
  // Reads a file holding `bytes` into a fresh store.
  ProfileStore ReadBytes(std::string_view bytes) {
    device.tree.WriteHostFile("test.ini", bytes);
    ProfileStore store(device.platform);
    EXPECT_TRUE(store.Read(platform::kNoWindow, u"\\test.ini"));
    return store;
  }

  TestDevice device;
};

TEST_F(ProfileStoreTest, SectionsAndKeysMatchWithoutRegardToCaseAndValuesAreTrimmed) {
  auto store = ReadBytes("[Main]\r\nAutoRun = NAVI \r\n");
  EXPECT_EQ(store.GetString(u"main", u"autorun", u"x"), u"NAVI");
  EXPECT_EQ(store.GetString(u"MAIN", u"AUTORUN", u"x"), u"NAVI");
  EXPECT_EQ(store.GetString(u"main", u"missing", u"fallback"), u"fallback");
  EXPECT_EQ(store.GetString(u"other", u"autorun", u"fallback"), u"fallback");
}

TEST_F(ProfileStoreTest, SameContentComparesEntriesInOrderWithTheirSpellingAndSkipsRemovedOnes) {
  const auto text = "[Main]\r\nA=1\r\nB=2\r\n[Skin]\r\nC=3\r\n";
  auto store = ReadBytes(text);
  EXPECT_TRUE(store.SameContent(ReadBytes(text)));
  EXPECT_FALSE(store.SameContent(ReadBytes("[Main]\r\nA=1\r\nB=2\r\n[Skin]\r\nC=4\r\n")));
  EXPECT_FALSE(store.SameContent(ReadBytes("[Main]\r\nB=2\r\nA=1\r\n[Skin]\r\nC=3\r\n")));
  EXPECT_FALSE(store.SameContent(ReadBytes("[Main]\r\na=1\r\nB=2\r\n[Skin]\r\nC=3\r\n")));
  EXPECT_FALSE(store.SameContent(ReadBytes("[Main]\r\nA=1\r\nB=2\r\n")));

  // A key removed and set again comes last; removed entries do not count.
  auto changed = ReadBytes("[Main]\r\nA=1\r\nX=9\r\nB=2\r\n[Skin]\r\nC=3\r\n");
  changed.DeleteKey(u"Main", u"X");
  EXPECT_TRUE(store.SameContent(changed));
  EXPECT_TRUE(changed.SameContent(store));
  store.SetString(u"Main", u"A", u"5");
  EXPECT_FALSE(store.SameContent(changed));
}

TEST_F(ProfileStoreTest, NonAsciiSectionAndKeyNamesFoldToo) {
  device.tree.WriteHostFile("k.ini", "[\xC4rger]\r\n\xC9t\xE9=1\r\n");  // code page 1252 bytes
  ProfileStore store(device.platform);
  ASSERT_TRUE(store.Read(platform::kNoWindow, u"\\k.ini"));
  EXPECT_EQ(store.GetString(u"äRGER", u"éTÉ", u""), u"1");
}

TEST_F(ProfileStoreTest, ATextKeyKeepsItsBlanksAndOtherKeysDoNot) {
  auto store = ReadBytes("[Button1]\r\nText=  Navi  \r\ntext2=  Navi  \r\nTEXT =  x \r\n");
  EXPECT_EQ(store.GetString(u"Button1", u"text2", u""), u"Navi");
  EXPECT_EQ(store.GetString(u"Button1", u"Text", u""), u"  x ");
}

TEST_F(ProfileStoreTest, ALaterDuplicateReplacesTheValueInTheEarlierPlace) {
  auto store = ReadBytes("[S]\r\nA=1\r\nB=x\r\na=2\r\n");
  EXPECT_EQ(store.EntryCount(), 2u);
  EXPECT_EQ(store.GetString(u"s", u"A", u""), u"2");
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\out.ini"));
  EXPECT_EQ(device.tree.ReadHostFile("out.ini"), "[S]\r\nA=2\r\nB=x\r\n");
}

TEST_F(ProfileStoreTest, LinesOutsideAUsableSectionAreIgnored) {
  auto store = ReadBytes(
      "Before=1\r\n"       // no section yet
      "[X\r\n"             // "[" and one more character: an empty section name
      "Lost=1\r\n"
      " [Indented]\r\n"    // leading blank: not a header
      "[Main] \r\n"        // blank after "]": the "]" stays in the name
      "Kept=1\r\n"
      "no equals sign\r\n"
      "=empty key\r\n");
  std::vector<std::u16string> sections;
  store.GetSectionNames(sections);
  EXPECT_THAT(sections, ElementsAre(u"Main]"));
  EXPECT_EQ(store.GetString(u"Main]", u"Kept", u""), u"1");
  EXPECT_EQ(store.GetString(u"Main]", u"", u"none"), u"empty key");
  EXPECT_EQ(store.EntryCount(), 2u);
}

TEST_F(ProfileStoreTest, OnlyCrLfEndsALineAndTheLastLineNeedsNoEnd) {
  EXPECT_EQ(ReadBytes("[Main]\nA=1\nB=2\n").EntryCount(), 0u);
  EXPECT_EQ(ReadBytes("[Main]\r\nA=1").GetString(u"Main", u"A", u""), u"1");
}

TEST_F(ProfileStoreTest, GetIntConvertsLeadingDigitsAndFallsBackOnlyWhenAbsentOrEmpty) {
  auto store = ReadBytes(
      "[N]\r\nMixed=12abc\r\nWord=abc\r\nEmpty=\r\nNeg= -7\r\nBig=99999999999\r\nSmall=-99999999999\r\n");
  EXPECT_EQ(store.GetInt(u"N", u"Mixed", 5), 12);
  EXPECT_EQ(store.GetInt(u"N", u"Word", 5), 0);
  EXPECT_EQ(store.GetInt(u"N", u"Empty", 5), 5);
  EXPECT_EQ(store.GetInt(u"N", u"Missing", 5), 5);
  EXPECT_EQ(store.GetInt(u"N", u"Neg", 5), -7);
  EXPECT_EQ(store.GetInt(u"N", u"Big", 5), 2147483647);
  EXPECT_EQ(store.GetInt(u"N", u"Small", 5), -2147483647 - 1);
}

TEST_F(ProfileStoreTest, SaveWritesSectionsInOrderSeparatedByOneEmptyLine) {
  ProfileStore store(device.platform);
  store.SetString(u"Main", u"SkinFolder", u"%STORAGE%\\VexaDeck\\Skin");
  store.SetInt(u"Screen", u"Width", -800);
  store.SetString(u"main", u"Text", u" padded ");
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\VexaDeck.ini"));
  EXPECT_EQ(device.tree.ReadHostFile("VexaDeck.ini"),
            "[Main]\r\nSkinFolder=%STORAGE%\\VexaDeck\\Skin\r\nText= padded \r\n\r\n[Screen]\r\nWidth=-800\r\n");
}

TEST_F(ProfileStoreTest, AKeyStartingWithABracketIsSavedSoItReadsBackAsAKey) {
  // " [a=b" is a key "[a"; written at the start of a line it would turn into a section header.
  ProfileStore store = ReadBytes("[Main]\r\n [a=b\r\nAfter=1\r\n");
  EXPECT_EQ(store.GetString(u"Main", u"[a", u""), u"b");
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\test.ini"));
  EXPECT_EQ(device.tree.ReadHostFile("test.ini"), "[Main]\r\n [a=b\r\nAfter=1\r\n");
  ProfileStore again = ReadBytes(device.tree.ReadHostFile("test.ini"));
  EXPECT_EQ(again.GetString(u"Main", u"After", u""), u"1");
  EXPECT_EQ(again.GetString(u"Main", u"[a", u""), u"b");
}

TEST_F(ProfileStoreTest, DeletingAKeyKeepsItsSectionAndTheOtherEntriesFindable) {
  ProfileStore store(device.platform);
  store.SetString(u"A", u"only", u"1");
  store.SetString(u"B", u"x", u"1");
  store.SetString(u"B", u"y", u"2");
  store.SetString(u"B", u"z", u"3");
  store.DeleteKey(u"a", u"ONLY");
  store.DeleteKey(u"B", u"y");
  store.DeleteKey(u"B", u"absent");
  EXPECT_EQ(store.GetString(u"B", u"z", u""), u"3");
  store.SetString(u"B", u"z", u"4");
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\d.ini"));
  EXPECT_EQ(device.tree.ReadHostFile("d.ini"), "[A]\r\n\r\n[B]\r\nx=1\r\nz=4\r\n");
}

TEST_F(ProfileStoreTest, ManyKeysStayFindableThroughDeletesAndReadditionsInTheirOrder) {
  ProfileStore store(device.platform);
  for (int i = 0; i < 3000; ++i) store.SetInt(u"S" + text::FromInt(i % 7), u"Key" + text::FromInt(i), i);
  // Removing two thirds packs the list; what is left keeps its order and stays findable.
  for (int i = 0; i < 3000; ++i) {
    if (i % 3 != 0) store.DeleteKey(u"s" + text::FromInt(i % 7), u"KEY" + text::FromInt(i));
  }
  store.SetInt(u"S1", u"Key1", -1);  // added again: now last in its section
  EXPECT_EQ(store.EntryCount(), 1001u);
  for (int i = 0; i < 3000; ++i) {
    const int expected = i % 3 == 0 ? i : (i == 1 ? -1 : -2);
    ASSERT_EQ(store.GetInt(u"S" + text::FromInt(i % 7), u"key" + text::FromInt(i), -2), expected) << i;
  }
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\many.ini"));
  const std::string saved = device.tree.ReadHostFile("many.ini");
  EXPECT_LT(saved.find("Key0=0"), saved.find("Key7=7"));
  EXPECT_LT(saved.find("[S1]\r\nKey15=15"), saved.find("Key1=-1"));
  EXPECT_LT(saved.find("Key2997=2997"), saved.find("Key1=-1"));
  EXPECT_EQ(saved.find("Key2=2"), std::string::npos);
}

TEST_F(ProfileStoreTest, SavingAnEmptyStoreFailsAndLeavesTheFileAlone) {
  device.tree.WriteHostFile("keep.ini", "[Old]\r\nA=1\r\n");
  ProfileStore store(device.platform);
  EXPECT_FALSE(store.Save(platform::kNoWindow, u"\\keep.ini"));
  EXPECT_EQ(device.tree.ReadHostFile("keep.ini"), "[Old]\r\nA=1\r\n");
  EXPECT_TRUE(device.messageBoxes.shown().empty());
}

TEST_F(ProfileStoreTest, KoreanTextRoundTripsThroughTheKoreanCodePage) {
  TestDevice korean(u"\\저장소 카드\\VexaDeck\\VexaDeck.exe", platform::kLangKorean);
  ProfileStore store(korean.platform);
  store.SetString(u"Folder", u"Music", u"\\저장소 카드\\음악파일");
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\k.ini"));
  EXPECT_EQ(korean.tree.ReadHostFile("k.ini"),
            "[Folder]\r\nMusic=" + text::Encode(u"\\저장소 카드\\음악파일", 949) + "\r\n");
  ProfileStore again(korean.platform);
  ASSERT_TRUE(again.Read(platform::kNoWindow, u"\\K.INI"));
  EXPECT_EQ(again.GetString(u"folder", u"music", u""), u"\\저장소 카드\\음악파일");
}

TEST_F(ProfileStoreTest, SaveComposesCombiningMarks) {
  ProfileStore store(device.platform);
  store.SetString(u"S", u"Name", u"Caf\u0065\u0301");
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\c.ini"));
  EXPECT_EQ(device.tree.ReadHostFile("c.ini"), "[S]\r\nName=Caf\xE9\r\n");
}

TEST_F(ProfileStoreTest, ASectionLongerThanTheOldConversionBufferIsWrittenWhole) {
  ProfileStore store(device.platform);
  for (int i = 0; i < 200; ++i) store.SetInt(u"Long", u"Key" + text::FromInt(i), i);
  store.SetString(u"After", u"Last", u"yes");
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\long.ini"));
  EXPECT_GT(device.tree.ReadHostFile("long.ini").size(), 2000u);
  ProfileStore again(device.platform);
  ASSERT_TRUE(again.Read(platform::kNoWindow, u"\\long.ini"));
  EXPECT_EQ(again.GetInt(u"Long", u"Key199", -1), 199);
  EXPECT_EQ(again.GetString(u"After", u"Last", u""), u"yes");
}

TEST_F(ProfileStoreTest, ReadingAMissingFileEmptiesTheStoreAndNamesOnlyTheFile) {
  auto store = ReadBytes("[Main]\r\nA=1\r\n");
  EXPECT_FALSE(store.Read(7, u"\\Storage Card\\VexaDeck\\Missing.ini"));
  EXPECT_EQ(store.EntryCount(), 0u);
  ASSERT_EQ(device.messageBoxes.shown().size(), 1u);
  const auto& box = device.messageBoxes.shown()[0].request;
  EXPECT_EQ(box.owner, 7u);
  EXPECT_EQ(box.caption, u"Read");
  EXPECT_EQ(box.text, u"[Missing.ini] file could not be opened.");
  EXPECT_EQ(box.icon, platform::MessageIcon::kInformation);
}

TEST_F(ProfileStoreTest, AFileOverSixteenMegabytesIsRefusedAsUnreadable) {
  // Exactly the limit still reads.
  std::string limit = "[S]\r\nA=1\r\nB=";
  limit += std::string(kMaxIniFileBytes - limit.size() - 2, 'x') + "\r\n";
  ASSERT_EQ(limit.size(), kMaxIniFileBytes);
  auto store = ReadBytes(limit);
  EXPECT_EQ(store.GetInt(u"S", u"A", 0), 1);
  EXPECT_TRUE(device.messageBoxes.shown().empty());

  // One byte more, or a sparse file of 4 GB that would take the memory of the device, gives the box
  // of an unreadable file and an empty store.
  device.tree.WriteHostFile("over.ini", limit + "C");
  device.tree.WriteHostFile("huge.ini", "[S]\r\nA=1\r\n");
  std::filesystem::resize_file(device.tree.root() / "huge.ini", std::uintmax_t{4} << 30);
  EXPECT_FALSE(store.Read(platform::kNoWindow, u"\\over.ini"));
  EXPECT_EQ(store.EntryCount(), 0u);
  ASSERT_TRUE(store.Read(platform::kNoWindow, u"\\test.ini"));
  EXPECT_FALSE(store.Read(platform::kNoWindow, u"\\huge.ini"));
  EXPECT_EQ(store.EntryCount(), 0u);
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Read|[over.ini] file could not be opened.",
                                          u"Read|[huge.ini] file could not be opened."));
}

TEST_F(ProfileStoreTest, ErrorBoxesSpeakKoreanOnAKoreanDevice) {
  TestDevice korean(u"\\Storage Card\\VexaDeck\\VexaDeck.exe", platform::kLangKorean);
  ProfileStore store(korean.platform);
  EXPECT_TRUE(store.KoreanUi());
  EXPECT_FALSE(store.Read(platform::kNoWindow, u"none.ini"));
  store.SetString(u"A", u"b", u"c");
  EXPECT_FALSE(store.Save(platform::kNoWindow, u"\\No Folder\\x.ini"));
  EXPECT_THAT(korean.Boxes(), ElementsAre(u"읽기|[none.ini] 파일을 열 수 없습니다.",
                                          u"저장|[x.ini] 환경파일을 열 수 없습니다."));
  EXPECT_EQ(store.GetString(u"a", u"B", u""), u"c");  // a failed save leaves the store as it was
}

TEST_F(ProfileStoreTest, HostileInputGivesAClearResult) {
  // A zero byte ends the text.
  auto cut = ReadBytes(std::string("[S]\r\nA=1\r\nB=2\0\r\nC=3\r\n", 20));
  EXPECT_EQ(cut.GetString(u"S", u"A", u""), u"1");
  EXPECT_EQ(cut.GetString(u"S", u"C", u"none"), u"none");
  // Bytes the Korean code page does not define do not lose the rest of the line.
  TestDevice korean(u"\\Storage Card\\x.exe", platform::kLangKorean);
  korean.tree.WriteHostFile("bad.ini", "[S]\r\nA=\x81\xFFok\r\nB=\xB0\r\n");
  ProfileStore store(korean.platform);
  ASSERT_TRUE(store.Read(platform::kNoWindow, u"\\bad.ini"));
  EXPECT_EQ(store.GetString(u"S", u"A", u"").substr(1), u"\uFFFDok");
  EXPECT_FALSE(store.GetString(u"S", u"B", u"").empty());
  // A 10 MB line.
  auto huge = ReadBytes("[S]\r\nA=" + std::string(10 * 1024 * 1024, 'x') + "\r\nB=1\r\n");
  EXPECT_EQ(huge.GetString(u"S", u"A", u"").size(), 10u * 1024 * 1024);
  EXPECT_EQ(huge.GetInt(u"S", u"B", 0), 1);
  // Binary garbage.
  std::string garbage;
  std::uint32_t seed = 12345;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1103515245 + 12345;
    garbage += static_cast<char>((seed >> 16) & 0xFF);
  }
  garbage[0] = '[';
  ReadBytes(garbage);
}

TEST_F(ProfileStoreTest, ASaveThatFailsPartWayLeavesTheOldFileWhole) {
  const std::string old = "[Old]\r\nKeep=me\r\n";
  device.tree.WriteHostFile("VexaDeck.ini", old);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The child may write no more than 4 KB per file, as if the card were full.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    ProfileStore store(device.platform);
    store.SetString(u"New", u"Big", std::u16string(100000, u'x'));
    _exit(store.Save(platform::kNoWindow, u"\\VexaDeck.ini") ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save should have reported failure";
  EXPECT_EQ(device.tree.ReadHostFile("VexaDeck.ini"), old);
  ProfileStore store(device.platform);
  ASSERT_TRUE(store.Read(platform::kNoWindow, u"\\VexaDeck.ini"));
  std::vector<std::u16string> sections;
  store.GetSectionNames(sections);
  EXPECT_THAT(sections, ElementsAre(u"Old"));  // no half-written temporary file is listed either
}

TEST_F(ProfileStoreTest, KeyNamesOfASectionInFileOrderWithoutRemovedOnes) {
  auto store = ReadBytes("[A]\r\nOne=1\r\n[B]\r\nX=x\r\n[a]\r\nTwo=2\r\nThree=3\r\n");
  store.DeleteKey(u"A", u"two");
  std::vector<std::u16string> keys{u"stale"};
  store.GetKeyNames(u"a", keys);
  EXPECT_THAT(keys, ElementsAre(u"One", u"Three"));
  store.GetKeyNames(u"none", keys);
  EXPECT_TRUE(keys.empty());
}

// Large files are read a piece at a time, their text kept as read: what comes out must not depend on
// where the pieces end. Lines of every kind cross the places where a piece ends, one line is longer
// than a piece, a section comes back far on under another spelling and a key is given again there.
TEST_F(ProfileStoreTest, ALargeFileReadsAsItsLinesSayWhereverItsPiecesEnd) {
  std::string file;
  std::string expected;  // what a save writes: each section once, its keys in first order
  constexpr int kSections = 3000;
  for (int s = 0; s < kSections; ++s) {
    const std::string n = std::to_string(s);
    if (s == 1500) file += "[Empty]\r\n";  // a header without keys makes no section
    file += "[Sec" + n + "]\r\n";
    expected += (s > 0 ? "\r\n[Sec" : "[Sec") + n + "]\r\n";
    for (int k = 0; k < 10; ++k) {
      std::string value = "v" + n + "-" + std::to_string(k);
      if (s == 0 && k == 0) value = "last";  // given again at the end
      if (s == 2000 && k == 3) value = std::string(100000, 'x');
      file += (k == 5 ? "  K" : "K") + std::to_string(k) + " = " + (s == 0 && k == 0 ? "first" : value) + " \r\n";
      expected += "K" + std::to_string(k) + "=" + value + "\r\n";
    }
    if (s == 0) expected += "Extra=1\r\n";
  }
  file += "[sec0]\r\nk0=last\r\nExtra=1";  // no line end at the very end
  auto store = ReadBytes(file);
  EXPECT_EQ(store.EntryCount(), kSections * 10u + 1u);
  EXPECT_EQ(store.GetString(u"SEC0", u"k0", u""), u"last");
  EXPECT_EQ(store.GetString(u"Sec2000", u"K3", u"").size(), 100000u);
  EXPECT_EQ(store.GetString(u"Sec2999", u"K9", u""), u"v2999-9");
  EXPECT_EQ(store.GetString(u"Empty", u"K0", u"none"), u"none");
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\out.ini"));
  EXPECT_TRUE(device.tree.ReadHostFile("out.ini") == expected);  // (too long to print)

  // Setting values after such a read: shorter in place, longer at the pool's end, and many at once
  // until the pool is rebuilt; nothing else changes.
  store.SetString(u"Sec1", u"K1", u"s");
  store.SetString(u"Sec2", u"K2", std::u16string(300, u'y'));
  for (int s = 100; s < 1100; ++s) store.SetString(u"Sec" + text::FromInt(s), u"K4", std::u16string(40, u'z'));
  EXPECT_EQ(store.GetString(u"Sec1", u"K1", u""), u"s");
  EXPECT_EQ(store.GetString(u"Sec2", u"K2", u""), std::u16string(300, u'y'));
  EXPECT_EQ(store.GetString(u"Sec1099", u"K4", u""), std::u16string(40, u'z'));
  EXPECT_EQ(store.GetString(u"Sec1099", u"K5", u""), u"v1099-5");
  EXPECT_EQ(store.GetString(u"Sec2000", u"K3", u"").size(), 100000u);
}

TEST_F(ProfileStoreTest, AUtf8FileOfManyPiecesKeepsItsKoreanAndEndsAtItsFirstZero) {
  std::string file = "\xEF\xBB\xBF[\xED\x95\x9C]\r\n";  // [한]
  for (int i = 0; i < 20000; ++i) file += "\xED\x82\xA4" + std::to_string(i) + "=\xEA\xB0\x92" + std::to_string(i) + "\r\n";
  file += "Last=ok";
  file += '\0';
  file += "\r\nHidden=1\r\n";
  ASSERT_GT(file.size(), 3u * 65536u);
  auto store = ReadBytes(file);
  EXPECT_EQ(store.EntryCount(), 20001u);
  EXPECT_EQ(store.GetString(u"한", u"키19999", u""), u"값19999");
  EXPECT_EQ(store.GetString(u"한", u"Last", u""), u"ok");
  EXPECT_EQ(store.GetString(u"한", u"Hidden", u"none"), u"none");
}

}  // namespace
}  // namespace vexa
