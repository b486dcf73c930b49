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
      this->large.Clear();
      for (HeapCoreSmall& pool : this->pools)
      {
         pool.Clear();
      }
      if (!region)
      {
         return;
      }
      uptr cursor = reinterpret_cast<uptr>(region);
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
      this->large.Clear();
      for (HeapCoreSmall& pool : this->pools)
      {
         pool.Clear();
      }
   }

   void* Allocate(u32 size) override { return AllocateHigh(size); }

   void* AllocateLow(u32 size) override
   {
      Lock guard(this);
      void* block = nullptr;
      if (size < this->smallBlockLimit)
      {
         u32 units = HeapCoreSmall::UnitsGet(size);
         for (u32 i = 0; i < N && !block; i++)
         {
            block = this->pools[i].AllocateLow(units);
         }
      }
      if (!block)
      {
         block = this->large.AllocateLow(HeapCoreLarge::UnitsGet(size));
      }
      return Counted(block ? block : Overflow(size));
   }

   void* AllocateHigh(u32 size) override
   {
      Lock guard(this);
      void* block = nullptr;
      if (size < this->smallBlockLimit)
      {
         u32 units = HeapCoreSmall::UnitsGet(size);
         for (u32 i = N; i > 0 && !block; i--)
         {
            block = this->pools[i - 1].AllocateHigh(units);
         }
      }
      if (!block)
      {
         block = this->large.AllocateHigh(HeapCoreLarge::UnitsGet(size));
      }
      return Counted(block ? block : Overflow(size));
   }

   bool Free(void* raw) override
   {
      if (!raw)
      {
         return false;
      }
      Lock guard(this);
      for (HeapCoreSmall& pool : this->pools)
      {
         if (pool.ContainsCheck(raw))
         {
            return CoreFree(pool, raw);
         }
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
      u32 units = 0;
      for (const HeapCoreSmall& pool : this->pools)
      {
         units += pool.freeAmount;
      }
      return this->large.freeAmount + 4 * units;
   }

   u32 TotalSizeGet() override
   {
      Lock guard(this);
      u32 total = this->large.requestedSize;
      for (const HeapCoreSmall& pool : this->pools)
      {
         total += pool.requestedSize;
      }
      return total;
   }

   u32 UsedSizeGet() override
   {
      Lock guard(this);
      return TotalSizeGet() - FreeSizeGet();
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
};
} // namespace Corvale
