#include "common/text/DeviceText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/Environment.h"
#include "common/ProfileStore.h"
#include "common/ToolbarProfileStore.h"
#include "common/text/CodePage.h"
#include "common/text/Text.h"
#include "tests/support/TestDevice.h"

namespace vexa {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestDevice;
using Start = platform::RecordingProcesses::StartRecord;

const std::string kBom(text::kUtf8ByteOrderMark);

// Korean folder names on an English device and Thai on a Korean one: text the code page cannot hold.
struct DeviceCase {
  std::uint16_t langId;
  std::u16string foreign;
  std::u16string native;  // text the code page holds
};
void PrintTo(const DeviceCase& c, std::ostream* out) { *out << text::ToUtf8(c.foreign); }

class DeviceTextTest : public ::testing::TestWithParam<DeviceCase> {
 protected:
  TestDevice device{u"\\Storage Card\\VexaDeck\\VexaDeck.exe", GetParam().langId};
  std::uint16_t CodePage() { return device.locale.AnsiCodePage(); }
};

TEST_P(DeviceTextTest, TextTheCodePageCannotHoldIsSavedAsUtf8AndReadBack) {
  const std::u16string folder = u"\\Storage Card\\" + GetParam().foreign;
  ProfileStore store(device.platform);
  store.SetString(u"Folder", u"Mp3", folder);
  store.SetString(u"Button1", u"Text", u"  Caf\u0065\u0301 ");
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\VexaDeck.ini"));
  // Written as stored: combining marks are kept, nothing is composed or replaced.
  EXPECT_EQ(device.tree.ReadHostFile("VexaDeck.ini"),
            kBom + "[Folder]\r\nMp3=" + text::ToUtf8(folder) +
                "\r\n\r\n[Button1]\r\nText=" + text::ToUtf8(u"  Caf\u0065\u0301 ") + "\r\n");
  ProfileStore again(device.platform);
  ASSERT_TRUE(again.Read(platform::kNoWindow, u"\\VexaDeck.ini"));
  EXPECT_EQ(again.GetString(u"folder", u"mp3", u""), folder);
  EXPECT_EQ(again.GetString(u"Button1", u"Text", u""), u"  Caf\u0065\u0301 ");
  std::vector<std::u16string> sections;
  again.GetSectionNames(sections);
  EXPECT_THAT(sections, ElementsAre(u"Folder", u"Button1"));  // the mark is no part of the first line
}

TEST_P(DeviceTextTest, TextThatFitsIsWrittenInTheCodePageEvenWhenItWasReadAsUtf8) {
  const std::u16string native = GetParam().native;
  device.tree.WriteHostFile("skin.ini", kBom + "[Main]\r\nName=" + text::ToUtf8(native) + "\r\n");
  ProfileStore store(device.platform);
  ASSERT_TRUE(store.Read(platform::kNoWindow, u"\\skin.ini"));
  EXPECT_EQ(store.GetString(u"Main", u"Name", u""), native);
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\skin.ini"));
  EXPECT_EQ(device.tree.ReadHostFile("skin.ini"),
            "[Main]\r\nName=" + text::Encode(native, CodePage()) + "\r\n");
  // A character lost when the file was read stays the '?' it always was, in the code page form.
  device.tree.WriteHostFile("bad.ini", "[Main]\r\nName=\x81\r\n");
  ASSERT_TRUE(store.Read(platform::kNoWindow, u"\\bad.ini"));
  ASSERT_TRUE(store.Save(platform::kNoWindow, u"\\bad.ini"));
  EXPECT_FALSE(device.tree.ReadHostFile("bad.ini").starts_with(kBom));
}

TEST_P(DeviceTextTest, AUtf8ShortcutStartsItsTarget) {
  const std::u16string target = u"\\Storage Card\\" + GetParam().foreign + u"\\navi.exe";
  device.tree.WriteHostFile("Storage Card/" + text::ToUtf8(GetParam().foreign) + "/navi.exe", "program");
  device.tree.WriteHostFile("Navi.lnk", kBom + text::ToUtf8(u"40#\"" + target + u"\""));
  Environment env(device.platform);
  EXPECT_TRUE(env.Launch(0, u"\\Navi.lnk"));
  EXPECT_THAT(device.processes.started(), ElementsAre(Start{target, u"", true}));
  EXPECT_THAT(device.messageBoxes.shown(), IsEmpty());
}

TEST_P(DeviceTextTest, TheToolbarStoreSavesAndReadsUtf8Too) {
  TestDevice toolbarDevice(u"\\Storage Card\\VexaDeck\\VexaToolbar.exe", GetParam().langId);
  ToolbarProfileStore store(toolbarDevice.platform);
  store.SetString(u"Group1", u"Name", GetParam().foreign);
  ASSERT_TRUE(store.Save(u"\\VexaToolbar.ini"));
  EXPECT_TRUE(toolbarDevice.tree.ReadHostFile("VexaToolbar.ini").starts_with(kBom));
  ToolbarProfileStore again(toolbarDevice.platform);
  ASSERT_TRUE(again.Read(u"\\VexaToolbar.ini"));
  EXPECT_EQ(again.GetString(u"Group1", u"Name", u""), GetParam().foreign);
}

INSTANTIATE_TEST_SUITE_P(EnglishAndKorean, DeviceTextTest,
                         ::testing::Values(DeviceCase{platform::kLangEnglishUs, u"음악파일", u"Caf\u00E9 1"},
                                           DeviceCase{platform::kLangKorean, u"เพลง", u"음악 1"}),
                         [](const auto& info) {
                           return info.param.langId == platform::kLangKorean ? "Korean" : "English";
                         });

TEST(DeviceTextCodingTest, OnlyALeadingMarkMeansUtf8) {
  EXPECT_EQ(text::DecodeDeviceText("\xEF\xBB\xBF\xEC\x9D\x8C", 1252), u"음");
  EXPECT_EQ(text::DecodeDeviceText("a\xEF\xBB\xBF", 1252), u"a\u00EF\u00BB\u00BF");
  EXPECT_EQ(text::DecodeDeviceText("\xEF\xBB\xBF", 949), u"");
  // Code page text that would begin with the mark's bytes is written as UTF-8, so it reads back.
  const std::u16string lookalike = u"\u00EF\u00BB\u00BF[Main]";
  EXPECT_EQ(text::DecodeDeviceText(text::EncodeDeviceText(lookalike, 1252), 1252), lookalike);
  EXPECT_EQ(text::EncodeDeviceText(u"\u00EF[Main]", 1252), "\xEF[Main]");
}

}  // namespace
}  // namespace vexa
