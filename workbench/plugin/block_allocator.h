// The host's block allocator: the memory modules get through the basic and
// blocks suites, tracked so that leaks and bad frees are visible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "sdk/types.h"

namespace workbench::plugin {

/// Zero-filled blocks from the C heap, remembered until freed.
class BlockAllocator {
 public:
  BlockAllocator() = default;
  BlockAllocator(const BlockAllocator&) = delete;
  BlockAllocator& operator=(const BlockAllocator&) = delete;
  /// Frees every block still outstanding.
  ~BlockAllocator();

  /// kQvErrBadParameter for a negative size or null out-parameter;
  /// kQvErrOutOfMemory (with `tag` logged as the failure) when the block
  /// would pass the limit or the heap is exhausted.
  QvErr Allocate(std::int64_t size, const char* tag, void** block);
  /// Null does nothing; a block not ours (or freed already) is kQvErrBadBlock.
  QvErr Free(void* block);
  QvErr Reallocate(void* block, std::int64_t newSize, const char* tag, void** newBlock);
  /// The size of a live block; none for anything else.
  std::optional<std::int64_t> SizeOf(const void* block) const;

  std::size_t OutstandingBlocks() const { return blocks_.size(); }
  std::int64_t OutstandingBytes() const { return bytes_; }
  /// Allocations that would bring the outstanding bytes above `bytes` fail;
  /// none removes the limit. Lets tests drive the out-of-memory paths.
  void SetLimit(std::optional<std::int64_t> bytes) { limit_ = bytes; }
  /// The tags of failed allocations, oldest first.
  const std::vector<std::string>& Failures() const { return failures_; }

 private:
  std::unordered_map<const void*, std::int64_t> blocks_;
  std::int64_t bytes_ = 0;
  std::optional<std::int64_t> limit_;
  std::vector<std::string> failures_;
};

}  // namespace workbench::plugin
