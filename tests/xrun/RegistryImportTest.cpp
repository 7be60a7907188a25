#include "xrun/RegistryImport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/text/Text.h"
#include "tests/support/TestDevice.h"

namespace vexa::xrun {
namespace {

using platform::RegistryRoot;
using ::testing::ElementsAre;

// Every call the importer makes, one line each: "key HKLM|Software\Vexa", "sz HKLM|Software|Path=...",
// "dword ...=10", "binary ...=01 02 ff".
class RecordingRegistry : public platform::Registry {
 public:
  bool CreateKey(RegistryRoot root, std::u16string_view subkey) override {
    calls.push_back("key " + Where(root, subkey));
    return true;
  }
  bool SetString(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                 std::u16string_view value) override {
    calls.push_back("sz " + Where(root, subkey) + "|" + text::ToUtf8(name) + "=" + text::ToUtf8(value));
    return true;
  }
  bool SetDword(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                std::uint32_t value) override {
    calls.push_back("dword " + Where(root, subkey) + "|" + text::ToUtf8(name) + "=" + std::to_string(value));
    return true;
  }
  bool SetBinary(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                 std::span<const std::uint8_t> bytes) override {
    std::string hex;
    for (const std::uint8_t b : bytes) {
      char piece[4];
      std::snprintf(piece, sizeof piece, hex.empty() ? "%02x" : " %02x", b);
      hex += piece;
    }
    calls.push_back("binary " + Where(root, subkey) + "|" + text::ToUtf8(name) + "=" + hex);
    return true;
  }
  bool Flush() override {
    ++flushes;
    return true;
  }

  std::vector<std::string> calls;
  int flushes = 0;

 private:
  static std::string Where(RegistryRoot root, std::u16string_view subkey) {
    static constexpr const char* kNames[] = {"HKCR", "HKCU", "HKLM", "HKU"};
    return std::string(kNames[static_cast<int>(root)]) + "|" + text::ToUtf8(subkey);
  }
};

class RegistryImportTest : public ::testing::Test {
 protected:
  RegistryImportTest() { device.platform.registry = &registry; }

  // Writes `content` as \Windows\in.reg and imports it.
  bool Import(std::string_view content) {
    device.files.WriteWholeFile(u"\\Windows\\in.reg", content);
    return ImportRegistryFile(device.platform, u"\\Windows\\in.reg", u"\\Storage Card\\Tools");
  }

  testing::TestDevice device{u"\\Storage Card\\Tools\\VexaXRun.exe"};
  RecordingRegistry registry;
};

TEST_F(RegistryImportTest, ValueFormsAreTestedInOrderOnTheRawValue) {
  EXPECT_TRUE(
      Import("regedit4\r\n"
             "\r\n"
             "[HKEY_LOCAL_MACHINE\\Software\\Vexa]\r\n"
             "\"Count\"=dword:00000010\r\n"
             "\"Path\"=\"%InstallDir%\"\r\n"
             "\"Data\"=hex:\r\n"
             "  01,02,\\\r\n"
             "  ff\r\n"
             "\"Odd\"=HEX:\r\n"
             "  1,zz,\r\n"
             "\"Same\"=hex:01,02\r\n"
             "\"Blank\" = dword:1\r\n"
             "\"Minus\"=dword:-1\r\n"
             "@=\"at\"\r\n"
             "=\"\\\\x\"\r\n"));
  EXPECT_THAT(
      registry.calls,
      ElementsAre("key HKLM|Software\\Vexa", "dword HKLM|Software\\Vexa|Count=10",
                  "sz HKLM|Software\\Vexa|Path=\\Storage Card\\Tools",
                  "binary HKLM|Software\\Vexa|Data=01 02 ff", "binary HKLM|Software\\Vexa|Odd=00 00 00",
                  "sz HKLM|Software\\Vexa|Same=hex:01,02", "sz HKLM|Software\\Vexa|Blank=dword:1",
                  "dword HKLM|Software\\Vexa|Minus=4294967295", "sz HKLM|Software\\Vexa|@=at",
                  "sz HKLM|Software\\Vexa|=\\\\x"));
  EXPECT_EQ(registry.flushes, 1);
  EXPECT_TRUE(device.Boxes().empty());
}

TEST_F(RegistryImportTest, KeyLinesOpenAKeyOnceAndSkipWhatNamesNoRoot) {
  EXPECT_TRUE(
      Import("REGEDIT4\r\n"
             "\"Early\"=\"skipped\"\r\n"
             "[HKEY_LOCAL_MACHINE]\r\n"
             "\"Root\"=\"r\"\r\n"
             "[hkey_current_user\\A]\r\n"
             "[HKEY_CURRENT_USER\\A]\r\n"
             "\"One\"=\"1\"\r\n"
             "[HKEY_CURRENT_USER\\a]\r\n"
             "[-HKEY_CURRENT_USER\\B]\r\n"
             "[HKEY_CURRENT_CONFIG\\C]\r\n"
             "\"Two\"=\"2\"\r\n"
             "[HKEY_USERS\\D\r\n"
             "; a comment\r\n"
             "[HKEY_CLASSES_ROOT\\.txt]\n\"Bare\"=\"lf\"\r\n"));
  EXPECT_THAT(registry.calls, ElementsAre("key HKLM|", "sz HKLM||Root=r", "key HKCU|A", "sz HKCU|A|One=1",
                                          "key HKCU|a", "sz HKCU|a|Two=2", "key HKCR|.txt"));
}

TEST_F(RegistryImportTest, HostileValuesStayInsideTheBuffer) {
  // 1025 pieces are skipped whole; a collection that never ends stops at the end of the text.
  std::string content = "REGEDIT4\r\n[HKEY_USERS\\K]\r\n\"Big\"=hex:\r\n";
  for (int i = 0; i < 1024; ++i) content += "00,";
  content += "00\r\n\"Fits\"=hex:\r\n";
  for (int i = 0; i < 1023; ++i) content += "7f,";
  content += "7f\r\n\"Endless\"=hex:\r\n";
  for (int i = 0; i < 20000; ++i) content += "01,\\\r\n";
  EXPECT_TRUE(Import(content));
  ASSERT_EQ(registry.calls.size(), 2u);
  EXPECT_EQ(registry.calls[1].size(), std::string("binary HKU|K|Fits=").size() + 1024 * 3 - 1);
}

TEST_F(RegistryImportTest, MultiValuesAreReportedAndTheTextEndsAtAZeroByte) {
  std::string content =
      "REGEDIT4\r\n[HKEY_USERS\\K]\r\n\"M\"=multi:a,\r\n  b ,\r\n c\r\n\"After\"=\"x\"\r\n\"Cut\"=\"y";
  content += '\0';
  content += "\"\r\n\"Gone\"=\"z\"\r\n";
  EXPECT_TRUE(Import(content));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"알림|[REG_MULTI_SZ]은 지원하지 않습니다.\r\n\"M\"=multi:a,b ,c"));
  EXPECT_THAT(registry.calls, ElementsAre("key HKU|K", "sz HKU|K|After=x", "sz HKU|K|Cut=\"y"));
}

TEST_F(RegistryImportTest, AFileThatCannotBeReadOrIsNoRegistryFileIsReported) {
  EXPECT_FALSE(ImportRegistryFile(device.platform, u"\\Windows\\none.reg", u"\\Tools"));
  EXPECT_FALSE(Import(""));
  EXPECT_FALSE(Import("REGEDIT\r\n[HKEY_USERS\\K]\r\n"));
  // UTF-16 text fails the header test.
  EXPECT_FALSE(
      Import(std::string("\xFF\xFER\0E\0G\0E\0D\0I\0T\0"
                         "4\0",
                         18)));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"알림|[\\Windows\\none.reg] 파일을 열수 없습니다.",
                                          u"알림|[\\Windows\\in.reg] 파일을 읽지 못했습니다.",
                                          u"알림|[\\Windows\\in.reg] 파일은 레지스트리 형식이 아닙니다.",
                                          u"알림|[\\Windows\\in.reg] 파일은 레지스트리 형식이 아닙니다."));
  EXPECT_TRUE(registry.calls.empty());
}

}  // namespace
}  // namespace vexa::xrun
