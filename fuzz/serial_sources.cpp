// Any bytes as the port mappings a user types (--port, VEXA_PORTS) and as a line of a recorded drive
// that the replay paces by: a mapping names a port from 1 to 255 and a source of a known form, a
// wrong one is an error text, and an RMC time lies within one day.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/posix/ReplaySerialPort.h"
#include "platform/posix/SerialSource.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> errors;
  for (const auto& [number, source] : vexa::platform::ParsePortList(text, errors)) {
    Check(number >= 1 && number <= 255);
    if (source.kind == vexa::platform::SerialSource::Kind::kGpsd) Check(source.port >= 1 && source.port <= 65535);
  }
  for (const auto& error : errors) Check(!error.empty());
  const auto mapping = vexa::platform::ParsePortMapping(text);
  if (const auto* error = std::get_if<std::string>(&mapping)) Check(!error->empty());

  if (const auto time = vexa::platform::ReplaySerialPort::RmcTime(std::span(data, size))) {
    Check(*time >= 0 && *time < 86'401'000);
  }
  return 0;
}
