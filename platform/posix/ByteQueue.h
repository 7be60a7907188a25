#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vexa::platform {

// The bytes a port holds for its reader, first in first out, at most `capacity` of them: the
// producer asks for room before it appends, so nothing is dropped and memory stays bounded.
class ByteQueue {
 public:
  explicit ByteQueue(std::size_t capacity) : capacity_(capacity) { bytes_.reserve(capacity); }

  std::size_t size() const { return bytes_.size() - head_; }
  bool empty() const { return size() == 0; }
  std::size_t room() const { return capacity_ - size(); }

  // False (and nothing appended) when `bytes` does not fit.
  bool Append(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > room()) return false;
    if (head_ > 0 && bytes_.size() + bytes.size() > capacity_) {
      bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(head_));
      head_ = 0;
    }
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return true;
  }
  std::size_t Take(std::span<std::uint8_t> out) {
    const std::size_t count = std::min(out.size(), size());
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(head_), count, out.begin());
    head_ += count;
    if (head_ == bytes_.size()) Clear();
    return count;
  }
  void Clear() {
    bytes_.clear();
    head_ = 0;
  }

 private:
  std::size_t capacity_;
  std::vector<std::uint8_t> bytes_;
  std::size_t head_ = 0;
};

}  // namespace vexa::platform
