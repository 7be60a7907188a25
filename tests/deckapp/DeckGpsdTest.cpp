// The launcher on a desktop reading a receiver that a real gpsd daemon shares: the daemon reads a
// pseudo-terminal fed with a recorded drive, the launcher's COM2: is mapped to the daemon, and the
// latitude display shows the recording's positions.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/DeckProgram.h"
#include "deck/gpsview/GpsDisplays.h"
#include "tests/deckapp/DeckRunFixture.h"
#include "tests/support/GpsdDaemon.h"

// Qt last: its keyword macros must not meet the launcher's headers.
#include <QTimer>

namespace vexa::deck {
namespace {

// The latitude texts the default format makes of the recording's RMC sentences.
std::set<std::string> RecordedLatitudes(const std::vector<std::string>& sentences) {
  std::set<std::string> texts;
  for (const auto& sentence : sentences) {
    if (!sentence.starts_with("$GPRMC,")) continue;
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (std::size_t comma; (comma = sentence.find(',', at)) != std::string::npos; at = comma + 1) {
      fields.push_back(sentence.substr(at, comma - at));
    }
    if (fields.size() < 4 || fields[3].empty()) continue;
    const PositionParts p = SplitPosition(std::stod(fields[3]));
    texts.insert(text::ToUtf8(text::Format(u"%3d:%02d:%02d.%02d", {std::int64_t{p.degrees}, std::int64_t{p.minutes},
                                                                   std::int64_t{p.seconds}, std::int64_t{p.hundredths}})));
  }
  return texts;
}

TEST_F(DeckRunTest, ALauncherOnADesktopShowsThePositionsAGpsdDaemonShares) {
  testing::GpsdDaemon daemon;
  const std::string problem = daemon.Start(testing::GpsdDaemon::RecordedSentences("bu353s4.log"), 5);
  if (!problem.empty()) GTEST_SKIP() << problem << ": the launcher is not tried against gpsd";
  const auto latitudes = RecordedLatitudes(daemon.sentences());
  ASSERT_FALSE(latitudes.empty());

  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Gps]\r\nGpsPort=COM2:\r\nAutoSpeedGauge=Y\r\n");
  WriteSkin("skin800x480.ini", Element(1, "GPS-SPEED", "10,10", "100,60") + "Motion=DISPLAY-SPEED\r\n" +
                                   Element(2, "NONE", "200,10", "300,60") + "Motion=DISPLAY-LATITUDE\r\n");
  logPath = (tree.root() / "log.jsonl").string();
  const std::string root = tree.root().string();
  const std::string port = "COM2:=gpsd://127.0.0.1:" + std::to_string(daemon.port());
  std::vector<std::string> args = {"VexaDeck", "--device-root", root, "--module-path",
                                   "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", "800x480", "--lang", "en",
                                   "--port", port, "--log", logPath};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  platform::ProgramInfo info;
  info.name = u"VexaDeck";
  // A desktop run, with the real adapters, that draws offscreen: no display is needed.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The launcher starts the link at start-up (its skin has GPS displays) and is closed after a few
  // seconds of real time, by which the daemon has passed on several fixes.
  const int code = platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                        [](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                          QTimer::singleShot(4000, [&ui] { ui.Quit(0); });
                                          return RunDeck(platform, ui);
                                        });
  EXPECT_EQ(code, 0);
  const auto shown = DisplayTexts("DISPLAY-LATITUDE");
  ASSERT_FALSE(shown.empty());
  int fromRecording = 0;
  for (const auto& text : shown) fromRecording += latitudes.contains(text) ? 1 : 0;
  EXPECT_GE(fromRecording, 1) << "shown: " << ::testing::PrintToString(shown);
}

}  // namespace
}  // namespace vexa::deck
