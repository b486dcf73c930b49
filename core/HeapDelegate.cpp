// Counting, locking and block tracking shared by every heap delegate.
#include "core/HeapDelegate.h"

#include <cstring>

#include "core/Log.h"
#include "core/Memory.h"

namespace Corvale
{
HeapDelegate::HeapDelegate() : nodeAllocator(this), trackedBlocks(&nodeAllocator)
{
}

// The subclass is gone by now, so nodes still held can no longer be returned to it: drop the
// delegate and let the map's own clean-up free nothing.
HeapDelegate::~HeapDelegate()
{
   nodeAllocator.delegate = nullptr;
}

void HeapDelegate::BaseInit(u8 threadSafeFlag)
{
   threadSafe = threadSafeFlag;
   tracking = 0;
   allocationCount = 0;
   allocationCountPeak = 0;
   usedSizePeak = 0;
   nodeAllocator.delegate = this;
   TrackedBlocksClear();
}

void HeapDelegate::Deinit()
{
   Lock guard(this);
   TrackedBlocksClear();
}

void HeapDelegate::TrackedBlocksClear()
{
   trackedBlocks.Clear();
   trackedBlocks.NodePoolSizeSet(0);
}

void HeapDelegate::AllocationCountAdd(void*)
{
   Lock guard(this);
   allocationCount++;
   if (allocationCount > allocationCountPeak)
   {
      allocationCountPeak = allocationCount;
   }
   u32 used = UsedSizeGet();
   if (used > usedSizePeak)
   {
      usedSizePeak = used;
   }
}

void HeapDelegate::AllocationCountRemove(void*)
{
   Lock guard(this);
   allocationCount--;
}

void HeapDelegate::TrackingBegin()
{
   Lock guard(this);
   if (!tracking)
   {
      tracking = 1;
      TrackedBlocksClear();
   }
}

void HeapDelegate::TrackingEnd()
{
   Lock guard(this);
   if (tracking)
   {
      tracking = 0;
      TrackedBlocksReport();
      TrackedBlocksClear();
   }
}

bool HeapDelegate::TrackingCheck()
{
   return tracking != 0;
}

void HeapDelegate::TrackingRecordSet(void* address, const HeapTrackingRecord& record)
{
   Lock guard(this);
   if (!tracking)
   {
      return;
   }
   uptr key = reinterpret_cast<uptr>(address);
   auto* node = trackedBlocks.Find(key);
   if (node == trackedBlocks.End())
   {
      trackedBlocks.Insert(key, record);
      return;
   }
   node->value = record;
}

bool HeapDelegate::TrackingRecordRemove(void* address)
{
   Lock guard(this);
   if (!tracking)
   {
      return false;
   }
   return trackedBlocks.Remove(reinterpret_cast<uptr>(address));
}

bool HeapDelegate::TrackedBlocksVerify()
{
   Lock guard(this);
   for (auto* node = trackedBlocks.First(); node != trackedBlocks.End(); node = trackedBlocks.Next(node))
   {
      u8* p = reinterpret_cast<u8*>(node->key);
      MemoryBlockHeader header;
      std::memcpy(&header, p - sizeof(MemoryBlockHeader), sizeof(header));
      u32 guardAfter = MemoryGuardAfterRead(p, header.size);
      if (header.guard != MEMORY_GUARD_BEFORE || guardAfter != MEMORY_GUARD_AFTER ||
          header.heapId >= HEAP_COUNT)
      {
         return false;
      }
   }
   return true;
}

void HeapDelegate::TrackedBlocksReport()
{
   Lock guard(this);
   for (auto* node = trackedBlocks.First(); node != trackedBlocks.End(); node = trackedBlocks.Next(node))
   {
      const HeapTrackingRecord& record = node->value;
      DebugTracePrintf("   address: 0x%08llx, size: %d, alignment: %d, heap: %s, file: %s, line: %d\n",
                       static_cast<unsigned long long>(record.address), static_cast<i32>(record.size),
                       static_cast<i32>(record.alignment),
                       Memory::HeapNameGet(static_cast<i32>(record.heapId)), record.file ? record.file : "",
                       static_cast<i32>(record.line));
   }
}

bool HeapDelegate::TemporaryCheck()
{
   return false;
}

u32 HeapDelegate::AllocationCountGet()
{
   Lock guard(this);
   return allocationCount;
}

u32 HeapDelegate::AllocationCountPeakGet()
{
   Lock guard(this);
   return allocationCountPeak;
}

u32 HeapDelegate::UsedSizePeakGet()
{
   Lock guard(this);
   return usedSizePeak;
}
} // namespace Corvale
