// Any bytes as the GPS time program's settings file: the table reads them, the fall-backs stay in
// their lists, and writing the table and reading it back settles after one round.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gpstime/GpsTimeSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vexa::gpstime::GpsTimeSettings;
  using vexa::gpstime::SettingsTable;
  if (size > SettingsTable::kMaxFileBytes) return 0;  // the program does not read larger files
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  SettingsTable table;
  table.Parse(bytes);
  // Every entry comes from a line with an "=", and no line holds more than the file.
  if (table.entries().size() > size / 2 + 1) std::abort();
  const int baud = GpsTimeSettings::BaudOf(table);
  if (baud != 4800 && baud != 9600 && baud != 14400 && baud != 19200) std::abort();
  const auto port = GpsTimeSettings::PortOf(table);
  if (std::find(std::begin(vexa::gpstime::kPortNames), std::end(vexa::gpstime::kPortNames), port) ==
      std::end(vexa::gpstime::kPortNames)) {
    std::abort();
  }
  // The first writing loses what the file form cannot carry (other sections, text code page 949
  // lacks, keys that would read as section headers); after that the file is a fixed point.
  const std::string once = table.Serialize();
  SettingsTable again;
  again.Parse(once);
  const std::string twice = again.Serialize();
  SettingsTable third;
  third.Parse(twice);
  if (third.Serialize() != twice) std::abort();
  return 0;
}
