#include "platform/headless/LoggingRegistry.h"

#include <array>
#include <string>

namespace vexa::platform {

namespace {

std::string RootName(RegistryRoot root) {
  static constexpr std::array<const char*, 4> kNames{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                     "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
  return kNames[static_cast<std::size_t>(root)];
}

void LogSet(EffectLog& log, RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
            std::string_view type, LogValue value, bool ok) {
  log.Record("registry_set", {{"root", RootName(root)},
                              {"key", std::u16string(subkey)},
                              {"name", std::u16string(name)},
                              {"type", std::string(type)},
                              {"value", std::move(value)},
                              {"ok", ok}});
}

}  // namespace

bool LoggingRegistry::CreateKey(RegistryRoot root, std::u16string_view subkey) {
  const bool ok = inner_.CreateKey(root, subkey);
  log_.Record("registry_key", {{"root", RootName(root)}, {"key", std::u16string(subkey)}, {"ok", ok}});
  return ok;
}

bool LoggingRegistry::SetString(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                                std::u16string_view value) {
  const bool ok = inner_.SetString(root, subkey, name, value);
  LogSet(log_, root, subkey, name, "REG_SZ", std::u16string(value), ok);
  return ok;
}

bool LoggingRegistry::SetDword(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                               std::uint32_t value) {
  const bool ok = inner_.SetDword(root, subkey, name, value);
  LogSet(log_, root, subkey, name, "REG_DWORD", static_cast<std::int64_t>(value), ok);
  return ok;
}

bool LoggingRegistry::SetBinary(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                                std::span<const std::uint8_t> bytes) {
  const bool ok = inner_.SetBinary(root, subkey, name, bytes);
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 3);
  for (const std::uint8_t byte : bytes) {
    if (!hex.empty()) hex += ',';
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  LogSet(log_, root, subkey, name, "REG_BINARY", std::move(hex), ok);
  return ok;
}

}  // namespace vexa::platform
