#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "deck/gps/SerialLink.h"
#include "platform/Clock.h"
#include "platform/ClockSetter.h"

namespace vexa::gps {

// The status texts of one attempt, in the language of the program that runs it.
struct GpsTimeTexts {
  std::u16string connecting;      // "GPS connecting..."
  std::u16string openFailed;      // "GPS connection Failed.\r\n[" ; the port name and "]" follow
  std::u16string connected;       // "GPS connected..."
  std::u16string settingsFailed;  // "GPS environment set Failures."
  std::u16string receiving;       // "GPS data receiving..."
  std::u16string analysing;       // "GPS data analysis..."
  std::u16string succeeded;       // "GPS time receptions succeeded."
  std::u16string clockFailed;     // the sentence was good but the device clock refused the time
};
GpsTimeTexts EnglishGpsTimeTexts();
GpsTimeTexts KoreanGpsTimeTexts();

// How one program's attempt goes: the launcher's, the toolbar's and the GPS time program's differ
// only in these values.
struct GpsTimeOptions {
  bool emulation = false;   // succeed at once: there is no receiver, the clock is not set
  std::u16string port;      // the device name, its fall-back already applied
  int baud = 9600;          // its fall-back already applied
  bool sirfToNmea = false;  // send the SiRF switch byte by byte, then wait 1000 ms
  // Reads that look for the '$' of a line, and characters a line keeps (the '$' among them). Both
  // are held to kMaxReads whatever is asked; 0 or less asks for that most.
  int dollarReads = 100;
  int lineLength = 99;
  int lines = 30;           // lines one attempt reads at most; 0 or less: until a read fails
  // Milliseconds after which an attempt reads no further line; 0: no limit. Without a line limit a
  // receiver that sends everything but RMC would otherwise keep the caller's thread for good.
  int timeLimit = 0;
  GpsTimeTexts texts = EnglishGpsTimeTexts();

  static constexpr int kMaxReads = 4096;
};

// The date and time of an RMC sentence (any satellite system's talker) when its date gives a year
// after 2000 and a month and day of at least 1; fields are cut at ',' and '*', the status and the
// checksum are not looked at. Out-of-range months, days, hours, minutes and seconds are refused.
std::optional<platform::DateTime> RmcDateTime(std::string_view line);

// One attempt to set the clock from the receiver: open the port, configure it, maybe send the SiRF
// switch, read lines until one RMC gives a date, set the clock. Runs on the caller's thread.
class GpsTimeAttempt {
 public:
  GpsTimeAttempt(SerialLink& link, platform::Clock& clock, platform::ClockSetter* clockSetter,
                 std::function<void(std::u16string_view)> showStatus);
  // True when the clock was set (or emulation answered at once). The link is closed afterwards.
  bool Run(const GpsTimeOptions& options);
  // The time the last successful attempt set (UTC, day of the week filled in); unset after emulation.
  const std::optional<platform::DateTime>& lastTime() const { return lastTime_; }

 private:
  SerialLink& link_;
  platform::Clock& clock_;
  platform::ClockSetter* clockSetter_;
  std::function<void(std::u16string_view)> showStatus_;
  std::optional<platform::DateTime> lastTime_;
};

}  // namespace vexa::gps
