#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vexa::platform {

// The four roots of the device registry that registry files name.
enum class RegistryRoot { kClassesRoot, kCurrentUser, kLocalMachine, kUsers };

// The device's registry: keys under four roots, each holding named values. Only what the start-up
// runner's import needs: a key is created where missing (with its parents), and values of three types
// are set. Nothing is ever deleted. Key paths use "\" between their parts; an empty path is the root
// itself. Key paths and value names compare without regard to case, as on the device, and keep the
// spelling they were first created with.
class Registry {
 public:
  virtual ~Registry() = default;
  // Opens the key, creating it and any missing parent; false when it cannot be made (a path with an
  // empty part, a store that cannot be written).
  virtual bool CreateKey(RegistryRoot root, std::u16string_view subkey) = 0;
  // Each creates the key where missing, then sets the value, replacing one of that name of any type.
  virtual bool SetString(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                         std::u16string_view value) = 0;
  virtual bool SetDword(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                        std::uint32_t value) = 0;
  virtual bool SetBinary(RegistryRoot root, std::u16string_view subkey, std::u16string_view name,
                         std::span<const std::uint8_t> bytes) = 0;
  // Stores every change made so far. An adapter that keeps the registry in a file may hold changes
  // back until this is called (or until it goes away), so that a burst of changes costs one write;
  // false when the store cannot be written.
  virtual bool Flush() { return true; }
};

}  // namespace vexa::platform
