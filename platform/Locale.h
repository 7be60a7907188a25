#pragma once

#include <cstdint>

namespace vexa::platform {

inline constexpr std::uint16_t kLangKorean = 0x0412;
inline constexpr std::uint16_t kLangEnglishUs = 0x0409;

// The device's language settings.
class Locale {
 public:
  virtual ~Locale() = default;
  virtual std::uint16_t UserDefaultLangId() = 0;
  virtual std::uint16_t SystemDefaultLangId() = 0;
  // The ANSI code page of byte texts on this device: 949 on Korean devices, 1252 otherwise.
  virtual std::uint16_t AnsiCodePage() = 0;
};

}  // namespace vexa::platform
