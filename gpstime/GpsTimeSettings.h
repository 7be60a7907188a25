#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::gpstime {

// The GPS time program's own small settings table: entries in the order they were read or added,
// section and key compared exactly (letter case matters). A key read twice is kept twice; look-ups
// find the first. Only section "Main" is ever written back.
class SettingsTable {
 public:
  struct Entry {
    std::u16string section;
    std::u16string key;
    std::u16string value;
  };

  // Files larger than this are not read: the table then holds nothing and every look-up gives its
  // default. Real settings files are a few dozen bytes.
  static constexpr std::size_t kMaxFileBytes = 64 * 1024;

  // Empties the table and takes the entries of the file's bytes (code page 949, any line ends CR LF).
  void Parse(std::string_view bytes);
  // "[Main]" and every entry of section Main in table order, CR LF after each line, in code page 949.
  std::string Serialize() const;

  // The value of the first entry with this section and key, else the default.
  std::u16string Get(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue) const;
  // Replaces the value of the first such entry, or appends a new one.
  void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  const std::vector<Entry>& entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

// The program's settings as the attempt and the settings dialog use them, their fall-backs applied.
struct GpsTimeSettings {
  static constexpr char16_t kSection[] = u"Main";

  // "COM1:" to "COM8:" (after upper-casing), else "COM2:".
  static std::u16string PortOf(const SettingsTable& table);
  // 4800, 9600, 14400 or 19200 as stored, else 9600.
  static int BaudOf(const SettingsTable& table);
  // The speed list's text for the stored speed: "4800", "9600", "14400" or "19600", else "9600".
  static std::u16string SpeedTextOf(const SettingsTable& table);
  // "Y" after upper-casing.
  static bool SuccessToExitOf(const SettingsTable& table);
};

inline constexpr std::u16string_view kPortNames[] = {u"COM1:", u"COM2:", u"COM3:", u"COM4:",
                                                      u"COM5:", u"COM6:", u"COM7:", u"COM8:"};
// The settings dialog's speed list. It offers 19600 where the receivers' rate is 19200: that choice
// connects at 9600, as the attempt keeps only the rates it knows.
inline constexpr std::u16string_view kSpeedTexts[] = {u"4800", u"9600", u"14400", u"19600"};

}  // namespace vexa::gpstime
