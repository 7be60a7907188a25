#include "platform/DeviceLocale.h"

#include <cstdlib>
#include <string>

namespace vexa::platform {

std::uint16_t DeviceLocale::AnsiCodePage() {
  // The primary language is the low ten bits of a language identifier.
  return (langId_ & 0x3FF) == (kLangKorean & 0x3FF) ? 949 : 1252;
}

std::optional<std::uint16_t> LanguageFromName(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower == "ko" || lower == "kr" || lower == "korean") return kLangKorean;
  if (lower == "en" || lower == "english") return kLangEnglishUs;
  return std::nullopt;
}

std::uint16_t LanguageFromEnvironment() {
  if (const char* lang = std::getenv("VEXA_LANG"); lang != nullptr && *lang != '\0') {
    if (auto id = LanguageFromName(lang)) return *id;
  }
  // The first of these that is set decides, as for any program of the host.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    const std::string_view text(value);
    return text.substr(0, 2) == "ko" ? kLangKorean : kLangEnglishUs;
  }
  return kLangEnglishUs;
}

}  // namespace vexa::platform
