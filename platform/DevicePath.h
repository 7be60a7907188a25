#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The device's path rules, shared by every file system adapter: which names a component may have and
// how a device path splits into components.
namespace vexa::platform {

// The start of the names the atomic saves give their temporary files; no device path may name one.
inline constexpr std::u16string_view kTempFilePrefix = u".vexa-tmp-";

// True when `name` may be one component of a device path. Wildcards pass only with `wildcards`.
bool IsValidComponent(std::u16string_view name, bool wildcards);

struct ParsedPath {
  std::vector<std::u16string_view> components;
  bool trailingSeparator = false;
};

// Splits a device path ("\Storage Card\VexaDeck\VexaDeck.ini") into its components; nullopt when the
// path is refused. A path without the leading '\' is taken from the root; one trailing '\' is allowed.
// Wildcards pass in the last component only with `wildcardsInLast`.
std::optional<ParsedPath> ParseDevicePath(std::u16string_view path, bool wildcardsInLast);

}  // namespace vexa::platform
