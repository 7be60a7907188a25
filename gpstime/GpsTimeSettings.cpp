#include "gpstime/GpsTimeSettings.h"

#include <algorithm>

#include "common/text/CodePage.h"
#include "common/text/Text.h"

namespace vexa::gpstime {

void SettingsTable::Parse(std::string_view bytes) {
  entries_.clear();
  std::u16string text = text::Decode(bytes, text::kCodePageKorean);
  text += u"\r\n";
  std::u16string section;
  bool inSection = false;
  std::size_t start = 0;
  for (std::size_t end = text.find(u"\r\n"); end != std::u16string::npos; end = text.find(u"\r\n", start)) {
    const std::u16string_view line = std::u16string_view(text).substr(start, end - start);
    start = end + 2;
    if (line.empty()) continue;
    if (line.front() == u'[') {
      // The text between the first and the last character: "[Main]" gives "Main".
      section = line.size() >= 2 ? text::Trim(line.substr(1, line.size() - 2)) : std::u16string();
      inSection = true;
      continue;
    }
    if (!inSection) continue;
    const auto equals = line.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    entries_.push_back({section, text::Trim(line.substr(0, equals)), text::Trim(line.substr(equals + 1))});
  }
}

std::string SettingsTable::Serialize() const {
  std::u16string text = u"[Main]\r\n";
  for (const auto& entry : entries_) {
    if (entry.section != GpsTimeSettings::kSection) continue;
    text += entry.key + u"=" + entry.value + u"\r\n";
  }
  return text::Encode(text, text::kCodePageKorean);
}

std::u16string SettingsTable::Get(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view defaultValue) const {
  for (const auto& entry : entries_) {
    if (entry.section == section && entry.key == key) return entry.value;
  }
  return std::u16string(defaultValue);
}

void SettingsTable::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  for (auto& entry : entries_) {
    if (entry.section == section && entry.key == key) {
      entry.value = value;
      return;
    }
  }
  entries_.push_back({std::u16string(section), std::u16string(key), std::u16string(value)});
}

std::u16string GpsTimeSettings::PortOf(const SettingsTable& table) {
  const std::u16string port = text::ToUpper(table.Get(kSection, u"GpsPort", u""));
  if (std::find(std::begin(kPortNames), std::end(kPortNames), port) != std::end(kPortNames)) return port;
  return u"COM2:";
}

int GpsTimeSettings::BaudOf(const SettingsTable& table) {
  const std::u16string stored = table.Get(kSection, u"GpsSpeed", u"");
  const int baud = stored.empty() ? 9600 : text::ParseInt(stored);
  return baud == 4800 || baud == 9600 || baud == 14400 || baud == 19200 ? baud : 9600;
}

std::u16string GpsTimeSettings::SpeedTextOf(const SettingsTable& table) {
  const std::u16string stored = table.Get(kSection, u"GpsSpeed", u"");
  if (std::find(std::begin(kSpeedTexts), std::end(kSpeedTexts), stored) != std::end(kSpeedTexts)) return stored;
  return u"9600";
}

bool GpsTimeSettings::SuccessToExitOf(const SettingsTable& table) {
  return text::ToUpper(table.Get(kSection, u"SuccessToExit", u"")) == u"Y";
}

}  // namespace vexa::gpstime
