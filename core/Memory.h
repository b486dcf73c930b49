// The memory manager: every engine block comes from one of ten named heaps, with a header and
// guard words around it so that it can be freed by pointer alone.
#pragma once

#include <new>
#include <utility>

#include "core/Types.h"

namespace Corvale
{
class HeapDelegate;

enum HeapId : i32
{
   HEAP_DEFAULT = 0,
   HEAP_TEMP = 1,
   HEAP_DEBUG = 2,
   HEAP_WII_MEM2 = 3,
   HEAP_WII_MEM2_TEMP = 4,
   HEAP_3DS_DEVICE_MEMORY = 5,
   HEAP_3DS_DEVICE_MEMORY_TEMP = 6,
   HEAP_WIIU_MEM1 = 7,
   HEAP_WIIU_FG = 8,
   HEAP_SOUND_THREAD = 9,
   HEAP_COUNT = 10
};

// Smallest alignment handed out: enough for any object on 64-bit Linux.
constexpr i32 MEMORY_ALIGNMENT_MIN = static_cast<i32>(alignof(std::max_align_t));

// The 12 bytes right before every block of Memory::Allocate. The trailing guard lies at
// p + size, so the header stores the size rather than an address.
struct MemoryBlockHeader
{
   u32 size;
   u16 offset; // p minus the raw address that the delegate returned
   u16 heapId; // the delegate that owns the raw block (0 after a fallback)
   u32 guard;
};
static_assert(sizeof(MemoryBlockHeader) == 12, "block header must stay 12 bytes");

constexpr u32 MEMORY_GUARD_BEFORE = 0x01234567u;
constexpr u32 MEMORY_GUARD_AFTER = 0x89ABCDEFu;
// Header plus trailing guard.
constexpr u32 MEMORY_BLOCK_OVERHEAD = 16;

class Memory
{
 public:
   static void* Allocate(u32 size, i32 heapId, i32 alignment);
   static void Free(void* p);
   // Frees the block (when the manager is up) and leaves the owner's pointer null, so that a
   // second release or a late read finds nothing.
   template <class T> static void FreeAndNull(T*& p)
   {
      Free(const_cast<void*>(static_cast<const void*>(p)));
      p = nullptr;
   }
   static void* Reallocate(void* old, u32 newSize, i32 heapId, i32 alignment);
   static void Init();
   static void Deinit();
   // The application's heap set-up and shutdown, run by Init and Deinit.
   static void HeapsInit();
   static void HeapsDeinit();

   static const char* HeapNameGet(i32 heapId);
   static HeapDelegate* HeapGet(i32 heapId);
   static void HeapSet(i32 heapId, HeapDelegate* heap);
   static bool InitialisedCheck();
   // Creates the manager on first use; every allocation site goes through this.
   static void FirstUse();
};

void* MemoryAllocate(u32 size, i32 heapId, i32 alignment);
void* MemoryAllocateDefault(u32 size);
void* MemoryAllocateAligned4(u32 size, i32 heapId);
void MemoryFree(void* p);
char* StringDuplicate(const char* text, i32 heapId);
// The trailing guard of a block of size bytes; it may be unaddressable to the sanitizer.
u32 MemoryGuardAfterRead(const void* p, u32 size);

// Object construction in a named heap; the block is released through MemoryDelete.
template <class T, class... Args> T* MemoryNew(i32 heapId, Args&&... args)
{
   void* p = Memory::Allocate(static_cast<u32>(sizeof(T)), heapId,
                              alignof(T) > MEMORY_ALIGNMENT_MIN ? static_cast<i32>(alignof(T))
                                                                : MEMORY_ALIGNMENT_MIN);
   if (!p)
   {
      return nullptr;
   }
   return new (p) T(std::forward<Args>(args)...);
}

template <class T> void MemoryDelete(T* object)
{
   if (object)
   {
      object->~T();
      MemoryFree(object);
   }
}
} // namespace Corvale
