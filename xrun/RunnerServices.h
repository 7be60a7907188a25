#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "xrun/RunnerSlots.h"

namespace vexa::xrun {

// Where the runner's windows get their slots and how a registry file is imported: the running
// program's own strings and the registry importer in the program, others in tests.
struct RunnerServices {
  std::function<SlotText(int id)> readSlot = ReadSlot;
  // Imports the registry file at a full device path; false when it could not be imported (the
  // importer has said why).
  std::function<bool(std::u16string_view path)> importRegistryFile;
};

}  // namespace vexa::xrun
