// Any command line: joining its arguments again and splitting that gives the same arguments.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/text/Text.h"
#include "platform/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto line = vexa::text::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto arguments = vexa::platform::SplitCommandLine(line);
  if (vexa::platform::SplitCommandLine(vexa::platform::JoinCommandLine(arguments)) != arguments) std::abort();
  return 0;
}
