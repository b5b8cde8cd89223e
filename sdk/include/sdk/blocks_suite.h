/// The host's block allocator, also reachable through the basic suite.
#ifndef QUORVANE_SDK_BLOCKS_SUITE_H
#define QUORVANE_SDK_BLOCKS_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvBlocksSuite "SP Blocks Suite"
enum { kQvBlocksSuiteVersion = 1 };

typedef struct QvBlocksSuite {
  /// A zero-filled block of `size` bytes. `debugTag` names the use in the
  /// host's failure message; kQvErrOutOfMemory when it cannot be had.
  QvErr (*AllocateBlock)(int64_t size, const char* debugTag, void** block);
  /// Null is accepted; a block this host did not allocate is kQvErrBadBlock.
  QvErr (*FreeBlock)(void* block);
  QvErr (*ReallocateBlock)(void* block, int64_t newSize, const char* debugTag, void** newBlock);
  QvErr (*GetBlockSize)(void* block, int64_t* size);
} QvBlocksSuite;
#ifdef __cplusplus
}
#endif

#endif
