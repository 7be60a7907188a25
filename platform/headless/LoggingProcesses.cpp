#include "platform/headless/LoggingProcesses.h"

namespace vexa::platform {

bool LoggingProcesses::Start(std::u16string_view application, std::u16string_view commandLine) {
  const bool ok = inner_.Start(application, commandLine);
  log_.Record("process_started", {{"application", std::u16string(application)},
                                  {"command_line", std::u16string(commandLine)},
                                  {"ok", ok}});
  return ok;
}

bool LoggingProcesses::Terminate(std::uint32_t id) {
  const bool ok = inner_.Terminate(id);
  log_.Record("process_ended", {{"id", static_cast<std::int64_t>(id)}, {"ok", ok}});
  return ok;
}

}  // namespace vexa::platform
