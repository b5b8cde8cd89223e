// Scratch memory from the host's block allocator, released on every way
// out of the scope that holds it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "sdk/types.h"

namespace quorvane::host {

/// One block of the host's allocator, owned: the destructor frees it
/// through the allocator pair it came from.
class ScratchBlock {
 public:
  ScratchBlock() = default;
  ScratchBlock(QvAllocatorPair allocator, void* data, std::int64_t size)
      : allocator_(allocator), data_(data), size_(size) {}
  ScratchBlock(ScratchBlock&& other) noexcept { *this = std::move(other); }
  ScratchBlock& operator=(ScratchBlock&& other) noexcept {
    if (this != &other) {
      Reset();
      allocator_ = other.allocator_;
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }
  ScratchBlock(const ScratchBlock&) = delete;
  ScratchBlock& operator=(const ScratchBlock&) = delete;
  ~ScratchBlock() { Reset(); }

  void* Data() const { return data_; }
  std::int64_t Size() const { return size_; }
  /// Frees the block now.
  void Reset() {
    if (data_ != nullptr && allocator_.release != nullptr) allocator_.release(data_);
    data_ = nullptr;
    size_ = 0;
  }

 private:
  QvAllocatorPair allocator_{};
  void* data_ = nullptr;
  std::int64_t size_ = 0;
};

/// `count` values of a plain C type in one scratch block.
template <typename T>
class ScratchArray {
  static_assert(std::is_trivially_copyable_v<T>, "scratch arrays hold plain data");

 public:
  ScratchArray() = default;
  ScratchArray(ScratchBlock block, std::size_t count) : block_(std::move(block)), count_(count) {}

  T* Data() const { return static_cast<T*>(block_.Data()); }
  std::size_t Size() const { return count_; }
  bool Empty() const { return count_ == 0; }
  T& operator[](std::size_t i) const { return Data()[i]; }
  T* begin() const { return Data(); }
  T* end() const { return Data() + count_; }

 private:
  ScratchBlock block_;
  std::size_t count_ = 0;
};

}  // namespace quorvane::host
