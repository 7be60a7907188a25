// Any text as a scenario file: it parses into actions or one error naming a line, never a crash.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "platform/headless/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto result = vexa::platform::Scenario::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)std::holds_alternative<vexa::platform::ScenarioError>(result);
  return 0;
}
