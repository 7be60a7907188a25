#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vexa {

// Finds the ids of named things (the sections and the entries of a profile store) by a hash of their
// names with letter case folded, in constant time. The names stay with their owner: a look-up asks
// the owner whether an id carries the name looked for. Open addressing with linear probing over a
// power-of-two table kept at most half full.
class FoldedIndex {
 public:
  static constexpr std::uint32_t kNone = UINT32_MAX;

  // The hash of `name` with letter case folded, so names that match without regard to case hash
  // alike; `seed` tells names of different sections apart.
  static std::uint32_t Hash(std::u16string_view name, std::uint32_t seed = 0);

  // The id under `hash` for which `same(id)` holds, or kNone.
  template <class Same>
  std::uint32_t Find(std::uint32_t hash, Same&& same) const {
    if (slots_.empty()) return kNone;
    for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
      const Slot& slot = slots_[i];
      if (slot.id == kNone) return kNone;
      if (slot.hash == hash && same(slot.id)) return slot.id;
    }
  }

  // The id under `hash` for which `same(id)` holds; when there is none, `id` is added and returned.
  template <class Same>
  std::uint32_t FindOrInsert(std::uint32_t hash, std::uint32_t id, Same&& same) {
    if ((used_ + 1) * 2 > slots_.size()) Grow(used_ + 1);
    std::size_t i = hash & mask_;
    for (; slots_[i].id != kNone; i = (i + 1) & mask_) {
      if (slots_[i].hash == hash && same(slots_[i].id)) return slots_[i].id;
    }
    slots_[i] = {id, hash};
    ++used_;
    return id;
  }

  // Starts loading the slot where a look-up of `hash` begins, so that a look-up made a little later
  // does not wait for memory; large files have tables larger than the processor's caches.
  void Prefetch(std::uint32_t hash) const {
#if defined(__GNUC__)
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash & mask_]);
#else
    (void)hash;
#endif
  }

  // Adds an id that is not in the index yet.
  void Insert(std::uint32_t hash, std::uint32_t id);
  // Makes room for `count` ids in all without growing again.
  void Reserve(std::size_t count) {
    if (count * 2 > slots_.size()) Grow(count);
  }
  // Removes an id that was inserted under `hash`; nothing happens when it is not there.
  void Erase(std::uint32_t hash, std::uint32_t id);
  void Clear();

 private:
  struct Slot {
    std::uint32_t id = kNone;
    std::uint32_t hash = 0;
  };

  // Rehashes into a table that holds at least `count` ids at most half full.
  void Grow(std::size_t count);

  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::size_t used_ = 0;
};

}  // namespace vexa
