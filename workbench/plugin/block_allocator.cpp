#include "workbench/plugin/block_allocator.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "sdk/errors.h"

namespace workbench::plugin {

BlockAllocator::~BlockAllocator() {
  for (const auto& [block, size] : blocks_) std::free(const_cast<void*>(block));
}

QvErr BlockAllocator::Allocate(std::int64_t size, const char* tag, void** block) {
  if (block == nullptr || size < 0) return kQvErrBadParameter;
  *block = nullptr;
  const auto fail = [&] {
    failures_.emplace_back(tag != nullptr ? tag : "");
    return kQvErrOutOfMemory;
  };
  if (limit_ && bytes_ + size > *limit_) return fail();
  // calloc(0) may give null; a block of at least one byte keeps every
  // successful allocation distinct and freeable.
  void* p = std::calloc(static_cast<std::size_t>(size > 0 ? size : 1), 1);
  if (p == nullptr) return fail();
  blocks_.emplace(p, size);
  bytes_ += size;
  *block = p;
  return kQvNoErr;
}

QvErr BlockAllocator::Free(void* block) {
  if (block == nullptr) return kQvNoErr;
  auto it = blocks_.find(block);
  if (it == blocks_.end()) return kQvErrBadBlock;
  bytes_ -= it->second;
  blocks_.erase(it);
  std::free(block);
  return kQvNoErr;
}

QvErr BlockAllocator::Reallocate(void* block, std::int64_t newSize, const char* tag, void** newBlock) {
  if (newBlock == nullptr) return kQvErrBadParameter;
  if (block == nullptr) return Allocate(newSize, tag, newBlock);
  auto old = SizeOf(block);
  if (!old) return kQvErrBadBlock;
  void* fresh = nullptr;
  if (QvErr err = Allocate(newSize, tag, &fresh)) return err;
  std::memcpy(fresh, block, static_cast<std::size_t>(std::min(*old, newSize)));
  Free(block);
  *newBlock = fresh;
  return kQvNoErr;
}

std::optional<std::int64_t> BlockAllocator::SizeOf(const void* block) const {
  auto it = blocks_.find(block);
  if (it == blocks_.end()) return std::nullopt;
  return it->second;
}

}  // namespace workbench::plugin
