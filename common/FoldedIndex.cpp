#include "common/FoldedIndex.h"

#include <algorithm>

#include "common/text/Text.h"

namespace vexa {

std::uint32_t FoldedIndex::Hash(std::u16string_view name, std::uint32_t seed) {
  // FNV-1a over the folded units, then a final mix so the low bits that pick a slot depend on all.
  std::uint32_t h = 2166136261u ^ (seed * 0x9E3779B9u);
  for (const char16_t c : name) {
    h = (h ^ text::FoldCase(c)) * 16777619u;
  }
  h ^= h >> 16;
  h *= 0x85EBCA6Bu;
  h ^= h >> 13;
  h *= 0xC2B2AE35u;
  h ^= h >> 16;
  return h;
}

void FoldedIndex::Insert(std::uint32_t hash, std::uint32_t id) {
  if ((used_ + 1) * 2 > slots_.size()) Grow(used_ + 1);
  std::size_t i = hash & mask_;
  while (slots_[i].id != kNone) i = (i + 1) & mask_;
  slots_[i] = {id, hash};
  ++used_;
}

void FoldedIndex::Erase(std::uint32_t hash, std::uint32_t id) {
  if (slots_.empty()) return;
  std::size_t hole = hash & mask_;
  while (slots_[hole].id != id) {
    if (slots_[hole].id == kNone) return;
    hole = (hole + 1) & mask_;
  }
  // Shift back every later slot of the run that may move into the hole without passing its home,
  // so every id stays reachable from its home slot without gaps.
  for (std::size_t next = (hole + 1) & mask_; slots_[next].id != kNone; next = (next + 1) & mask_) {
    const std::size_t home = slots_[next].hash & mask_;
    const bool homeAfterHole = hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
    if (homeAfterHole) continue;
    slots_[hole] = slots_[next];
    hole = next;
  }
  slots_[hole] = Slot{};
  --used_;
}

void FoldedIndex::Clear() {
  // The table is kept: a store read again is usually read with as many names as before.
  std::fill(slots_.begin(), slots_.end(), Slot{});
  used_ = 0;
}

void FoldedIndex::Grow(std::size_t count) {
  std::size_t size = slots_.empty() ? 16 : slots_.size() * 2;
  while (size < count * 2) size *= 2;
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(size, Slot{});
  mask_ = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.id == kNone) continue;
    std::size_t i = slot.hash & mask_;
    while (slots_[i].id != kNone) i = (i + 1) & mask_;
    slots_[i] = slot;
  }
}

}  // namespace vexa
