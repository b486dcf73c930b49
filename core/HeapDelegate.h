// The base of every heap delegate: the object that owns a heap's real storage, counts its live
// blocks and, when asked, tracks them so that their guards can be checked.
#pragma once

#include <mutex>

#include "core/Allocator.h"
#include "core/Map.h"
#include "core/Types.h"

namespace Corvale
{
// What is known about one tracked block.
struct HeapTrackingRecord
{
   uptr address = 0;
   u32 size = 0;
   const char* file = nullptr;
   u32 line = 0;
   u32 alignment = 0;
   u32 heapId = 0;
};

class HeapDelegate
{
 public:
   HeapDelegate();
   virtual ~HeapDelegate();

   virtual void Deinit();
   virtual void* Allocate(u32 size) = 0;
   virtual bool Free(void* raw) = 0;
   // Blocks from the high-address end (long-lived) and from the low-address end (temporary).
   virtual void* AllocateHigh(u32 size) = 0;
   virtual void* AllocateLow(u32 size) = 0;
   virtual void AllocationCountAdd(void* raw);
   virtual void AllocationCountRemove(void* raw);
   virtual void TrackingBegin();
   virtual void TrackingEnd();
   virtual bool TrackingCheck();
   virtual void TrackingRecordSet(void* address, const HeapTrackingRecord& record);
   virtual bool TrackingRecordRemove(void* address);
   virtual bool TrackedBlocksVerify();
   virtual void TrackedBlocksReport();
   virtual bool TemporaryCheck();
   // Whether each raw block is a block of the C library heap of its own, whose bounds the
   // sanitizers know and reset when the memory is handed out again.
   virtual bool SystemHeapCheck() { return false; }
   virtual u32 FreeSizeGet() = 0;
   virtual u32 UsedSizeGet() = 0;
   virtual u32 TotalSizeGet() = 0;
   virtual u32 FreeBlockCountGet() = 0;
   virtual u32 FreeBlockLargestGet() = 0;
   virtual u32 AllocationCountGet();
   virtual u32 AllocationCountPeakGet();
   virtual u32 UsedSizePeakGet();

   // Every operation of a thread-safe delegate runs under its lock, which is re-entrant because
   // operations call each other.
   class Lock
   {
    public:
      explicit Lock(HeapDelegate* heap) : heap(heap->threadSafe ? heap : nullptr)
      {
         if (this->heap)
         {
            this->heap->lock.lock();
         }
      }
      ~Lock()
      {
         if (heap)
         {
            heap->lock.unlock();
         }
      }
      Lock(const Lock&) = delete;
      Lock& operator=(const Lock&) = delete;

    private:
      HeapDelegate* heap;
   };

 protected:
   // Resets the flags and counters and empties the tracking map; the subclasses' Init call it.
   void BaseInit(u8 threadSafeFlag);
   void TrackedBlocksClear();

   u8 threadSafe = 0;
   u8 tracking = 0;
   u32 allocationCount = 0;
   u32 allocationCountPeak = 0;
   u32 usedSizePeak = 0;
   AllocatorHeapDelegateUnlogged nodeAllocator;
   // Keyed by the block address that Memory::Allocate handed out; nodes come from this heap
   // itself through nodeAllocator.
   Map<uptr, HeapTrackingRecord> trackedBlocks;
   std::recursive_mutex lock;
};
} // namespace Corvale
