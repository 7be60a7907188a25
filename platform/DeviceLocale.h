#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/Locale.h"

namespace vexa::platform {

// A device set to one language: both the user and the system default language are that language, and
// the ANSI code page follows it (949 for Korean, 1252 for everything else).
class DeviceLocale : public Locale {
 public:
  explicit DeviceLocale(std::uint16_t langId) : langId_(langId) {}

  std::uint16_t UserDefaultLangId() override { return langId_; }
  std::uint16_t SystemDefaultLangId() override { return langId_; }
  std::uint16_t AnsiCodePage() override;

 private:
  std::uint16_t langId_;
};

// The language named by a "--lang" option value: "ko" (or "kr") is Korean, "en" English, case ignored.
// Nullopt for anything else.
std::optional<std::uint16_t> LanguageFromName(std::string_view name);

// The device language when no option sets it: the environment variable VEXA_LANG ("ko" or "en"), else
// the host locale (LC_ALL, LC_MESSAGES, then LANG: a value starting with "ko" is Korean), else English.
std::uint16_t LanguageFromEnvironment();

}  // namespace vexa::platform
