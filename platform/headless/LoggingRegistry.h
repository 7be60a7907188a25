#pragma once

#include "platform/EffectLog.h"
#include "platform/Registry.h"

namespace vexa::platform {

// A registry that logs every change asked of the one it wraps:
//   "registry_key" {root: "HKEY_LOCAL_MACHINE", key: "Software\Vexa", ok}
//   "registry_set" {root, key, name, type: "REG_SZ" | "REG_DWORD" | "REG_BINARY", value, ok}
// with the value as a text (REG_SZ), a number (REG_DWORD) or hex bytes "01,02,ff" (REG_BINARY).
class LoggingRegistry : public Registry {
 public:
  LoggingRegistry(Registry& inner, EffectLog& log) : inner_(inner), log_(log) {}

  bool CreateKey(RegistryRoot root, std::u16string_view subkey) override;
  bool SetString(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                 std::u16string_view value) override;
  bool SetDword(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                std::uint32_t value) override;
  bool SetBinary(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                 std::span<const std::uint8_t> bytes) override;
  bool Flush() override { return inner_.Flush(); }

 private:
  Registry& inner_;
  EffectLog& log_;
};

}  // namespace vexa::platform
