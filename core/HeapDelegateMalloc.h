// A heap delegate over the C library heap: the system heap, and every heap of the build that
// routes all blocks to malloc so that the sanitizers see each one.
#pragma once

#include "core/HeapDelegate.h"

namespace Corvale
{
class HeapDelegateMalloc : public HeapDelegate
{
 public:
   void Init(u8 threadSafeFlag);

   void* Allocate(u32 size) override;
   bool Free(void* raw) override;
   bool SystemHeapCheck() override { return true; }
   void* AllocateHigh(u32 size) override;
   void* AllocateLow(u32 size) override;
   // The C library heap reports no sizes.
   u32 FreeSizeGet() override;
   u32 UsedSizeGet() override;
   u32 TotalSizeGet() override;
   u32 FreeBlockCountGet() override;
   u32 FreeBlockLargestGet() override;
};
} // namespace Corvale
