#include "deck/gps/GpsReceiver.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "deck/gps/EmulationSentences.h"
#include "deck/gps/NmeaChecksum.h"

namespace vexa::gps {

namespace {

constexpr std::uint8_t kCr = 13;
constexpr std::uint8_t kLf = 10;
// The status field is one letter; a longer one is cut so that storing it never allocates.
constexpr std::size_t kStatusLimit = 4;
// The read time-out asked of the port: the reader only reads what is waiting, so it is seldom used.
constexpr int kReadTimeoutMs = 10000;

bool IsLineEnd(std::uint8_t byte) {
  return byte == kCr || byte == kLf;
}

// Cuts the first field off `line`: the text before the first ',', else before the first '*', else the
// whole line. So the last data field is split at '*' and the checksum digits come out as one more
// field.
std::string_view NextField(std::string_view& line) {
  std::size_t end = line.find(',');
  if (end == std::string_view::npos) end = line.find('*');
  if (end == std::string_view::npos) {
    const std::string_view field = line;
    line = {};
    return field;
  }
  const std::string_view field = line.substr(0, end);
  line.remove_prefix(end + 1);
  return field;
}

// A decimal number at the start of a field: "12.5" and " +12.5knots" give 12.5; empty text and text
// that is no number give 0, and so do "nan" and "inf", which no display could show.
double ReadNumber(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  if (i < field.size() && field[i] == '+') ++i;
  double value = 0.0;
  const auto [end, error] = std::from_chars(field.data() + i, field.data() + field.size(), value);
  (void)end;
  if (error != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

// The decimal value of the two characters from `offset` of a field (fewer where the field ends
// sooner): the leading digits count, as "7" of "7a" does; none give 0.
int TwoDigits(std::string_view field, std::size_t offset) {
  int value = 0;
  for (std::size_t i = offset; i < offset + 2 && i < field.size(); ++i) {
    if (field[i] < '0' || field[i] > '9') break;
    value = value * 10 + (field[i] - '0');
  }
  return value;
}

// The fix time of an RMC sentence, from its time (hhmmss.sss) and date (ddmmyy) fields:
//   $GPRMC,112315.540,A,3733.2344,N,12701.1232,E,0.00,0.000,311207,,*10  gives 2007-12-31 11:23:15.
// Nothing for a year not after 2000 ("000000" and an empty date among them) or any field outside the
// calendar (month 13, 31 February, hour 25): the fix time then keeps its old value.
std::optional<platform::DateTime> ReadFixTime(std::string_view time, std::string_view date) {
  platform::DateTime t;
  t.year = 2000 + TwoDigits(date, 4);
  t.month = TwoDigits(date, 2);
  t.day = TwoDigits(date, 0);
  t.hour = TwoDigits(time, 0);
  t.minute = TwoDigits(time, 2);
  t.second = TwoDigits(time, 4);
  if (t.year <= 2000 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > platform::DaysInMonth(t.year, t.month)) {
    return std::nullopt;
  }
  if (t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
  t.dayOfWeek = platform::DayOfWeek(t.year, t.month, t.day);
  return t;
}

enum class Sentence { kOther, kRmc, kGga };

// RMC and GGA from any satellite system's talker: "$GPRMC", "$GNRMC", "$BDGGA" ...
Sentence SentenceKind(std::string_view name) {
  if (name.size() != 6 || name[0] != '$') return Sentence::kOther;
  const std::string_view talker = name.substr(1, 2);
  constexpr std::string_view kTalkers[] = {"GP", "GN", "GL", "GA", "GB", "BD"};
  if (std::find(std::begin(kTalkers), std::end(kTalkers), talker) == std::end(kTalkers)) {
    return Sentence::kOther;
  }
  const std::string_view type = name.substr(3);
  if (type == "RMC") return Sentence::kRmc;
  if (type == "GGA") return Sentence::kGga;
  return Sentence::kOther;
}

// The switch of a SiRF receiver from its binary protocol to NMEA (message 129): GGA every second, GSA
// and GSV every five seconds, the others off, 9600 bit/s. Sent as its frame's three parts.
constexpr std::uint8_t kSirfStart[] = {0xA0, 0xA2, 0x00, 0x18};
constexpr std::uint8_t kSirfPayload[] = {0x81, 0x02, 0x01, 0x01, 0x00, 0x01, 0x05, 0x01,
                                         0x05, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01,
                                         0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x25, 0x80};
constexpr std::uint8_t kSirfEnd[] = {0x01, 0x3D, 0xB0, 0xB3};

}  // namespace

GpsReceiver::GpsReceiver(GpsServices services) : services_(services) {}

GpsReceiver::~GpsReceiver() {
  Close();
}

bool GpsReceiver::Open(std::u16string_view portName, int baud) {
  // The number after "COM": "COM3" and "COM3:" give 3; no digits give 0, which no port has.
  int number = 0;
  if (portName.size() > 3) {
    std::u16string_view digits = portName.substr(3);
    bool negative = false;
    if (!digits.empty() && (digits.front() == u'-' || digits.front() == u'+')) {
      negative = digits.front() == u'-';
      digits.remove_prefix(1);
    }
    for (const char16_t c : digits) {
      if (c < u'0' || c > u'9' || number > 100000) break;
      number = number * 10 + (c - u'0');
    }
    if (negative) number = -number;
  }
  return Open(number, baud);
}

bool GpsReceiver::Open(int portNumber, int baud) {
  // A second Open first ends what the first one started, so no reader is left running unjoined.
  if (reader_ != nullptr || port_ != nullptr) Close();

  if (emulation_) {
    running_ = true;
    if (services_.threads != nullptr) reader_ = services_.threads->Start([this] { Emulate(); });
    if (reader_ == nullptr) {
      running_ = false;
      Fail(u"GPS#1", u"The GPS emulation cannot be started.", u"GPS 에뮬레이션을 시작할 수 없습니다.");
      return false;
    }
    return true;
  }

  portNumber_ = portNumber;
  // GPS#2 and GPS#3 were the read and write events of ports that signal transfers by events. This
  // port's reads and writes need none, so these two failures cannot happen; they keep their codes.
  portName_ = platform::SerialPortName(portNumber);
  if (services_.ports != nullptr) port_ = services_.ports->Open(portName_);
  if (port_ == nullptr) {
    Fail(u"GPS#4", u"GPS not found      .", u"GPS not found      .");
    return false;
  }
  port_->SetQueueSizes(kDriverQueue, kDriverQueue);
  port_->Purge();
  port_->SetReadTimeout(kReadTimeoutMs);

  std::optional<platform::SerialSettings> settings = port_->GetSettings();
  if (!settings) {
    Fail(u"GPS#6", u"The settings of the GPS port cannot be read.", u"GPS 포트의 설정을 읽을 수 없습니다.");
    return false;
  }
  settings->baud = static_cast<std::uint32_t>(std::max(baud, 0));
  settings->byteSize = 8;
  settings->parity = platform::Parity::kNone;
  settings->stopBits = platform::StopBits::kTwo;
  settings->parityCheck = true;
  settings->stripNull = false;
  settings->flowControl = false;
  port_->SetSettings(*settings);  // a rate the line refuses shows as silence, not as a failure

  running_ = true;
  if (services_.threads != nullptr) reader_ = services_.threads->Start([this] { ReadPort(); });
  if (reader_ == nullptr) {
    running_ = false;
    Fail(u"GPS#5", u"The GPS reader cannot be started.", u"GPS 수신을 시작할 수 없습니다.");
    return false;
  }
  return true;
}

void GpsReceiver::Close() {
  running_ = false;
  // A reader waiting on a silent receiver is released first, so that the join below ends at once.
  if (port_ != nullptr) port_->ReleaseWait();
  if (reader_ != nullptr) {
    reader_->Join();
    reader_.reset();
  }
  // Zeroed once the reader has stopped, so that a sentence it was parsing cannot put them back.
  {
    std::lock_guard lock(fixLock_);
    fix_.speed = 0.0;
    fix_.hdop = 0.0;
  }
  if (emulation_) return;
  if (port_ != nullptr) port_->Purge();
  portNumber_ = 0;
  port_.reset();
}

void GpsReceiver::SetOwner(platform::ui::Window* window) {
  owner_ = window;
}

void GpsReceiver::Write(std::span<const std::uint8_t> bytes) {
  if (emulation_ || port_ == nullptr) return;
  if (!port_->Write(bytes)) port_->QueuedBytes();  // clears the line's error state
}

void GpsReceiver::SendSirfToNmea() {
  Write(kSirfStart);
  Write(kSirfPayload);
  Write(kSirfEnd);
}

GpsFix GpsReceiver::Fix() const {
  std::lock_guard lock(fixLock_);
  return fix_;
}

void GpsReceiver::Push(std::uint8_t byte) {
  const int next = (ringWrite_ + 1) % static_cast<int>(kRingSize);
  if (next == ringRead_) return;  // full: the byte is dropped
  ring_[static_cast<std::size_t>(ringWrite_)] = byte;
  ringWrite_ = next;
}

void GpsReceiver::Push(std::span<const std::uint8_t> bytes) {
  // Byte by byte this is Push(byte) for each: what does not fit while the ring is full is dropped.
  const std::size_t count = std::min(bytes.size(), kRingSize - 1 - Count());
  if (count == 0) return;
  const auto write = static_cast<std::size_t>(ringWrite_);
  const std::size_t first = std::min(count, kRingSize - write);
  std::memcpy(ring_.data() + write, bytes.data(), first);
  std::memcpy(ring_.data(), bytes.data() + first, count - first);
  ringWrite_ = static_cast<int>((write + count) % kRingSize);
}

std::size_t GpsReceiver::Count() const {
  if (ringWrite_ >= ringRead_) return static_cast<std::size_t>(ringWrite_ - ringRead_);
  return static_cast<std::size_t>(ringWrite_ - ringRead_ + static_cast<int>(kRingSize));
}

std::uint8_t GpsReceiver::Pop() {
  const std::uint8_t byte = ring_[static_cast<std::size_t>(ringRead_)];
  ringRead_ = (ringRead_ + 1) % static_cast<int>(kRingSize);
  return byte;
}

bool GpsReceiver::HasCompleteLine() {
  while (Count() > 0 && IsLineEnd(ring_[static_cast<std::size_t>(ringRead_)])) Pop();
  // The held bytes are one run, or two when they wrap past the end of the ring.
  const auto read = static_cast<std::size_t>(ringRead_);
  const auto write = static_cast<std::size_t>(ringWrite_);
  const auto holdsEnd = [this](std::size_t from, std::size_t to) {
    return std::any_of(ring_.begin() + static_cast<std::ptrdiff_t>(from),
                       ring_.begin() + static_cast<std::ptrdiff_t>(to), IsLineEnd);
  };
  if (read <= write) return holdsEnd(read, write);
  return holdsEnd(read, kRingSize) || holdsEnd(0, write);
}

bool GpsReceiver::ReadLine() {
  lineLength_ = 0;
  for (std::size_t taken = 0; taken < kLineLimit && Count() > 0; ++taken) {
    const std::uint8_t byte = Pop();
    if (IsLineEnd(byte)) {
      if (lineLength_ == 0) continue;  // a line end before the text is dropped
      break;
    }
    line_[lineLength_++] = static_cast<char>(byte);
  }
  line_[lineLength_] = '\0';
  if (lineLength_ == 0) return false;
  // The line is text: a NUL byte received inside it ends it there.
  lineLength_ = std::strlen(line_.data());
  return VerifyChecksum(std::string_view(line_.data(), lineLength_));
}

bool GpsReceiver::ProcessLines() {
  if (Count() == 0 || parseMode_ != 1 || !HasCompleteLine()) return false;
  return ParseSentences();
}

bool GpsReceiver::ParseSentences() {
  bool tookRmc = false;
  while (HasCompleteLine()) {
    // A line that fails its checksum ends the pass; it is consumed, and the lines after it wait for
    // the next pass.
    if (!ReadLine()) return tookRmc;
    std::string_view rest(line_.data(), lineLength_);
    const Sentence kind = SentenceKind(NextField(rest));
    if (kind != Sentence::kOther) {
      // fields[1] .. fields[kFieldLimit]; those the sentence does not supply stay empty.
      std::array<std::string_view, kFieldLimit + 1> fields{};
      for (std::size_t i = 1; i < fields.size() && !rest.empty(); ++i) fields[i] = NextField(rest);

      if (kind == Sentence::kRmc) {
        //      1          2 3         4 5          6 7    8     9
        // $GPRMC,112315.540,A,3733.2344,N,12701.1232,E,0.00,0.000,311207,,*10
        const std::optional<platform::DateTime> time = ReadFixTime(fields[1], fields[9]);
        const std::string_view status = fields[2].substr(0, kStatusLimit);
        const double latitude = ReadNumber(fields[3]);
        const double longitude = ReadNumber(fields[5]);
        const double speed = ReadNumber(fields[7]);
        // A standing receiver's course means nothing, and a moving one that loses its heading for a
        // moment reports 0: a 0 is taken only from its third reading in a row.
        std::optional<double> course;
        if (speed > 0.0) {
          const double reading = ReadNumber(fields[8]);
          if (reading != 0.0) {
            zeroCourseCount_ = 0;
            course = reading;
          } else if (++zeroCourseCount_ > 2) {
            zeroCourseCount_ = std::min(zeroCourseCount_, 3);  // stays above 2 without overflowing
            course = 0.0;
          }
        }
        std::lock_guard lock(fixLock_);
        if (time) fix_.time = time;
        fix_.status.resize(status.size());
        std::transform(status.begin(), status.end(), fix_.status.begin(),
                       [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
        fix_.latitude = latitude;
        fix_.longitude = longitude;
        fix_.speed = speed;
        if (course) fix_.course = *course;
        tookRmc = true;
      } else {
        //      1          2         3 4          5 6 7  8   9    10
        // $GPGGA,215235.670,3735.0064,N,12701.6746,E,1,03,1.2,35.9,M,19.6,M,0.0,0000*4F
        const double hdop = ReadNumber(fields[8]);
        const double altitude = ReadNumber(fields[9]);
        std::lock_guard lock(fixLock_);
        fix_.hdop = hdop;
        fix_.altitude = altitude;
      }
    }
    if (emulation_) break;  // the emulation takes one sentence a pass
  }
  return tookRmc;
}

void GpsReceiver::PushEmulationSentences() {
  for (const std::string_view sentence : kEmulationSentences) {
    std::array<char, 128> work{};
    const std::size_t size = std::min(sentence.size(), work.size());
    std::copy_n(sentence.begin(), size, work.begin());
    FillChecksum(std::span(work.data(), size));
    Push(std::span(reinterpret_cast<const std::uint8_t*>(work.data()), size));
  }
}

void GpsReceiver::ReadPort() {
  std::array<std::uint8_t, kReadChunk> buffer{};
  while (running_) {
    if (!port_->WaitForBytes()) {
      if (running_) services_.clock.Sleep(10);  // released without Close: do not spin
      continue;
    }
    std::size_t read = 0;
    do {
      read = ReadWaiting(buffer);
      Push(std::span<const std::uint8_t>(buffer.data(), read));
    } while (read > 0 && running_);
    services_.clock.Sleep(0);
    if (owner_.load() != nullptr && ProcessLines()) Notify();
    services_.clock.Sleep(10);
  }
}

void GpsReceiver::Emulate() {
  while (running_) {
    if (Count() < 100) PushEmulationSentences();
    services_.clock.Sleep(0);
    if (owner_.load() != nullptr && ProcessLines()) {
      Notify();
      services_.clock.Sleep(1000);
    }
    services_.clock.Sleep(10);
  }
}

std::size_t GpsReceiver::ReadWaiting(std::span<std::uint8_t> buffer) {
  if (emulation_ || port_ == nullptr) return 0;
  const std::size_t count = std::min({buffer.size(), kReadChunk, port_->QueuedBytes()});
  if (count == 0) return 0;
  const std::optional<std::size_t> read = port_->Read(buffer.first(count));
  if (!read) {
    port_->QueuedBytes();  // clears the line's error state; the pass reads nothing
    return 0;
  }
  return std::min(*read, count);
}

void GpsReceiver::Fail(std::u16string_view code, std::u16string_view english, std::u16string_view korean) {
  platform::MessageBoxRequest request;
  request.owner = services_.owner;
  request.caption = std::u16string(code) + (services_.korean ? u" 오류" : u" Error");
  request.text = services_.korean ? korean : english;
  request.buttons = platform::MessageButtons::kOk;
  request.icon = platform::MessageIcon::kExclamation;
  services_.messageBoxes.Show(request);
}

void GpsReceiver::Notify() {
  platform::ui::Window* owner = owner_.load();
  if (owner != nullptr) owner->Post(kWmGpsFix, 0, 0);
}

}  // namespace vexa::gps
