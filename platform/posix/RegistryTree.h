#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Registry.h"

namespace vexa::platform {

enum class RegistryType { kString, kDword, kBinary };

struct RegistryValue {
  std::u16string name{};  // the spelling it was first set with; empty: the key's default value
  RegistryType type = RegistryType::kString;
  std::u16string text{};              // kString
  std::uint32_t number = 0;           // kDword
  std::vector<std::uint8_t> bytes{};  // kBinary

  bool SameData(const RegistryValue& other) const {
    return type == other.type && text == other.text && number == other.number && bytes == other.bytes;
  }
};

// The device registry held in memory, and its text form: a registry file of the "REGEDIT4" kind.
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Vexa\Tools]
//   @="default value"
//   "Path"="\\Storage Card\\Tools"
//   "Count"=dword:0000000a
//   "Data"=hex:01,02,ff
//   "Lines"=hex(1):61,00,0d,00,0a,00,00,00
//
// Keys and value names are found without regard to letter case and keep the spelling they were first
// made with. Strings are quoted with "\\" and "\"" escaped; a string holding a control character or
// half a surrogate pair is written as hex(1): its UTF-16LE units with the terminator, so every value
// reads back as it was set. Long binary data goes on continuation lines ending in "\".
//
// Limits, so that the tree never costs more than the text it came from and any tree fits one line per
// key: a key name part of 1 to kMaxKeyPart characters and at most kMaxKeyDepth parts, value names of
// at most kMaxValueName characters; neither holds a control character or half a surrogate pair;
// value data of at most kMaxValueBytes bytes.
class RegistryTree {
 public:
  static constexpr std::size_t kMaxKeyPart = 255;
  static constexpr std::size_t kMaxKeyDepth = 512;
  static constexpr std::size_t kMaxValueName = 16383;
  static constexpr std::size_t kMaxValueBytes = 1u << 20;

  // The names the text form gives the roots: "HKEY_LOCAL_MACHINE".
  static std::u16string_view RootName(RegistryRoot root);
  static bool ValidKeyPath(std::u16string_view subkey);
  static bool ValidValueName(std::u16string_view name);
  static bool ValidValue(const RegistryValue& value);

  // Creates the key and its missing parents; false for a path that is not valid. `changed` tells
  // whether anything was created.
  bool CreateKey(RegistryRoot root, std::u16string_view subkey, bool* changed = nullptr);
  // Creates the key where missing and sets the value, replacing one of the same name (of any type)
  // but keeping that one's spelling. False for a key path, name or data that is not valid.
  bool Set(RegistryRoot root, std::u16string_view subkey, RegistryValue value, bool* changed = nullptr);

  // Nullptr when the key or the value is not there.
  const RegistryValue* Find(RegistryRoot root, std::u16string_view subkey, std::u16string_view name) const;
  bool HasKey(RegistryRoot root, std::u16string_view subkey) const;

  // The registry file: "REGEDIT4", a blank line, then each key (a line for every key that holds values
  // or has no subkeys; the others follow from their subkeys), subkeys in order of their names without
  // regard to case, values in the order they were first set. CR LF line ends.
  std::u16string Format() const;
  // The keys and values for people: one key a line ("HKEY_LOCAL_MACHINE\Software\Vexa"), below it
  // each value as "  Name = REG_SZ "text"", "REG_DWORD 10 (0x0000000a)" or "REG_BINARY 01 02 ff". LF
  // line ends.
  std::u16string Listing() const;

  // Reads a registry file's text (CR LF or LF line ends). Nullopt when its first line is not
  // "REGEDIT4" (letter case aside); lines that do not read as a key or a value are skipped, and
  // values before the first key line or under a deletion line ("[-HKEY_...]") go nowhere.
  static std::optional<RegistryTree> Parse(std::u16string_view text);

 private:
  struct Node {
    std::u16string name;
    std::map<std::u16string, std::unique_ptr<Node>> children;  // by folded name
    std::vector<RegistryValue> values;
    std::unordered_map<std::u16string, std::size_t> index;  // folded value name -> place in values
  };

  Node* Make(RegistryRoot root, std::u16string_view subkey, bool* changed);
  const Node* Walk(RegistryRoot root, std::u16string_view subkey) const;
  template <typename Visit>
  static void Each(const Node& node, std::u16string& path, const Visit& visit);

  std::array<Node, 4> roots_;
};

}  // namespace vexa::platform
