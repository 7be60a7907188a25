#pragma once

#include "platform/EffectLog.h"
#include "platform/Processes.h"

namespace vexa::platform {

// Processes that log what they do: "process_started" {application, command_line, ok} for every start
// attempt and "process_ended" {id, ok} for every Terminate. Listing is not an effect and goes
// straight through.
class LoggingProcesses : public Processes {
 public:
  LoggingProcesses(Processes& inner, EffectLog& log) : inner_(inner), log_(log) {}

  bool Start(std::u16string_view application, std::u16string_view commandLine) override;
  std::vector<ProcessInfo> List() override { return inner_.List(); }
  bool Terminate(std::uint32_t id) override;

 private:
  Processes& inner_;
  EffectLog& log_;
};

}  // namespace vexa::platform
