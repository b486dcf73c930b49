// The block cores of the static heaps: first-fit from either end of an address-ordered free
// list, splitting when the rest can hold a block, and coalescing with free neighbours.
#include "core/HeapDelegateStatic.h"

#include "core/Log.h"

namespace Corvale
{
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
   freeAmount = header->size;
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
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
void HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::FreeListInsert(Link link)
{
   Link before = HeaderGet(link)->previous;
   while (before && HeaderGet(before)->used)
   {
      before = HeaderGet(before)->previous;
   }
   Link after = HeaderGet(link)->next;
   while (after && HeaderGet(after)->used)
   {
      after = HeaderGet(after)->next;
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
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
void* HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::AllocateLow(u32 units)
{
   for (Link link = freeHead; link; link = FreeLinksGet(link)->nextFree)
   {
      Header* header = HeaderGet(link);
      if (header->size < units)
      {
         continue;
      }
      if (header->size - units >= HEADER_UNITS + MIN_FREE_UNITS)
      {
         // The lower part is handed out; the upper part stays free in the block's place.
         Link upper = static_cast<Link>(link + HEADER_UNITS + units);
         Header* upperHeader = HeaderGet(upper);
         upperHeader->next = header->next;
         upperHeader->size = static_cast<Link>(header->size - units - HEADER_UNITS);
         upperHeader->previous = link;
         upperHeader->used = 0;
         if (header->next)
         {
            HeaderGet(header->next)->previous = upper;
         }
         header->next = upper;
         header->size = static_cast<Link>(units);
         FreeListReplace(link, upper);
         freeAmount -= units + HEADER_UNITS;
      }
      else
      {
         FreeListUnlink(link);
         freeAmount -= header->size;
      }
      header->used = 1;
      return PayloadGet(link);
   }
   return nullptr;
}

template <class Link, u32 UNIT, u32 FIRST_OFFSET, u32 MIN_FREE_UNITS>
void* HeapCore<Link, UNIT, FIRST_OFFSET, MIN_FREE_UNITS>::AllocateHigh(u32 units)
{
   for (Link link = freeTail; link; link = FreeLinksGet(link)->previousFree)
   {
      Header* header = HeaderGet(link);
      if (header->size < units)
      {
         continue;
      }
      if (header->size - units >= HEADER_UNITS + MIN_FREE_UNITS)
      {
         // The used block is carved from the top; the free block keeps its place, smaller.
         header->size = static_cast<Link>(header->size - units - HEADER_UNITS);
         Link upper = static_cast<Link>(link + HEADER_UNITS + header->size);
         Header* upperHeader = HeaderGet(upper);
         upperHeader->next = header->next;
         upperHeader->size = static_cast<Link>(units);
         upperHeader->previous = link;
         upperHeader->used = 1;
         if (header->next)
         {
            HeaderGet(header->next)->previous = upper;
         }
         header->next = upper;
         freeAmount -= units + HEADER_UNITS;
         return PayloadGet(upper);
      }
      FreeListUnlink(link);
      freeAmount -= header->size;
      header->used = 1;
      return PayloadGet(link);
   }
   return nullptr;
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

   if (!previous && !next)
   {
      FreeLinks* links = FreeLinksGet(link);
      links->previousFree = 0;
      links->nextFree = 0;
      freeHead = link;
      freeTail = link;
      freeAmount += blockSize;
   }
   else if (!previousFree && !nextFree)
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
