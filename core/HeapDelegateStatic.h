// A heap over one fixed region: N small-block pools addressed by 16-bit unit indexes, and one
// large-block core for the rest of the region. The operations live in HeapDelegateExpandable.
#pragma once

#include <utility>

#include "core/HeapDelegate.h"

namespace Corvale
{
// Where a core's free blocks lie: one bit per 4-byte word of the core, with summary levels above
// it (a bit for each non-empty word of the level below), so that the nearest free block after
// any position is found in a few word reads however many used blocks lie in between. The words
// come from the C library heap, outside the core's region, so that blocks keep their addresses.
class HeapFreeMap
{
 public:
   HeapFreeMap() = default;
   ~HeapFreeMap() { Deinit(); }
   HeapFreeMap(const HeapFreeMap&) = delete;
   HeapFreeMap& operator=(const HeapFreeMap&) = delete;
   // Swaps, so that a core is reset by assigning it a fresh one.
   HeapFreeMap& operator=(HeapFreeMap&& other) noexcept
   {
      std::swap(words, other.words);
      std::swap(levelStart, other.levelStart);
      std::swap(levelWords, other.levelWords);
      std::swap(levelCount, other.levelCount);
      return *this;
   }

   // Room for bitCount bits, all clear; false when the storage could not be had.
   bool Init(u32 bitCount);
   void Deinit();
   void Set(u32 index);
   void Reset(u32 index);
   // The lowest set index above index; false when there is none.
   bool NextFind(u32 index, u32* found) const;

 private:
   // 2^32 bits need six levels of 64-bit words.
   static constexpr u32 LEVELS_MAX = 6;
   u64* words = nullptr;
   u32 levelStart[LEVELS_MAX] = {};
   u32 levelWords[LEVELS_MAX] = {};
   u32 levelCount = 0;
};

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
   // Takes a free block of at least units (as UnitsGet rounds them) from the low or the high
   // end; null when none fits.
   void* AllocateLow(u32 units) { return Allocate(units, true); }
   void* AllocateHigh(u32 units) { return Allocate(units, false); }
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
   void* Allocate(u32 units, bool fromLow);
   void FreeListUnlink(Link link);
   void FreeListReplace(Link old, Link replacement);
   void FreeListInsert(Link link);

   // Every block starts on a 4-byte boundary, so the free map keeps a bit per 4 bytes.
   static constexpr u32 SLOT_LINKS = 4 / UNIT;
   static_assert(4 % UNIT == 0, "a unit must divide the 4-byte slot");
   static u32 SlotGet(Link link) { return static_cast<u32>(link) / SLOT_LINKS; }

   bool ready = false;
   uptr base = 0;
   Link firstLink = 0;
   HeapFreeMap freeMap;
   // No free block is larger (in units): a full core then turns a request away at once instead
   // of walking its fragments. Exact after a walk that found nothing, an upper bound otherwise.
   u32 freeLargestBound = 0;
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
