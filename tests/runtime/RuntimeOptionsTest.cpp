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
  // Options that merely begin like ours belong to the program.
  EXPECT_THAT(Parse({"--screenshot", "--headlessly"}).device.arguments,
              ElementsAre("--screenshot", "--headlessly"));
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
