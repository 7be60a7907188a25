#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "deck/gps/GpsTimeDialog.h"
#include "platform/Platform.h"
#include "platform/runtime/ProgramRuntime.h"
#include "platform/ui/ResourceIds.h"
#include "tests/gps/GpsTimeFakePort.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::gps {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Runs the GPS time dialog headless, on a virtual clock, against a scripted port.
class GpsTimeDialogTest : public ::testing::Test {
 protected:
  GpsTimeDialogTest() { tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", ""); }

  void Run(const std::string& scenario) {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    std::vector<std::string> args = {"VexaDeck", "--headless", "--device-root", tree.root().string(), "--module-path",
                                     "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", "480x272", "--scenario",
                                     scenarioPath, "--log", (tree.root() / "log.jsonl").string()};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaDeck";
    exitCode = platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                    [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                      line.clock = platform.clock;
                                      GpsTimeDialogServices services{ui, *platform.clock, &setter, &ports,
                                                                     platform.resources};
                                      const auto opened = platform.clock->TickCount();
                                      RunGpsTimeDialog(services, options);
                                      openFor = platform.clock->TickCount() - opened;
                                      return 0;
                                    });
  }

  // The scenario's actions and the dialog's close, in the order the effects log has them.
  std::vector<std::string> Events() const {
    std::vector<std::string> events;
    std::ifstream in((tree.root() / "log.jsonl").string());
    for (std::string entry; std::getline(in, entry);) {
      if (const auto at = entry.find("\"text\":\""); at != std::string::npos) {
        events.push_back(entry.substr(at + 8, entry.rfind('"') - at - 8));
      } else if (entry.find("window_closed") != std::string::npos) {
        events.push_back("closed");
      }
    }
    return events;
  }

  ::vexa::testing::TempDeviceTree tree;
  testing::FakeLine line;
  testing::FakeSerialPorts ports{line};
  testing::RecordingClockSetter setter;
  GpsTimeDialogOptions options{.attempt = {.port = u"COM2:"}, .picture = platform::ui::res::deck::kGpsDecoration};
  std::uint64_t openFor = 0;
  int exitCode = -1;
};

TEST_F(GpsTimeDialogTest, EmulationClosesTheDialogAfterAboutTwoHundredMillisecondsWithoutThePort) {
  options.attempt.emulation = true;
  Run("wait 190\nwait 20\nwait 1000\n");
  EXPECT_EQ(exitCode, 0);
  EXPECT_THAT(Events(), ElementsAre("wait 190", "wait 20", "closed"));
  EXPECT_THAT(line.openedNames, IsEmpty());
  EXPECT_THAT(setter.times, IsEmpty());
}

TEST_F(GpsTimeDialogTest, RetriesEverySecondUntilASentenceSetsTheClockThenCloses) {
  line.failOpens = 2;  // another program holds the port for the first two attempts
  line.incoming = "$GPRMC,100000.000,V,,,,,,,050108,,*00\r\n";
  Run("wait 2150\nwait 100\nwait 5000\n");
  EXPECT_THAT(line.openTimes, ElementsAre(100u, 1100u, 2100u));
  EXPECT_THAT(setter.times, ElementsAre(platform::DateTime{2008, 1, 6, 5, 10, 0, 0, 0}));
  EXPECT_THAT(Events(), ElementsAre("wait 2150", "wait 100", "closed"));
  EXPECT_EQ(line.openNow, 0);
}

TEST_F(GpsTimeDialogTest, ReturnClosesItWhileTheReceiverStaysSilent) {
  // The attempt at 100 ms gives up after a second of silence; the next one would come at 2100 ms.
  Run("wait 2000\nclick \"GPS Time\" \"Return\"\nwait 5000\n");
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(openFor, 2000u);
  EXPECT_THAT(line.openTimes, ElementsAre(100u));
  EXPECT_EQ(line.openNow, 0);
  EXPECT_THAT(setter.times, IsEmpty());

  options.look = GpsTimeLook::kToolbar;
  options.title = u"GPS 시간";
  options.attempt.texts = KoreanGpsTimeTexts();
  Run("wait 50\nclick \"GPS 시간\" 1\n");
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(openFor, 50u);
}

}  // namespace
}  // namespace vexa::gps
