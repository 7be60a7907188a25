#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace vexa::platform {

// A value of one logged field.
using LogValue = std::variant<std::int64_t, bool, std::u16string, std::string>;
using LogField = std::pair<std::string_view, LogValue>;

// Every observable effect of a program, one record each: a process started, a message box shown, a
// window opened, a file written. The headless mode writes them as JSON lines; a desktop run may
// write nothing.
class EffectLog {
 public:
  virtual ~EffectLog() = default;
  virtual void Record(std::string_view event, std::initializer_list<LogField> fields) = 0;
};

// Logs nothing.
class NullEffectLog : public EffectLog {
 public:
  void Record(std::string_view, std::initializer_list<LogField>) override {}
};

}  // namespace vexa::platform
