// The engine's working heap: a static heap over a caller's region whose small requests go to
// the pools first, and which overflows to the C library heap when its region is exhausted.
#pragma once

#include "core/Allocator.h"
#include "core/HeapDelegateStatic.h"
#include "core/Log.h"

namespace Corvale
{
template <u32 N> class HeapDelegateExpandable : public HeapDelegateStatic<N>
{
   typedef HeapDelegate::Lock Lock;

 public:
   // Carves the pools (while a whole pool still fits) and then the large core out of the region.
   void Init(void* region, u8 threadSafeFlag, u32 regionSize)
   {
      this->BaseInit(threadSafeFlag);
      this->smallBlockLimit = HEAP_SMALL_BLOCK_LIMIT;
      CoresClear();
      if (!region)
      {
         return;
      }
      uptr cursor = reinterpret_cast<uptr>(region);
      poolsStart = cursor;
      u32 remaining = regionSize;
      for (HeapCoreSmall& pool : this->pools)
      {
         if (remaining < HEAP_POOL_SIZE)
         {
            break;
         }
         pool.Init(cursor, HEAP_POOL_SIZE);
         cursor += HEAP_POOL_SIZE;
         remaining -= HEAP_POOL_SIZE;
         poolsFreeUnits += pool.freeAmount;
         poolsTotalSize += pool.requestedSize;
      }
      if (remaining >= 24)
      {
         this->large.Init(cursor, remaining);
      }
   }

   void Deinit() override
   {
      Lock guard(this);
      HeapDelegate::Deinit();
      CoresClear();
   }

   void* Allocate(u32 size) override { return AllocateHigh(size); }
   void* AllocateLow(u32 size) override { return AllocateFromEnd(size, true); }
   void* AllocateHigh(u32 size) override { return AllocateFromEnd(size, false); }

   bool Free(void* raw) override
   {
      if (!raw)
      {
         return false;
      }
      Lock guard(this);
      if (HeapCoreSmall* pool = PoolFind(raw))
      {
         u32 freeBefore = pool->freeAmount;
         bool freed = CoreFree(*pool, raw);
         poolsFreeUnits += pool->freeAmount - freeBefore;
         return freed;
      }
      if (this->large.ContainsCheck(raw))
      {
         return CoreFree(this->large, raw);
      }
      this->AllocationCountRemove(raw);
      OverflowAllocator()->Free(raw);
      return true;
   }

   u32 FreeSizeGet() override
   {
      Lock guard(this);
      return FreeSizeCompute();
   }

   u32 TotalSizeGet() override
   {
      Lock guard(this);
      return TotalSizeCompute();
   }

   // Every allocation asks for this (for the peak), so it must not visit the pools.
   u32 UsedSizeGet() override
   {
      Lock guard(this);
      return TotalSizeCompute() - FreeSizeCompute();
   }

   u32 FreeBlockCountGet() override
   {
      Lock guard(this);
      u32 count = this->large.FreeBlockCountGet();
      for (const HeapCoreSmall& pool : this->pools)
      {
         count += pool.FreeBlockCountGet();
      }
      return count;
   }

   u32 FreeBlockLargestGet() override
   {
      Lock guard(this);
      u32 largest = this->large.FreeBlockLargestGet();
      for (const HeapCoreSmall& pool : this->pools)
      {
         u32 bytes = pool.FreeBlockLargestGet();
         largest = bytes > largest ? bytes : largest;
      }
      return largest;
   }

 private:
   void CoresClear()
   {
      this->large.Clear();
      for (HeapCoreSmall& pool : this->pools)
      {
         pool.Clear();
      }
      poolsStart = 0;
      poolsFreeUnits = 0;
      poolsTotalSize = 0;
   }

   // The pools lie back to back from the region's start, so an address names its pool. A
   // pool's end is inclusive and may be the next one's start, so the pool below is asked first.
   HeapCoreSmall* PoolFind(const void* raw)
   {
      uptr address = reinterpret_cast<uptr>(raw);
      if (address < poolsStart)
      {
         return nullptr;
      }
      uptr index = (address - poolsStart) / HEAP_POOL_SIZE;
      for (uptr i = index ? index - 1 : 0; i <= index && i < N; i++)
      {
         if (this->pools[i].ContainsCheck(raw))
         {
            return &this->pools[i];
         }
      }
      return nullptr;
   }

   // Small requests try the pools first: the low end from the first pool up, the high end from
   // the last pool down.
   void* AllocateFromEnd(u32 size, bool fromLow)
   {
      Lock guard(this);
      void* block = nullptr;
      if (size < this->smallBlockLimit)
      {
         u32 units = HeapCoreSmall::UnitsGet(size);
         for (u32 i = 0; i < N && !block; i++)
         {
            HeapCoreSmall& pool = this->pools[fromLow ? i : N - 1 - i];
            u32 freeBefore = pool.freeAmount;
            block = fromLow ? pool.AllocateLow(units) : pool.AllocateHigh(units);
            poolsFreeUnits -= freeBefore - pool.freeAmount;
         }
      }
      if (!block)
      {
         u32 units = HeapCoreLarge::UnitsGet(size);
         block = fromLow ? this->large.AllocateLow(units) : this->large.AllocateHigh(units);
      }
      return Counted(block ? block : Overflow(size));
   }

   u32 FreeSizeCompute() const { return this->large.freeAmount + 4 * poolsFreeUnits; }
   u32 TotalSizeCompute() const { return this->large.requestedSize + poolsTotalSize; }

   static Allocator* OverflowAllocator()
   {
      if (!allocatorMallocFree)
      {
         AllocatorsInit();
      }
      return allocatorMallocFree;
   }

   static void* Overflow(u32 size) { return OverflowAllocator()->Allocate(size); }

   void* Counted(void* block)
   {
      if (block)
      {
         this->AllocationCountAdd(block);
      }
      return block;
   }

   template <class Core> bool CoreFree(Core& core, void* raw)
   {
      // A block that is not in use is a double free: counting it again would corrupt the heap.
      if (!core.Free(raw))
      {
         WarningPrintf("HeapDelegateExpandable::Free -- block is not in use: %p\n", raw);
         return false;
      }
      this->AllocationCountRemove(raw);
      return true;
   }

   uptr poolsStart = 0;
   // Running totals over the pools, kept in step with every pool operation, so that the sizes
   // cost the same however many pools there are. The large core is read directly.
   u32 poolsFreeUnits = 0;
   u32 poolsTotalSize = 0;
};
} // namespace Corvale
