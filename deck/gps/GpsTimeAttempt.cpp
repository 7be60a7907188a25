#include "deck/gps/GpsTimeAttempt.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vexa::gps {

namespace {

// The satellite systems' talkers that send the same RMC: GPS, mixed constellations, GLONASS,
// Galileo and the two spellings of BeiDou.
constexpr std::array<std::string_view, 6> kTalkers = {"GP", "GN", "GL", "GA", "GB", "BD"};

bool IsRmcName(std::string_view name) {
  if (name.size() != 6 || name[0] != '$' || name.substr(3) != "RMC") return false;
  return std::find(kTalkers.begin(), kTalkers.end(), name.substr(1, 2)) != kTalkers.end();
}

// The two decimal digits at `at`; nullopt when either is missing or not a digit.
std::optional<int> TwoDigits(std::string_view field, std::size_t at) {
  if (at + 2 > field.size()) return std::nullopt;
  const char high = field[at];
  const char low = field[at + 1];
  if (high < '0' || high > '9' || low < '0' || low > '9') return std::nullopt;
  return (high - '0') * 10 + (low - '0');
}

// A limit as the options give it, held to what one attempt may read.
std::size_t Capped(int asked) {
  if (asked <= 0 || asked > GpsTimeOptions::kMaxReads) return GpsTimeOptions::kMaxReads;
  return static_cast<std::size_t>(asked);
}

}  // namespace

GpsTimeTexts EnglishGpsTimeTexts() {
  return {u"GPS connecting...",          u"GPS connection Failed.\r\n[", u"GPS connected...",
          u"GPS environment set Failures.", u"GPS data receiving...",     u"GPS data analysis...",
          u"GPS time receptions succeeded.", u"GPS time could not be set."};
}

GpsTimeTexts KoreanGpsTimeTexts() {
  return {u"GPS 접속중...",        u"GPS 접속실패\r\n[",   u"GPS 접속성공",       u"GPS 환경설정 실패",
          u"GPS 신호 수신중...", u"GPS 신호 분석중...", u"GPS 수신 완료", u"GPS 시간 설정 실패"};
}

// $GPRMC,112315.540,A,3733.2344,N,12701.1232,E,0.00,0.000,311207,,*10
// Field 1 is the time (hhmmss.sss), 2 the status, 9 the date (ddmmyy); ',' and '*' both end a field,
// so a date written last before the checksum is still field 9.
std::optional<platform::DateTime> RmcDateTime(std::string_view line) {
  constexpr std::size_t kTime = 1;
  constexpr std::size_t kDate = 9;
  std::array<std::string_view, kDate + 1> fields{};
  std::size_t count = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size() && count < fields.size(); ++i) {
    if (i == line.size() || line[i] == ',' || line[i] == '*') {
      fields[count++] = line.substr(start, i - start);
      start = i + 1;
    }
  }
  if (!IsRmcName(fields[0])) return std::nullopt;

  const auto day = TwoDigits(fields[kDate], 0);
  const auto month = TwoDigits(fields[kDate], 2);
  const auto year = TwoDigits(fields[kDate], 4);
  const auto hour = TwoDigits(fields[kTime], 0);
  const auto minute = TwoDigits(fields[kTime], 2);
  const auto second = TwoDigits(fields[kTime], 4);
  if (!day || !month || !year || !hour || !minute || !second) return std::nullopt;
  platform::DateTime time;
  time.year = 2000 + *year;
  time.month = *month;
  time.day = *day;
  time.hour = *hour;
  time.minute = *minute;
  time.second = *second;
  // A receiver without a fix sends a zero date ("000000"); a month 13 or an hour 25 is no time at all,
  // and the device clock must not be set to what a calendar conversion would make of it.
  if (time.year <= 2000 || time.month < 1 || time.month > 12 || time.day < 1 ||
      time.day > platform::DaysInMonth(time.year, time.month) || time.hour > 23 || time.minute > 59 || time.second > 59) {
    return std::nullopt;
  }
  time.dayOfWeek = platform::DayOfWeek(time.year, time.month, time.day);
  return time;
}

GpsTimeAttempt::GpsTimeAttempt(SerialLink& link, platform::Clock& clock, platform::ClockSetter* clockSetter,
                               std::function<void(std::u16string_view)> showStatus)
    : link_(link), clock_(clock), clockSetter_(clockSetter), showStatus_(std::move(showStatus)) {}

namespace {

// Reads one line from the receiver into `line`: bytes up to a '$' (at most `dollarReads` of them) are
// skipped, then the '$' and what follows up to a CR or LF are kept, `lineLength` characters at most
// (the byte after the last one kept is dropped and ends the line). False when a read failed; the
// line holds what arrived before it.
bool ReadSentence(SerialLink& link, std::size_t dollarReads, std::size_t lineLength, std::string& line) {
  std::uint8_t byte = 0;
  bool found = false;
  for (std::size_t i = 0; i < dollarReads && !found; ++i) {
    if (!link.ReadByte(byte)) return false;
    found = byte == '$';
  }
  if (!found) return true;
  line.push_back('$');
  for (;;) {
    if (!link.ReadByte(byte)) return false;
    if (byte == '\r' || byte == '\n' || line.size() >= lineLength) return true;
    line.push_back(static_cast<char>(byte));
  }
}

}  // namespace

bool GpsTimeAttempt::Run(const GpsTimeOptions& options) {
  const auto& texts = options.texts;
  auto show = [this](std::u16string_view text) {
    if (showStatus_) showStatus_(text);
  };
  lastTime_.reset();
  show(texts.connecting);
  // Emulation: there is no receiver to ask, and the emulation's own dates must never set the clock.
  if (options.emulation) return true;

  if (!link_.Open(options.port)) {
    show(texts.openFailed + options.port + u"]");
    link_.Close();
    return false;
  }
  show(texts.connected);
  if (!link_.Configure(options.baud, 8, false, platform::Parity::kNone, platform::StopBits::kTwo)) {
    show(texts.settingsFailed);
    link_.Close();
    return false;
  }
  if (options.sirfToNmea) {
    link_.SendSirfToNmea();  // a receiver already speaking NMEA ignores it; a failed write is not fatal
    clock_.Sleep(1000);
  }

  const std::size_t dollarReads = Capped(options.dollarReads);
  const std::size_t lineLength = Capped(options.lineLength);
  const std::uint64_t started = clock_.TickCount();
  std::string line;
  line.reserve(lineLength);
  for (int taken = 0; options.lines <= 0 || taken < options.lines;) {
    if (options.lines > 0) ++taken;
    if (options.timeLimit > 0 && clock_.TickCount() - started >= static_cast<std::uint64_t>(options.timeLimit)) break;
    line.clear();
    show(texts.receiving);
    const bool readsWorked = ReadSentence(link_, dollarReads, lineLength, line);
    show(texts.analysing);
    if (const auto time = RmcDateTime(line)) {
      // Handed over as the receiver sent it: the clock takes UTC and the device's zone makes local time.
      if (clockSetter_ == nullptr || !clockSetter_->SetSystemTime(*time)) {
        show(texts.clockFailed);
        link_.Close();
        return false;
      }
      lastTime_ = time;
      show(texts.succeeded);
      link_.Close();
      return true;
    }
    if (!readsWorked) break;
  }
  link_.Close();
  return false;
}

}  // namespace vexa::gps
