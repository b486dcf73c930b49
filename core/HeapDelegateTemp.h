// A view of another heap that hands out temporary blocks from its low-address end, while the
// parent's own Allocate serves long-lived blocks from the high end.
#pragma once

#include "core/HeapDelegate.h"

namespace Corvale
{
class HeapDelegateTemp : public HeapDelegate
{
 public:
   void Init(u8 threadSafeFlag, HeapDelegate* parentHeap);

   void* Allocate(u32 size) override;
   bool Free(void* raw) override;
   bool SystemHeapCheck() override { return parent && parent->SystemHeapCheck(); }
   void* AllocateHigh(u32 size) override;
   void* AllocateLow(u32 size) override;
   bool TemporaryCheck() override;
   u32 FreeSizeGet() override;
   u32 UsedSizeGet() override;
   u32 TotalSizeGet() override;
   u32 FreeBlockCountGet() override;
   u32 FreeBlockLargestGet() override;
   u32 AllocationCountGet() override;
   u32 AllocationCountPeakGet() override;
   u32 UsedSizePeakGet() override;

   HeapDelegate* parent = nullptr;
};
} // namespace Corvale
