#include "platform/ModuleLocation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/HostExecutable.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LocateModuleTest : public ::testing::Test {
 protected:
  LocateModuleTest() {
    tree_.MakeDir("Device/WINDOWS");
    tree_.WriteHostFile("Device/Storage Card/VexaDeck/VexaDeck.exe", "");
  }

  std::string Host(std::string_view relative) const { return (Root() / relative).string(); }
  fs::path Root() const { return fs::canonical(tree_.root()); }

  testing::TempDeviceTree tree_;
};

TEST_F(LocateModuleTest, TheRootIsTheNearestFolderAboveTheProgramHoldingAWindowsFolder) {
  const auto location = LocateModule({Host("Device/Storage Card/VexaDeck/VexaDeck.exe"), {}, {}});
  ASSERT_TRUE(location);
  EXPECT_EQ(location->hostRoot, Host("Device"));
  EXPECT_EQ(location->devicePath, u"\\Storage Card\\VexaDeck\\VexaDeck.exe");

  // A nearer system folder makes a nearer root; a plain file named Windows does not count.
  tree_.MakeDir("Device/Storage Card/windows");
  tree_.WriteHostFile("Device/Storage Card/VexaDeck/Windows", "");
  const auto nearer = LocateModule({Host("Device/Storage Card/VexaDeck/VexaDeck.exe"), {}, {}});
  ASSERT_TRUE(nearer);
  EXPECT_EQ(nearer->hostRoot, Host("Device/Storage Card"));
  EXPECT_EQ(nearer->devicePath, u"\\VexaDeck\\VexaDeck.exe");
}

TEST_F(LocateModuleTest, WithoutAWindowsFolderAboveTheProgramThereIsNoLocation) {
  tree_.WriteHostFile("Loose/Tool.exe", "");
  EXPECT_FALSE(LocateModule({Host("Loose/Tool.exe"), {}, {}}));
  EXPECT_FALSE(LocateModule({"", {}, {}}));
}

TEST_F(LocateModuleTest, ExplicitRootAndModulePathWin) {
  tree_.MakeDir("Other/Windows");
  const std::string exe = Host("Device/Storage Card/VexaDeck/VexaDeck.exe");

  // The given root need not hold a system folder; the module path is still found below it.
  const auto rooted = LocateModule({exe, Host("Device/Storage Card"), {}});
  ASSERT_TRUE(rooted);
  EXPECT_EQ(rooted->hostRoot, Host("Device/Storage Card"));
  EXPECT_EQ(rooted->devicePath, u"\\VexaDeck\\VexaDeck.exe");

  const auto given = LocateModule({exe, Host("Other"), u"Storage Card/VexaDeck/VexaDeck.exe"});
  ASSERT_TRUE(given);
  EXPECT_EQ(given->hostRoot, Host("Other"));
  EXPECT_EQ(given->devicePath, u"\\Storage Card\\VexaDeck\\VexaDeck.exe");
}

TEST_F(LocateModuleTest, ExplicitRootThatIsNoFolderOrDoesNotHoldTheProgramFails) {
  tree_.MakeDir("Other/Windows");
  const std::string exe = Host("Device/Storage Card/VexaDeck/VexaDeck.exe");
  EXPECT_FALSE(LocateModule({exe, Host("Nowhere"), {}}));
  EXPECT_FALSE(LocateModule({exe, Host("Device/Storage Card/VexaDeck/VexaDeck.exe"), {}}));
  // Outside the given root and no module path: where the program is on the device is unknown.
  EXPECT_FALSE(LocateModule({exe, Host("Other"), {}}));
  // "Device2" starts with the root's name but is not inside it.
  tree_.WriteHostFile("Device2/VexaDeck.exe", "");
  EXPECT_FALSE(LocateModule({Host("Device2/VexaDeck.exe"), Host("Device"), {}}));
}

TEST(HostExecutablePath, NamesThisProgramFile) {
  const std::string path = HostExecutablePath();
  EXPECT_EQ(fs::path(path).filename(), "vexa_platform_tests");
  EXPECT_TRUE(fs::is_regular_file(path));
}

class ParseDeviceOptionsTest : public ::testing::Test {
 protected:
  DeviceOptions Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "VexaDeck");
    return ParseDeviceOptions(static_cast<int>(arguments.size()), arguments.data(),
                              [this](const char* name) -> const char* {
                                const auto found = environment_.find(name);
                                return found == environment_.end() ? nullptr : found->second.c_str();
                              });
  }

  std::map<std::string, std::string> environment_;
};

TEST_F(ParseDeviceOptionsTest, TakesOutBothOptionFormsAndKeepsTheRestInOrder) {
  const DeviceOptions options =
      Parse({"/a", "--device-root", "/dev/tree", "b c", "--module-path=\\Storage Card\\X.exe", "--lang", "KO",
             "--device-rooted"});
  EXPECT_EQ(options.locate.deviceRoot, "/dev/tree");
  EXPECT_EQ(options.locate.modulePath, u"\\Storage Card\\X.exe");
  EXPECT_EQ(options.language, "ko");
  EXPECT_THAT(options.arguments, ElementsAre("/a", "b c", "--device-rooted"));
  EXPECT_THAT(options.problems, IsEmpty());
  EXPECT_EQ(options.CommandLine(), u"/a \"b c\" --device-rooted");
}

TEST_F(ParseDeviceOptionsTest, TheEnvironmentFillsWhatTheCommandLineLeavesOpen) {
  environment_ = {
      {"VEXA_DEVICE_ROOT", "/env/tree"}, {"VEXA_MODULE_PATH", "\\env\\X.exe"}, {"VEXA_LANG", "en"}};
  const DeviceOptions fromEnvironment = Parse({});
  EXPECT_EQ(fromEnvironment.locate.deviceRoot, "/env/tree");
  EXPECT_EQ(fromEnvironment.locate.modulePath, u"\\env\\X.exe");
  EXPECT_EQ(fromEnvironment.language, "en");

  const DeviceOptions overridden = Parse({"--device-root=/cli", "--lang=ko"});
  EXPECT_EQ(overridden.locate.deviceRoot, "/cli");
  EXPECT_EQ(overridden.locate.modulePath, u"\\env\\X.exe");
  EXPECT_EQ(overridden.language, "ko");

  environment_ = {{"VEXA_DEVICE_ROOT", ""}};
  EXPECT_FALSE(Parse({}).locate.deviceRoot);
}

TEST_F(ParseDeviceOptionsTest, WrongOrMissingValuesAreReportedAndIgnored) {
  const DeviceOptions options = Parse({"--lang", "de", "--module-path=", "x", "--device-root"});
  EXPECT_FALSE(options.language);
  EXPECT_FALSE(options.locate.modulePath);
  EXPECT_FALSE(options.locate.deviceRoot);
  EXPECT_THAT(options.arguments, ElementsAre("x"));
  EXPECT_EQ(options.problems.size(), 3u);
}

TEST_F(ParseDeviceOptionsTest, DoubleDashPassesEverythingAfterItOn) {
  const DeviceOptions options = Parse({"a", "--", "--lang", "ko", "--"});
  EXPECT_FALSE(options.language);
  EXPECT_THAT(options.arguments, ElementsAre("a", "--lang", "ko", "--"));
}

}  // namespace
}  // namespace vexa::platform
