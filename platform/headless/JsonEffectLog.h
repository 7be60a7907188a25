#pragma once

#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/EffectLog.h"

namespace vexa::platform {

// The effect log as JSON lines: one object a record, the clock's tick count first, then the event
// name, then the fields in the order given, each line flushed as it is written:
//
//   {"t":1500,"event":"process_started","application":"\\Storage
//   Card\\Navi\\navi.exe","command_line":"","ok":true}
//
// Texts are written as UTF-8: UTF-16 surrogate pairs become one character, an unpaired surrogate or a
// byte text that is not valid UTF-8 becomes U+FFFD, so every line is valid JSON. Quotes, backslashes
// and control characters are escaped. Records may come from any thread; lines never interleave.
class JsonEffectLog : public EffectLog {
 public:
  // Writes to a stream that outlives the log.
  JsonEffectLog(Clock& clock, std::ostream& out) : clock_(clock), out_(&out) {}
  // Writes to a stream of its own.
  JsonEffectLog(Clock& clock, std::unique_ptr<std::ostream> out)
      : clock_(clock), owned_(std::move(out)), out_(owned_.get()) {}

  void Record(std::string_view event, std::initializer_list<LogField> fields) override;

  // One record as its line, without the line end.
  static std::string FormatLine(std::uint64_t t, std::string_view event,
                                std::initializer_list<LogField> fields);
  // A JSON string literal, quotes included.
  static std::string Quote(std::u16string_view text);
  static std::string Quote(std::string_view utf8);

 private:
  Clock& clock_;
  std::unique_ptr<std::ostream> owned_;
  std::ostream* out_;
  std::mutex mutex_;
};

}  // namespace vexa::platform
