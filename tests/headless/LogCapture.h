#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/JsonEffectLog.h"
#include "platform/headless/VirtualClock.h"

namespace vexa::testing {

// A JSON effect log kept in memory, on a virtual clock, for tests to read back line by line.
struct LogCapture {
  platform::VirtualClock clock;
  std::ostringstream out;
  platform::JsonEffectLog log{clock, out};

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

}  // namespace vexa::testing
