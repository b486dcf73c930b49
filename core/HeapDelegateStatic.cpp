// The block cores of the static heaps: first-fit from either end of an address-ordered free
// list, splitting when the rest can hold a block, and coalescing with free neighbours.
#include "core/HeapDelegateStatic.h"

#include <cstdlib>

#include "core/Log.h"

namespace Corvale
{
bool HeapFreeMap::Init(u32 bitCount)
{
   Deinit();
   u64 count = bitCount ? bitCount : 1;
   u64 total = 0;
   do
   {
      count = (count + 63) / 64;
      levelStart[levelCount] = static_cast<u32>(total);
      levelWords[levelCount] = static_cast<u32>(count);
      total += count;
      levelCount++;
   } while (count > 1);
   words = static_cast<u64*>(std::calloc(total, sizeof(u64)));
   if (!words)
   {
      levelCount = 0;
      return false;
   }
   return true;
}

void HeapFreeMap::Deinit()
{
   std::free(words);
   words = nullptr;
   levelCount = 0;
}

void HeapFreeMap::Set(u32 index)
{
   // A word that was empty must now show in the level above, and so on up.
   for (u32 level = 0; level < levelCount; level++)
   {
      u64& word = words[levelStart[level] + (index >> 6)];
      bool wasEmpty = word == 0;
      word |= 1ull << (index & 63);
      if (!wasEmpty)
      {
         return;
      }
      index >>= 6;
   }
}

void HeapFreeMap::Reset(u32 index)
{
   for (u32 level = 0; level < levelCount; level++)
   {
      u64& word = words[levelStart[level] + (index >> 6)];
      word &= ~(1ull << (index & 63));
      if (word)
      {
         return;
      }
      index >>= 6;
   }
}

bool HeapFreeMap::NextFind(u32 index, u32* found) const
{
   // Up while the rest of the word is empty, then down along the lowest set bits.
   u64 position = static_cast<u64>(index) + 1;
   u32 level = 0;
   for (;;)
   {
      u64 word = position >> 6;
      if (level == levelCount || word >= levelWords[level])
      {
         return false;
      }
      u64 bits = words[levelStart[level] + word] & (~0ull << (position & 63));
      if (bits)
      {
         position = (word << 6) + static_cast<u64>(__builtin_ctzll(bits));
         break;
      }
      level++;
      position = word + 1;
   }
   while (level > 0)
   {
      level--;
      position = (position << 6) + static_cast<u64>(__builtin_ctzll(words[levelStart[level] + position]));
   }
   *found = static_cast<u32>(position);
   return true;
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
void HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::Clear()
{
   *this = HeapCore();
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
void HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::Init(uptr address, u32 bytes)
{
   Clear();
   start = (address + 3) & ~static_cast<uptr>(3);
   end = (address + bytes) & ~static_cast<uptr>(3);
   if (end < start)
   {
      end = start;
   }
   size = static_cast<u32>(end - start);
   requestedSize = bytes;
   ready = true;
   // Link 0 must mean none, so a core whose first block lies at its start counts from 4 bytes
   // before it.
   base = start - (FIRST_OFFSET ? 0 : 4);
   uptr first = start + FIRST_OFFSET;
   if (end < first + (HEADER_UNITS + MIN_FREE_UNITS) * UNIT)
   {
      return;
   }
   if (!freeMap.Init(SlotGet(static_cast<Link>((end - base) / UNIT)) + 1))
   {
      // Without its map the core could not find free neighbours: leave it empty.
      WarningPrintf("HeapCore::Init -- could not allocate the free map for %u bytes\n", bytes);
      return;
   }
   firstLink = static_cast<Link>((first - base) / UNIT);
   Header* header = HeaderGet(firstLink);
   header->next = 0;
   header->size = static_cast<Link>((end - first) / UNIT - HEADER_UNITS);
   header->previous = 0;
   header->used = 0;
   FreeLinks* links = FreeLinksGet(firstLink);
   links->nextFree = 0;
   links->previousFree = 0;
   freeHead = firstLink;
   freeTail = firstLink;
   freeMap.Set(SlotGet(firstLink));
   freeAmount = header->size;
   freeLargestBound = header->size;
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
void HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::FreeListUnlink(Link link)
{
   FreeLinks* links = FreeLinksGet(link);
   Link previousFree = links->previousFree;
   Link nextFree = links->nextFree;
   if (previousFree)
   {
      FreeLinksGet(previousFree)->nextFree = nextFree;
   }
   else
   {
      freeHead = nextFree;
   }
   if (nextFree)
   {
      FreeLinksGet(nextFree)->previousFree = previousFree;
   }
   else
   {
      freeTail = previousFree;
   }
   freeMap.Reset(SlotGet(link));
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
void HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::FreeListReplace(Link old, Link replacement)
{
   FreeLinks* oldLinks = FreeLinksGet(old);
   Link previousFree = oldLinks->previousFree;
   Link nextFree = oldLinks->nextFree;
   FreeLinks* links = FreeLinksGet(replacement);
   links->previousFree = previousFree;
   links->nextFree = nextFree;
   if (previousFree)
   {
      FreeLinksGet(previousFree)->nextFree = replacement;
   }
   else
   {
      freeHead = replacement;
   }
   if (nextFree)
   {
      FreeLinksGet(nextFree)->previousFree = replacement;
   }
   else
   {
      freeTail = replacement;
   }
   freeMap.Reset(SlotGet(old));
   freeMap.Set(SlotGet(replacement));
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
void HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::FreeListInsert(Link link)
{
   // The nearest free block above comes from the map; the list, being in address order, then
   // gives the nearest one below (the tail when nothing free lies above).
   Link before = freeTail;
   Link after = 0;
   u32 slot = 0;
   if (freeMap.NextFind(SlotGet(link), &slot))
   {
      after = static_cast<Link>(slot * SLOT_LINKS);
      before = FreeLinksGet(after)->previousFree;
   }
   FreeLinks* links = FreeLinksGet(link);
   links->previousFree = before;
   links->nextFree = after;
   if (before)
   {
      FreeLinksGet(before)->nextFree = link;
   }
   else
   {
      freeHead = link;
   }
   if (after)
   {
      FreeLinksGet(after)->previousFree = link;
   }
   else
   {
      freeTail = link;
   }
   freeMap.Set(SlotGet(link));
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
void* HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::Allocate(u32 units, bool fromLow)
{
   if (units > freeLargestBound)
   {
      return nullptr;
   }
   Link link = fromLow ? freeHead : freeTail;
   u32 largest = 0;
   while (link && HeaderGet(link)->size < units)
   {
      largest = HeaderGet(link)->size > largest ? HeaderGet(link)->size : largest;
      link = fromLow ? FreeLinksGet(link)->nextFree : FreeLinksGet(link)->previousFree;
   }
   if (!link)
   {
      // Every free block was seen.
      freeLargestBound = largest;
      return nullptr;
   }
   Header* header = HeaderGet(link);
   if (header->size - units < HEADER_UNITS + MIN_FREE_UNITS)
   {
      // The rest could not hold a free block: the whole block is handed out.
      FreeListUnlink(link);
      freeAmount -= header->size;
      header->used = 1;
      return PayloadGet(link);
   }
   // From the low end the lower part is handed out and the upper part takes the free block's
   // place in the list; from the high end the used block is carved from the top and the free
   // block keeps its place, smaller.
   u32 lowerUnits = fromLow ? units : header->size - units - HEADER_UNITS;
   Link upper = static_cast<Link>(link + HEADER_UNITS + lowerUnits);
   Header* upperHeader = HeaderGet(upper);
   upperHeader->next = header->next;
   upperHeader->size = static_cast<Link>(header->size - lowerUnits - HEADER_UNITS);
   upperHeader->previous = link;
   upperHeader->used = fromLow ? 0 : 1;
   if (header->next)
   {
      HeaderGet(header->next)->previous = upper;
   }
   header->next = upper;
   header->size = static_cast<Link>(lowerUnits);
   freeAmount -= units + HEADER_UNITS;
   if (!fromLow)
   {
      return PayloadGet(upper);
   }
   FreeListReplace(link, upper);
   header->used = 1;
   return PayloadGet(link);
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
bool HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::Free(void* payload)
{
   Link link = LinkGet(payload);
   Header* header = HeaderGet(link);
   if (!header->used)
   {
      return false;
   }
   header->used = 0;
   Link previous = header->previous;
   Link next = header->next;
   bool previousFree = previous && !HeaderGet(previous)->used;
   bool nextFree = next && !HeaderGet(next)->used;
   u32 blockSize = header->size;
   // The block that ends up free: this one, or the free block below that takes it in.
   Header* merged = previousFree ? HeaderGet(previous) : header;

   if (!previousFree && !nextFree)
   {
      FreeListInsert(link);
      freeAmount += blockSize;
   }
   else if (previousFree && !nextFree)
   {
      Header* previousHeader = HeaderGet(previous);
      previousHeader->size = static_cast<Link>(previousHeader->size + blockSize + HEADER_UNITS);
      previousHeader->next = next;
      if (next)
      {
         HeaderGet(next)->previous = previous;
      }
      freeAmount += blockSize + HEADER_UNITS;
   }
   else if (!previousFree && nextFree)
   {
      Header* nextHeader = HeaderGet(next);
      header->size = static_cast<Link>(blockSize + nextHeader->size + HEADER_UNITS);
      header->next = nextHeader->next;
      if (nextHeader->next)
      {
         HeaderGet(nextHeader->next)->previous = link;
      }
      FreeListReplace(next, link);
      freeAmount += blockSize + HEADER_UNITS;
   }
   else
   {
      Header* previousHeader = HeaderGet(previous);
      Header* nextHeader = HeaderGet(next);
      FreeListUnlink(next);
      previousHeader->size =
          static_cast<Link>(previousHeader->size + blockSize + nextHeader->size + 2 * HEADER_UNITS);
      previousHeader->next = nextHeader->next;
      if (nextHeader->next)
      {
         HeaderGet(nextHeader->next)->previous = previous;
      }
      freeAmount += blockSize + 2 * HEADER_UNITS;
   }
   if (merged->size > freeLargestBound)
   {
      freeLargestBound = merged->size;
   }
   return true;
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
u32 HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::FreeBlockCountGet() const
{
   u32 count = 0;
   for (Link link = freeHead; link; link = FreeLinksGet(link)->nextFree)
   {
      count++;
   }
   return count;
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
u32 HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::FreeBlockLargestGet() const
{
   u32 largest = 0;
   for (Link link = freeHead; link; link = FreeLinksGet(link)->nextFree)
   {
      u32 bytes = static_cast<u32>(HeaderGet(link)->size) * UNIT;
      if (bytes > largest)
      {
         largest = bytes;
      }
   }
   return largest;
}

template class HeapCore<u16, 4, 4, 1>;
template class HeapCore<u32, 1, 0, 8>;
} // namespace Corvale
