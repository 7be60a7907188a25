#include "common/Launcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/Environment.h"
#include "common/text/CodePage.h"
#include "tests/support/TestDevice.h"

namespace vexa {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestDevice;
using Start = platform::RecordingProcesses::StartRecord;

class LauncherTest : public ::testing::Test {
 protected:
  LauncherTest() {
    device.tree.WriteHostFile("Storage Card/Navi/navi.exe", "program");
    device.tree.WriteHostFile("Storage Card/My Apps/Big Player.exe", "program");
    device.tree.WriteHostFile("Windows/explorer.exe", "program");
    device.tree.WriteHostFile("Storage Card/readme.txt", "text");
  }

  void WriteShortcut(std::string_view relative, std::u16string_view content) {
    device.tree.WriteHostFile(relative, text::Encode(content, 1252));
  }

  TestDevice device;
  Environment env{device.platform};
};

TEST_F(LauncherTest, AProgramFileStartsWithTheCallersArguments) {
  EXPECT_TRUE(env.Launch(1, u"\\%STORAGE%\\Navi\\NAVI.EXE", u"-gps COM2:"));
  EXPECT_THAT(device.processes.started(),
              ElementsAre(Start{u"\\Storage Card\\Navi\\NAVI.EXE", u"-gps COM2:", true}));
  EXPECT_THAT(device.messageBoxes.shown(), IsEmpty());
}

TEST_F(LauncherTest, FailuresAreReportedWithThePathAndTheirOwnMessage) {
  EXPECT_FALSE(env.Launch(3, u"\\Storage Card\\readme.txt"));
  EXPECT_FALSE(env.Launch(3, u"\\Storage Card\\NoExtension"));
  EXPECT_FALSE(env.Launch(3, u"\\Storage Card\\missing.exe"));
  EXPECT_FALSE(env.Launch(3, u"\\Storage Card\\missing.lnk"));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Error|\\Storage Card\\readme.txt file not sopported",
                                          u"Error|\\Storage Card\\NoExtension file type unknown",
                                          u"Error|\\Storage Card\\missing.exe cant be executed",
                                          u"Error|\\Storage Card\\missing.lnk file not found."));
  EXPECT_EQ(device.messageBoxes.shown()[0].request.owner, 3u);
  EXPECT_EQ(device.messageBoxes.shown()[0].request.icon, platform::MessageIcon::kInformation);
}

TEST_F(LauncherTest, EachProgramSpeaksItsOwnLanguage) {
  TestDevice korean(u"\\Storage Card\\VexaDeck\\VexaDeck.exe", platform::kLangKorean);
  Environment deck(korean.platform);
  Environment runner(korean.platform, Flavor::kRunner);
  deck.Launch(0, u"a.txt");
  deck.Launch(0, u"a");
  deck.Launch(0, u"\\a.exe");
  deck.Launch(0, u"\\a.lnk");
  runner.Launch(0, u"\\a.exe");
  Environment englishRunner(device.platform, Flavor::kRunner);
  englishRunner.Launch(0, u"a");
  englishRunner.Launch(0, u"a.doc");
  englishRunner.Launch(0, u"\\a.exe");
  EXPECT_THAT(korean.Boxes(), ElementsAre(u"에러|a.txt은 지원하지 않는 파일유형 입니다.",
                                          u"에러|a의 파일유형을 알 수 없습니다.", u"에러|\\a.exe를 실행할 수 없습니다.",
                                          u"에러|\\a.lnk를 찾을 수 없습니다.", u"에러|\\a.exe를 실행할수 없습니다."));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Error|a is unknown file type.", u"Error|a.doc is does not support file type.",
                                          u"Error|\\a.exe is does not execute."));
}

TEST_F(LauncherTest, ShortcutFormsStartTheirTargetWithTheRightArguments) {
  WriteShortcut("Windows/Desktop/Navi.lnk", u"27#\"\\Storage Card\\Navi\\navi.exe\"");
  WriteShortcut("Windows/Desktop/Args.lnk", u"27#\"\\Storage Card\\Navi\\navi.exe\" \"-map europe\"");
  WriteShortcut("Windows/Desktop/Explorer.lnk", u"22#\\Windows\\explorer.exe\r\n");
  WriteShortcut("Windows/Desktop/Token.lnk", u"30#\"\\%STORAGE%\\Navi\\navi.exe\"");

  EXPECT_TRUE(env.Launch(0, u"\\Windows\\Desktop\\navi.LNK"));
  EXPECT_TRUE(env.Launch(0, u"\\Windows\\Desktop\\Navi.lnk", u"\\Storage Card\\list.pls"));
  EXPECT_TRUE(env.Launch(0, u"\\Windows\\Desktop\\Args.lnk", u"ignored"));
  EXPECT_TRUE(env.Launch(0, u"\\Windows\\Desktop\\Explorer.lnk"));
  EXPECT_TRUE(env.Launch(0, u"\\Windows\\Desktop\\Token.lnk"));
  EXPECT_THAT(device.processes.started(),
              ElementsAre(Start{u"\\Storage Card\\Navi\\navi.exe", u"", true},
                          Start{u"\\Storage Card\\Navi\\navi.exe", u"\"\\Storage Card\\list.pls", true},
                          Start{u"\\Storage Card\\Navi\\navi.exe", u"\"-map europe", true},
                          Start{u"\\Windows\\explorer.exe", u"", true},
                          Start{u"\\Storage Card\\Navi\\navi.exe", u"", true}));
}

TEST_F(LauncherTest, AnUnquotedTargetWithBlanksIsCutAfterTheLongestProgramPath) {
  WriteShortcut("a.lnk", u"35#\\Storage Card\\My Apps\\Big Player.exe");
  WriteShortcut("b.lnk", u"40#\\Storage Card\\My Apps\\Big Player.exe -loop  all");
  WriteShortcut("c.lnk", u"20#\\Storage Card\\No Such.exe");
  EXPECT_TRUE(env.Launch(0, u"\\a.lnk"));
  EXPECT_TRUE(env.Launch(0, u"\\b.lnk"));
  EXPECT_FALSE(env.Launch(0, u"\\c.lnk"));
  EXPECT_THAT(device.processes.started(),
              ElementsAre(Start{u"\\Storage Card\\My Apps\\Big Player.exe", u"", true},
                          Start{u"\\Storage Card\\My Apps\\Big Player.exe", u"\"-loop  all", true},
                          Start{u"\\Storage Card\\No Such.exe", u"", false}));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Error|\\Storage Card\\No Such.exe cant be executed"));
}

TEST_F(LauncherTest, AnEmptyShortcutSucceedsButOneThatNamesNothingCannotRun) {
  device.tree.WriteHostFile("empty.lnk", "");
  // What a card leaves after a failed write: bytes were read, but they hold no command line.
  device.tree.WriteHostFile("zero.lnk", std::string("\0\0\0", 3));
  device.tree.WriteHostFile("count.lnk", "27#");
  EXPECT_TRUE(env.Launch(0, u"\\empty.lnk"));
  EXPECT_FALSE(env.Launch(4, u"\\zero.lnk"));
  EXPECT_FALSE(env.Launch(4, u"\\count.lnk"));
  EXPECT_THAT(device.processes.started(), IsEmpty());
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Error|\\zero.lnk cant be executed", u"Error|\\count.lnk cant be executed"));
  EXPECT_EQ(device.messageBoxes.shown()[0].request.owner, 4u);
}

TEST_F(LauncherTest, UnquotedArgumentsAfterAQuotedTargetAreHandedOnAsWritten) {
  device.tree.WriteHostFile("Windows/ctlpnl.exe", "program");
  WriteShortcut("Windows/Programs/Power.lnk", u"21#\"\\Windows\\ctlpnl.exe\" cplmain.cpl,2");
  WriteShortcut("Windows/Programs/Two.lnk", u"40#\"\\Windows\\ctlpnl.exe\"  \"a b\" \"c\"\r\n");
  EXPECT_TRUE(env.Launch(0, u"\\Windows\\Programs\\Power.lnk", u"not used"));
  EXPECT_TRUE(env.Launch(0, u"\\Windows\\Programs\\Two.lnk"));
  EXPECT_THAT(device.processes.started(), ElementsAre(Start{u"\\Windows\\ctlpnl.exe", u"cplmain.cpl,2", true},
                                                      Start{u"\\Windows\\ctlpnl.exe", u"\"a b\" \"c", true}));
}

TEST_F(LauncherTest, OnlyTheFirst511BytesOfAShortcutCount) {
  // The quoted arguments run past byte 511; what lies beyond is never read, and the last byte read is
  // taken for the closing quote.
  const std::u16string head = u"27#\"\\Storage Card\\Navi\\navi.exe\" \"";
  const std::u16string arguments(511 - head.size(), u'a');
  WriteShortcut("long.lnk", head + arguments + u"XYZ\"");
  EXPECT_TRUE(env.Launch(0, u"\\long.lnk"));
  EXPECT_THAT(device.processes.started(),
              ElementsAre(Start{u"\\Storage Card\\Navi\\navi.exe", u"\"" + arguments.substr(1), true}));
}

TEST_F(LauncherTest, TheToolbarHandsOnNoCallerArguments) {
  TestDevice toolbarDevice(u"\\Storage Card\\VexaDeck\\VexaToolbar.exe");
  toolbarDevice.tree.WriteHostFile("Storage Card/Navi/navi.exe", "program");
  toolbarDevice.tree.WriteHostFile("n.lnk", "27#\"\\Storage Card\\Navi\\navi.exe\"");
  Environment toolbar(toolbarDevice.platform, Flavor::kToolbar);
  EXPECT_TRUE(toolbar.Launch(0, u"\\Storage Card\\Navi\\navi.exe", u"dropped"));
  EXPECT_TRUE(toolbar.Launch(0, u"\\n.lnk", u"dropped"));
  EXPECT_THAT(toolbarDevice.processes.started(),
              ElementsAre(Start{u"\\Storage Card\\Navi\\navi.exe", u"", true},
                          Start{u"\\Storage Card\\Navi\\navi.exe", u"", true}));
}

TEST_F(LauncherTest, AShortcutMadeByTheShellStartsItsTarget) {
  ASSERT_TRUE(device.shell.CreateShortcut(u"\\Windows\\Programs\\Navi.lnk", u"\"\\Storage Card\\Navi\\navi.exe\""));
  EXPECT_EQ(device.tree.ReadHostFile("Windows/Programs/Navi.lnk"), "29#\"\\Storage Card\\Navi\\navi.exe\"");
  EXPECT_FALSE(device.shell.CreateShortcut(u"\\windows\\programs\\NAVI.lnk", u"other"));  // never replaced
  EXPECT_TRUE(env.Launch(0, u"\\Windows\\Programs\\Navi.lnk"));
  EXPECT_THAT(device.processes.started(), ElementsAre(Start{u"\\Storage Card\\Navi\\navi.exe", u"", true}));
}

TEST_F(LauncherTest, AShortcutToAKoreanPathMadeOnAnEnglishDeviceKeepsItsTarget) {
  device.tree.WriteHostFile("Storage Card/\xEB\x82\xB4\xEB\xB9\x84/navi.exe", "program");
  ASSERT_TRUE(device.shell.CreateShortcut(u"\\Windows\\Programs\\K.lnk", u"\"\\Storage Card\\내비\\navi.exe\""));
  EXPECT_EQ(device.tree.ReadHostFile("Windows/Programs/K.lnk").substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_TRUE(env.Launch(0, u"\\Windows\\Programs\\K.lnk"));
  EXPECT_THAT(device.processes.started(), ElementsAre(Start{u"\\Storage Card\\내비\\navi.exe", u"", true}));
}

TEST(ShortcutParseTest, MalformedShortcutsNeverBreakTheReader) {
  auto none = [](std::u16string_view) { return false; };
  EXPECT_EQ(ParseShortcut(u"5#\"", none).target, u"");
  EXPECT_EQ(ParseShortcut(u"#\"abc\"", none).target, u"\"abc\"");  // "#\"" at position 0 is not the quoted form
  EXPECT_EQ(ParseShortcut(u"5#\"abc", none).target, u"ab");  // no closing quote: the last character goes
  EXPECT_EQ(ParseShortcut(u"1#\"\" \"", none).target, u"");
  EXPECT_EQ(ParseShortcut(u"1#\"\" \"", none).arguments, u"");
  EXPECT_EQ(ParseShortcut(u"no hash", none).target, u"no hash");
  const auto twoQuotes = ParseShortcut(u"9#\"x\"\"y\"", none);
  EXPECT_EQ(twoQuotes.target, u"x");
  EXPECT_EQ(twoQuotes.arguments, u"\"y");
  std::u16string garbage;
  std::uint32_t seed = 7;
  for (int round = 0; round < 2000; ++round) {
    garbage.clear();
    for (int i = 0; i < round % 40; ++i) {
      seed = seed * 1664525 + 1013904223;
      const char16_t alphabet[] = u"#\" \\ab.\r\n";
      garbage += alphabet[(seed >> 24) % 9];
    }
    ParseShortcut(garbage, [](std::u16string_view) { return true; });
    ParseShortcut(garbage, none);
  }
}

TEST_F(LauncherTest, BinaryGarbageInAShortcutGivesAClearResult) {
  std::string garbage(511, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 131 + 7) % 255 + 1);
  device.tree.WriteHostFile("junk.lnk", garbage);
  EXPECT_FALSE(env.Launch(0, u"\\junk.lnk"));
  ASSERT_EQ(device.messageBoxes.shown().size(), 1u);
}

TEST_F(LauncherTest, FoldersAndPickersWithoutAUserInterface) {
  EXPECT_EQ(env.BrowseForFolder(0, u"Music folder"), u"");
  env.SetControlFont({1, 1001}, 20, 700);  // nothing to do without controls
  EXPECT_TRUE(env.FileExists(u"\\storage card\\NAVI"));
  EXPECT_TRUE(env.FileExists(u"\\Storage Card\\Navi\\navi.exe"));
  EXPECT_FALSE(env.FileExists(u"\\Storage Card\\Navi\\gone.exe"));
  EXPECT_FALSE(env.KoreanUi());
}

}  // namespace
}  // namespace vexa
