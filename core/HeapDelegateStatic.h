// A heap over one fixed region: N small-block pools addressed by 16-bit unit indexes, and one
// large-block core for the rest of the region. The operations live in HeapDelegateExpandable.
#pragma once

#include "core/HeapDelegate.h"

namespace Corvale
{
// One core of a static heap: a region carved into blocks that are chained by neighbour in
// memory, with an address-ordered, doubly linked list of the free ones. Links are indexes of
// UNIT bytes from a base address (0 = none), so that a small core's links fit 16 bits and a
// large core's links stay 32 bits on a 64-bit build. The first block lies FIRST_OFFSET bytes
// after the start; a free block needs MIN_FREE_UNITS of payload for its free-list links.
template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS> class HeapCore
{
 public:
   struct Header
   {
      Link next;     // next block in memory
      Link size;     // payload in units
      Link previous; // previous block in memory
      Link used;
   };
   struct FreeLinks
   {
      Link nextFree;
      Link previousFree;
   };
   static constexpr u32 HEADER_UNITS = sizeof(Header) / UNIT;

   // Payload units for a request: whole 4-byte words, never below the free-list links.
   static u32 UnitsGet(u32 bytes)
   {
      u64 rounded = (static_cast<u64>(bytes) + 3) & ~static_cast<u64>(3);
      u64 units = rounded / UNIT;
      if (units < MIN_FREE_UNITS)
      {
         return MIN_FREE_UNITS;
      }
      // Too large for any core: fails the fit and goes to the overflow.
      return units > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<u32>(units);
   }

   // Sets the core up over [address, address + bytes) with one free block; a region too small
   // for a block leaves the core empty.
   void Init(uptr address, u32 bytes);
   void Clear();
   // Takes a free block of at least units from the low or the high end; null when none fits.
   void* AllocateLow(u32 units);
   void* AllocateHigh(u32 units);
   // False for a block that is not in use (a double free), which is left alone.
   bool Free(void* payload);
   // [start, end], both inclusive.
   bool ContainsCheck(const void* p) const
   {
      uptr a = reinterpret_cast<uptr>(p);
      return ready && a >= start && a <= end;
   }
   u32 FreeBlockCountGet() const;
   // Bytes.
   u32 FreeBlockLargestGet() const;

   // The first block in memory (0 for an empty core); blocks chain on through Header::next.
   Link FirstLinkGet() const { return firstLink; }
   Header* HeaderGet(Link link) const
   {
      return reinterpret_cast<Header*>(base + static_cast<uptr>(link) * UNIT);
   }
   FreeLinks* FreeLinksGet(Link link) const
   {
      return reinterpret_cast<FreeLinks*>(base + (static_cast<uptr>(link) + HEADER_UNITS) * UNIT);
   }
   Link LinkGet(const void* payload) const
   {
      return static_cast<Link>((reinterpret_cast<uptr>(payload) - base) / UNIT - HEADER_UNITS);
   }
   void* PayloadGet(Link link) const
   {
      return reinterpret_cast<void*>(base + (static_cast<uptr>(link) + HEADER_UNITS) * UNIT);
   }

   uptr start = 0;
   uptr end = 0;
   u32 size = 0;
   u32 requestedSize = 0;
   u32 freeAmount = 0; // in units
   Link freeHead = 0;
   Link freeTail = 0;

 private:
   void FreeListUnlink(Link link);
   void FreeListReplace(Link old, Link replacement);
   void FreeListInsert(Link link);

   bool ready = false;
   uptr base = 0;
   Link firstLink = 0;
};

// Small blocks: 4-byte units, 8-byte headers, 16-bit links; the first block lies 4 bytes in, so
// that its index is 1 and 0 means none.
typedef HeapCore<u16, 4, 4, 1> HeapCoreSmall;
// Large blocks: byte units, 16-byte headers, 32-bit links; the first block lies at the start.
typedef HeapCore<u32, 1, 0, 8> HeapCoreLarge;

constexpr u32 HEAP_POOL_SIZE = 0x3FC00;
constexpr u32 HEAP_SMALL_BLOCK_LIMIT = 256;

template <u32 N> class HeapDelegateStatic : public HeapDelegate
{
 public:
   u32 smallBlockLimit = HEAP_SMALL_BLOCK_LIMIT;
   HeapCoreLarge large;
   HeapCoreSmall pools[N];
};

extern template class HeapCore<u16, 4, 4, 1>;
extern template class HeapCore<u32, 1, 0, 8>;
} // namespace Corvale
