// Any bytes as what a GPS receiver sends: pushed into the receiver's ring in pieces of every size
// (one byte, a read of 2048, more than the ring holds) and parsed pass by pass, in port and in
// emulation mode. The ring never holds more than 4095 bytes; the fix holds only values a display can
// take (finite numbers, a short status, a real calendar time). The checksum routines see the same
// bytes as one sentence: a sentence whose checksum was filled in passes the check.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "deck/gps/GpsReceiver.h"
#include "deck/gps/GpsTimeAttempt.h"
#include "deck/gps/NmeaChecksum.h"

namespace {

class NoClock : public vexa::platform::Clock {
 public:
  std::uint64_t TickCount() override { return 0; }
  vexa::platform::DateTime LocalTime() override { return {}; }
  vexa::platform::DateTime SystemTime() override { return {}; }
  void Sleep(int) override {}
};

class NoBoxes : public vexa::platform::MessageBoxes {
 public:
  vexa::platform::MessageAnswer Show(const vexa::platform::MessageBoxRequest&) override {
    return vexa::platform::MessageAnswer::kOk;
  }
};

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckFix(const vexa::gps::GpsFix& fix) {
  for (const double value : {fix.latitude, fix.longitude, fix.speed, fix.course, fix.altitude, fix.hdop}) {
    Check(std::isfinite(value));
  }
  Check(fix.status.size() <= 4);
  if (fix.time) {
    const auto& t = *fix.time;
    Check(t.year > 2000 && t.year <= 2099 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31);
    Check(t.hour <= 23 && t.minute <= 59 && t.second <= 59 && t.dayOfWeek >= 0 && t.dayOfWeek <= 6);
  }
}

void CheckChecksums(std::string_view text) {
  const bool verified = vexa::gps::VerifyChecksum(text);
  std::vector<char> sentence(text.begin(), text.end());
  vexa::gps::FillChecksum(sentence);
  const std::size_t star = text.find('*');
  const bool fillable =
      !text.empty() && text.front() == '$' && star != std::string_view::npos && star + 2 < text.size();
  if (!fillable) {
    Check(!verified);
    Check(std::string_view(sentence.data(), sentence.size()) == text);
    return;
  }
  Check(vexa::gps::VerifyChecksum(std::string_view(sentence.data(), sentence.size())));
  // Only the two digits after the first '*' change.
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != star + 1 && i != star + 2) Check(sentence[i] == text[i]);
  }
}

// Passes while complete lines are held and each pass takes some (a parse mode but 1 takes none).
void DrainLines(vexa::gps::GpsReceiver& receiver) {
  while (receiver.HasCompleteLine()) {
    const std::size_t held = receiver.Count();
    receiver.ProcessLines();
    if (receiver.Count() == held) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte picks the piece size, the second the mode; the rest is what the receiver sends.
  static constexpr std::size_t kPieces[] = {1, 2, 7, 64, 255, 256, 257, 2048, 4095, 4096, 100000};
  const std::size_t piece = kPieces[data[0] % std::size(kPieces)];
  const bool emulation = (data[1] & 1) != 0;
  const bool drain = (data[1] & 2) != 0;  // parse every complete line after each piece
  const std::span<const std::uint8_t> bytes(data + 2, size - 2);

  NoClock clock;
  NoBoxes boxes;
  vexa::gps::GpsReceiver receiver(vexa::gps::GpsServices{.clock = clock, .messageBoxes = boxes});
  receiver.SetEmulation(emulation);
  if ((data[1] & 4) != 0) receiver.SetParseMode(data[1] >> 3);
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    const auto part = bytes.subspan(at, std::min(piece, bytes.size() - at));
    if (piece == 1) {
      receiver.Push(part[0]);
    } else {
      receiver.Push(part);
    }
    Check(receiver.Count() < vexa::gps::GpsReceiver::kRingSize);
    if (drain) {
      DrainLines(receiver);
    } else {
      receiver.ProcessLines();
    }
    Check(receiver.Count() < vexa::gps::GpsReceiver::kRingSize);
  }
  if (emulation && receiver.Count() < 100) receiver.PushEmulationSentences();
  DrainLines(receiver);
  CheckFix(receiver.Fix());

  const std::string_view line(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  CheckChecksums(line);
  // The GPS time dialog's sentence test sees the same bytes as one line.
  if (const auto time = vexa::gps::RmcDateTime(line)) {
    vexa::gps::GpsFix fix;
    fix.time = *time;
    CheckFix(fix);
  }
  return 0;
}
