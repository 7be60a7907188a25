// A pattern from a skin file with arguments of every kind: formatting never reads a wrong type,
// never writes outside its output, and stays within its size cap.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/text/CodePage.h"
#include "common/text/Format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto pattern = vexa::text::Decode(bytes, 1252);
  std::vector<vexa::text::FormatArg> args;
  for (std::size_t i = 0; i < size && args.size() < 8; ++i) {
    switch (data[i] % 3) {
      case 0: args.emplace_back(static_cast<std::int64_t>(data[i]) * 1000003 - 500000); break;
      case 1: args.emplace_back(static_cast<double>(data[i]) / 7.0); break;
      default: args.emplace_back(pattern.substr(0, data[i] % 16)); break;
    }
  }
  const auto out = vexa::text::Format(pattern, args);
  if (out.size() > 4096) std::abort();
  return 0;
}
