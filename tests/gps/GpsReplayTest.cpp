// Every recording of a real receiver in tests/data/nmea replayed through the receive pipeline; the
// fixes it gives are kept beside it as NAME.fixes, so that any change in parsing shows as a diff.
// VEXA_UPDATE_GOLDEN=1 writes the files anew instead of comparing.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "deck/gps/GpsReceiver.h"
#include "platform/headless/ScriptedMessageBoxes.h"
#include "tests/gps/ReceiverTestSupport.h"

namespace vexa::gps {
namespace {

const std::filesystem::path kData = std::filesystem::path(VEXA_SOURCE_DIR) / "tests" / "data" / "nmea";

std::string Number(double value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : "?";
}

// One line per fix: "2007-12-31 11:23:15 A 3733.2344 12701.1232 0 5 35.9 1.2" (time or "-", status or
// "-", latitude, longitude, speed, course, altitude, HDOP).
std::string FixLine(const GpsFix& fix) {
  std::string line;
  if (fix.time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", fix.time->year, fix.time->month,
                  fix.time->day, fix.time->hour, fix.time->minute, fix.time->second);
    line = text;
  } else {
    line = "-";
  }
  std::string status;
  for (const char16_t c : fix.status) status += c < 0x80 ? static_cast<char>(c) : '?';
  line += " " + (status.empty() ? std::string("-") : status);
  for (const double value : {fix.latitude, fix.longitude, fix.speed, fix.course, fix.altitude, fix.hdop}) {
    line += " " + Number(value);
  }
  return line;
}

// The recording as a port delivers it, one received line per receive pass (the line ends kept), with
// the fix written after every pass that took an RMC.
std::string Replay(const std::string& recording) {
  testing::receiver::InstantClock clock;
  platform::ScriptedMessageBoxes boxes;
  GpsReceiver receiver(GpsServices{.clock = clock, .messageBoxes = boxes});
  std::string fixes;
  std::size_t start = 0;
  while (start < recording.size()) {
    std::size_t end = recording.find('\n', start);
    end = end == std::string::npos ? recording.size() : end + 1;
    receiver.Push(std::span(reinterpret_cast<const std::uint8_t*>(recording.data() + start), end - start));
    start = end;
    if (receiver.ProcessLines()) fixes += FixLine(receiver.Fix()) + "\n";
  }
  return fixes;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(GpsReplayTest, EveryRecordingGivesItsKeptFixes) {
  const char* update = std::getenv("VEXA_UPDATE_GOLDEN");
  const bool rewrite = update != nullptr && std::string(update) == "1";
  std::vector<std::filesystem::path> recordings;
  for (const auto& entry : std::filesystem::directory_iterator(kData)) {
    if (entry.path().extension() == ".log") recordings.push_back(entry.path());
  }
  std::sort(recordings.begin(), recordings.end());
  ASSERT_GE(recordings.size(), 70u);

  int withFixes = 0;
  for (const auto& recording : recordings) {
    SCOPED_TRACE(recording.filename().string());
    const std::string fixes = Replay(ReadFile(recording));
    if (!fixes.empty()) ++withFixes;
    auto golden = recording;
    golden.replace_extension(".fixes");
    if (rewrite) {
      std::ofstream(golden, std::ios::binary) << fixes;
      continue;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << "run with VEXA_UPDATE_GOLDEN=1 to write it";
    EXPECT_EQ(fixes, ReadFile(golden));
  }
  // Nearly every receiver sends RMC; the few that do not send other sentences or binary only.
  EXPECT_GE(withFixes, 60);
}

}  // namespace
}  // namespace vexa::gps
