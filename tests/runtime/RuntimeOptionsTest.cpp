#include "platform/runtime/RuntimeOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

RuntimeOptions Parse(std::vector<const char*> args, std::map<std::string, std::string> env = {}) {
  args.insert(args.begin(), "VexaDeck.exe");
  return ParseRuntimeOptions(static_cast<int>(args.size()), args.data(),
                             [env](const char* name) -> const char* {
                               const auto found = env.find(name);
                               return found == env.end() ? nullptr : found->second.c_str();
                             });
}

TEST(RuntimeOptionsTest, OurOptionsAreTakenOutAndTheRestIsTheProgramsCommandLine) {
  const RuntimeOptions options = Parse({"-autorun", "--headless", "--screen", "480x272", "--scenario=run.txt",
                                        "--log", "out.jsonl", "--start-time", "2026-05-01 07:30:00", "--lang",
                                        "ko", "--device-root=/dev/tree", "last", "--", "--headless"});
  EXPECT_TRUE(options.headless);
  EXPECT_EQ(options.screen, (gfx::Size{480, 272}));
  EXPECT_EQ(options.scenario, "run.txt");
  EXPECT_EQ(options.log, "out.jsonl");
  EXPECT_EQ(options.startTime, (DateTime{2026, 5, 5, 1, 7, 30, 0, 0}));
  EXPECT_EQ(options.device.language, "ko");
  EXPECT_EQ(options.device.locate.deviceRoot, "/dev/tree");
  // After "--" nothing is ours, not even --headless.
  EXPECT_THAT(options.device.arguments, ElementsAre("-autorun", "last", "--headless"));
  EXPECT_THAT(options.errors, IsEmpty());
}

TEST(RuntimeOptionsTest, TheSkinIsWatchedByTheOptionOrTheEnvironmentsYes) {
  EXPECT_FALSE(Parse({}).watchSkin);
  EXPECT_TRUE(Parse({"--watch-skin"}).watchSkin);
  EXPECT_TRUE(Parse({}, {{"VEXA_WATCH_SKIN", "1"}}).watchSkin);
  EXPECT_TRUE(Parse({}, {{"VEXA_WATCH_SKIN", "yes"}}).watchSkin);
  for (const char* no : {"0", "N", "", "off"}) EXPECT_FALSE(Parse({}, {{"VEXA_WATCH_SKIN", no}}).watchSkin) << no;
  EXPECT_TRUE(Parse({"--watch-skin"}).errors.empty());
  EXPECT_NE(HelpText("VexaDeck", "none").find("--watch-skin"), std::string::npos);
}

TEST(RuntimeOptionsTest, TheScreenComesFromTheOptionTheEnvironmentOrTheDefault) {
  EXPECT_EQ(Parse({}).screen, (gfx::Size{800, 480}));
  EXPECT_EQ(Parse({}, {{"VEXA_SCREEN", "640x480"}}).screen, (gfx::Size{640, 480}));
  EXPECT_EQ(Parse({"--screen=320X240"}, {{"VEXA_SCREEN", "640x480"}}).screen, (gfx::Size{320, 240}));
  EXPECT_FALSE(Parse({}).headless);
}

TEST(RuntimeOptionsTest, WrongValuesAreErrorsThatStopTheStart) {
  EXPECT_THAT(Parse({"--screen", "800"}).errors,
              ElementsAre("the screen size must be WIDTHxHEIGHT with sides from 16 to 8192, not \"800\""));
  EXPECT_THAT(Parse({}, {{"VEXA_SCREEN", "8x8"}}).errors, testing::SizeIs(1));
  EXPECT_THAT(Parse({"--screen", "-800x480"}).errors, testing::SizeIs(1));
  EXPECT_THAT(Parse({"--headless", "--log"}).errors, ElementsAre("--log needs a value"));
  EXPECT_THAT(Parse({"--headless", "--start-time", "2026-02-30 00:00:00"}).errors,
              ElementsAre("--start-time takes \"YYYY-MM-DD HH:MM:SS\", not \"2026-02-30 00:00:00\""));
  EXPECT_THAT(Parse({"--scenario", "a.txt"}).errors, ElementsAre("--scenario needs --headless"));
  EXPECT_THAT(Parse({"--start-time", "2026-01-01 00:00:00"}).errors,
              ElementsAre("--start-time needs --headless"));
}

TEST(RuntimeOptionsTest, AMistypedOptionIsAnErrorWithAHintInsteadOfTheProgramsArgument) {
  const RuntimeOptions typo = Parse({"--sreen", "480x272"});
  EXPECT_THAT(typo.errors,
              ElementsAre("unknown option --sreen (did you mean --screen?); --help lists the options, "
                          "and arguments meant for the program itself go after --"));
  EXPECT_EQ(typo.screen, (gfx::Size{800, 480}));
  EXPECT_THAT(Parse({"--device_root=/tree"}).errors,
              ElementsAre(testing::StartsWith("unknown option --device_root (did you mean --device-root?)")));
  EXPECT_THAT(Parse({"--start"}).errors,
              ElementsAre(testing::StartsWith("unknown option --start (did you mean --start-time?)")));
  // Options that merely begin like ours are not ours either; a name far from every option gets no guess.
  EXPECT_THAT(Parse({"--screenshot", "--headlessly"}).errors, testing::SizeIs(2));
  EXPECT_THAT(Parse({"--autorun"}).errors, ElementsAre(testing::StartsWith("unknown option --autorun;")));
  // After "--", and without the double dash, everything is the program's.
  const RuntimeOptions passed = Parse({"-autorun", "/x", "--", "--sreen", "--help"});
  EXPECT_THAT(passed.errors, IsEmpty());
  EXPECT_FALSE(passed.help);
  EXPECT_THAT(passed.device.arguments, ElementsAre("-autorun", "/x", "--sreen", "--help"));
  // The device options keep their values, even a value that starts with "--".
  const RuntimeOptions device = Parse({"--module-path", "--odd", "--lang=ko", "--device-root", "/t"});
  EXPECT_THAT(device.errors, IsEmpty());
  EXPECT_EQ(device.device.locate.modulePath, u"--odd");
  EXPECT_EQ(device.device.language, "ko");
  EXPECT_EQ(device.device.locate.deviceRoot, "/t");
  EXPECT_THAT(device.device.arguments, IsEmpty());
}

TEST(RuntimeOptionsTest, HelpIsAskedForAndListsEveryOptionAndTheProgramsCommandLine) {
  EXPECT_TRUE(Parse({"--screen", "480x272", "--help"}).help);
  const std::string help = HelpText("VexaDeck", "none; it reads no command line");
  EXPECT_THAT(help, testing::StartsWith("Usage: VexaDeck [OPTION]... [--] [ARGUMENT]...\n"));
  for (const char* option : {"--device-root DIR", "--module-path PATH", "--lang en|ko", "--screen WxH",
                             "--headless", "--scenario FILE", "--log FILE", "--start-time", "--help",
                             "default \"2026-01-01 09:00:00\"", "  none; it reads no command line\n"}) {
    EXPECT_THAT(help, testing::HasSubstr(option));
  }
}

TEST(RuntimeOptionsTest, ScreenSizesAreCheckedStrictly) {
  EXPECT_EQ(ParseScreenSize("800x480"), (gfx::Size{800, 480}));
  EXPECT_EQ(ParseScreenSize("16x8192"), (gfx::Size{16, 8192}));
  for (const char* bad :
       {"", "x", "800x", "x480", "800x480x2", "800 x 480", "15x480", "800x8193", "+800x480", "800x4a0"}) {
    EXPECT_FALSE(ParseScreenSize(bad)) << bad;
  }
}

}  // namespace
}  // namespace vexa::platform
