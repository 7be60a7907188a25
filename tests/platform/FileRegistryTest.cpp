#include "platform/posix/FileRegistry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/MemoryFileSystem.h"

namespace vexa::platform {
namespace {

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
constexpr std::uint16_t kWestern = 1252;

class FileRegistryTest : public ::testing::Test {
 protected:
  FileRegistryTest() { files.CreateDirectories(u"\\Windows"); }

  std::string FileText() { return files.ReadFile(FileRegistry::kRegistryFile).value_or("(none)"); }

  MemoryFileSystem files;
};

TEST_F(FileRegistryTest, EveryValueReadsBackFromTheFileAsItWasSet) {
  const std::vector<std::uint8_t> long_bytes(40, 0xab);
  {
    FileRegistry registry(files, kWestern);
    EXPECT_TRUE(registry.SetString(kMachine, u"Software\\Vexa", u"Path", u"\\Storage Card\\\"Tools\""));
    EXPECT_TRUE(registry.SetString(kMachine, u"Software\\Vexa", u"", u"default"));
    EXPECT_TRUE(registry.SetString(kMachine, u"Software\\Vexa", u"@", u"two\r\nlines"));
    EXPECT_TRUE(registry.SetString(kMachine, u"Software\\Vexa", u"한글", u"지도"));
    EXPECT_TRUE(registry.SetDword(kMachine, u"Software\\Vexa", u"Count", 10));
    EXPECT_TRUE(registry.SetBinary(kMachine, u"Software\\Vexa", u"Long", long_bytes));
    EXPECT_TRUE(registry.SetBinary(RegistryRoot::kUsers, u"", u"Empty", {}));
    EXPECT_TRUE(registry.CreateKey(RegistryRoot::kCurrentUser, u"Empty\\Key"));
  }  // written when the registry goes away
  const std::string text = FileText();
  EXPECT_NE(
      text.find("[HKEY_LOCAL_MACHINE\\Software\\Vexa]\r\n\"Path\"=\"\\\\Storage Card\\\\\\\"Tools\\\"\"\r\n"
                "@=\"default\"\r\n\"@\"=hex(1):74,00,77,00,6f,00,0d,00,0a,00"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("\"Count\"=dword:0000000a\r\n"), std::string::npos);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Empty\\Key]\r\n"), std::string::npos);

  FileRegistry again(files, kWestern);
  const RegistryTree* tree = again.Tree();
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->Find(kMachine, u"Software\\Vexa", u"Path")->text, u"\\Storage Card\\\"Tools\"");
  EXPECT_EQ(tree->Find(kMachine, u"Software\\Vexa", u"")->text, u"default");
  EXPECT_EQ(tree->Find(kMachine, u"Software\\Vexa", u"@")->text, u"two\r\nlines");
  EXPECT_EQ(tree->Find(kMachine, u"Software\\Vexa", u"한글")->text, u"지도");
  EXPECT_EQ(tree->Find(kMachine, u"Software\\Vexa", u"Count")->number, 10u);
  EXPECT_EQ(tree->Find(kMachine, u"Software\\Vexa", u"Long")->bytes, long_bytes);
  EXPECT_EQ(tree->Find(RegistryRoot::kUsers, u"", u"Empty")->type, RegistryType::kBinary);
  EXPECT_TRUE(tree->HasKey(RegistryRoot::kCurrentUser, u"Empty\\Key"));
  EXPECT_EQ(FileRegistry::FileBytes(*tree), text);
}

TEST_F(FileRegistryTest, KeysAndNamesAreFoundWithoutRegardToCaseAndKeepTheirFirstSpelling) {
  FileRegistry registry(files, kWestern);
  EXPECT_TRUE(registry.CreateKey(kMachine, u"Software\\Vexa"));
  EXPECT_TRUE(registry.SetString(kMachine, u"SOFTWARE\\vexa\\Sub", u"Path", u"a"));
  EXPECT_TRUE(registry.SetDword(kMachine, u"software\\VEXA\\sub", u"PATH", 5));
  EXPECT_FALSE(registry.CreateKey(kMachine, u"Software\\\\Gap"));
  EXPECT_FALSE(registry.SetString(kMachine, u"Bad\nKey", u"x", u"y"));
  EXPECT_TRUE(registry.Flush());
  EXPECT_EQ(
      FileText(),
      "\xEF\xBB\xBFREGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Vexa\\Sub]\r\n\"Path\"=dword:00000005\r\n");
}

TEST_F(FileRegistryTest, AFileThatIsNoRegistryFileIsLeftAlone) {
  files.WriteWholeFile(FileRegistry::kRegistryFile, "[Clock]\r\nOffset=1\r\n");
  {
    FileRegistry registry(files, kWestern);
    EXPECT_FALSE(registry.SetString(kMachine, u"Software", u"a", u"b"));
    EXPECT_FALSE(registry.Flush());
  }
  EXPECT_EQ(FileText(), "[Clock]\r\nOffset=1\r\n");
}

}  // namespace
}  // namespace vexa::platform
