// The static allocator objects and the global pointers that name them.
#include "core/Allocator.h"

#include <cstdint>
#include <cstdlib>

#include "core/HeapDelegate.h"

namespace Corvale
{
namespace
{
// Constant-initialised and never destroyed: global containers take allocatorDefault before any
// code has run, and free through it from their destructors at exit.
template <class T> union StaticObject
{
   constexpr StaticObject() : object() {}
   constexpr explicit StaticObject(i32 heapId) : object(heapId) {}
   ~StaticObject() {}
   T object;
};

StaticObject<AllocatorDefault> staticDefault;
StaticObject<AllocatorTemp> staticTemp;
StaticObject<AllocatorDebugUnlogged> staticDebugUnlogged;
StaticObject<AllocatorMallocFree> staticMallocFree;
StaticObject<AllocatorHeap> staticHeaps[HEAP_COUNT] = {
    StaticObject<AllocatorHeap>(0), StaticObject<AllocatorHeap>(1), StaticObject<AllocatorHeap>(2),
    StaticObject<AllocatorHeap>(3), StaticObject<AllocatorHeap>(4), StaticObject<AllocatorHeap>(5),
    StaticObject<AllocatorHeap>(6), StaticObject<AllocatorHeap>(7), StaticObject<AllocatorHeap>(8),
    StaticObject<AllocatorHeap>(9)};
} // namespace

Allocator* allocatorDefault = &staticDefault.object;
Allocator* allocatorTemp = &staticTemp.object;
Allocator* allocatorDebugUnlogged = &staticDebugUnlogged.object;
Allocator* allocatorMallocFree = &staticMallocFree.object;
Allocator* allocatorHeaps[HEAP_COUNT] = {
    &staticHeaps[0].object, &staticHeaps[1].object, &staticHeaps[2].object, &staticHeaps[3].object,
    &staticHeaps[4].object, &staticHeaps[5].object, &staticHeaps[6].object, &staticHeaps[7].object,
    &staticHeaps[8].object, &staticHeaps[9].object};
Allocator* allocatorImage = &staticDefault.object;
Allocator* allocatorSound = &staticDefault.object;
Allocator* allocatorSpare = &staticDefault.object;

// The objects exist from the start; this only resets the pointers.
void AllocatorsInit()
{
   allocatorDefault = &staticDefault.object;
   allocatorTemp = &staticTemp.object;
   allocatorDebugUnlogged = &staticDebugUnlogged.object;
   allocatorMallocFree = &staticMallocFree.object;
   for (i32 i = 0; i < HEAP_COUNT; i++)
   {
      allocatorHeaps[i] = &staticHeaps[i].object;
   }
   allocatorImage = allocatorDefault;
   allocatorSound = allocatorDefault;
   allocatorSpare = allocatorDefault;
}

void* AllocatorDefault::Allocate(u32 size)
{
   return MemoryAllocate(size, HEAP_DEFAULT, MEMORY_ALIGNMENT_MIN);
}

void AllocatorDefault::Free(void* p)
{
   MemoryFree(p);
}

void* AllocatorTemp::Allocate(u32 size)
{
   return MemoryAllocate(size, HEAP_TEMP, MEMORY_ALIGNMENT_MIN);
}

void AllocatorTemp::Free(void* p)
{
   MemoryFree(p);
}

void* AllocatorDebugUnlogged::Allocate(u32 size)
{
   return MemoryAllocate(size, HEAP_DEBUG, MEMORY_ALIGNMENT_MIN);
}

void AllocatorDebugUnlogged::Free(void* p)
{
   // Memory::Free itself does nothing unless the manager exists and is initialised.
   Memory::Free(p);
}

void* AllocatorMallocFree::Allocate(u32 size)
{
   return std::malloc(size);
}

void AllocatorMallocFree::Free(void* p)
{
   std::free(p);
}

void* AllocatorHeap::Allocate(u32 size)
{
   return MemoryAllocate(size, heapId, MEMORY_ALIGNMENT_MIN);
}

void AllocatorHeap::Free(void* p)
{
   MemoryFree(p);
}

// The delegate's raw blocks are only 4-byte aligned, so each block is padded and the distance
// back to the raw address kept in the byte right before the block.
void* AllocatorHeapDelegateUnlogged::Allocate(u32 size)
{
   if (!delegate || size > UINT32_MAX - MEMORY_ALIGNMENT_MIN)
   {
      return nullptr;
   }
   u8* raw = static_cast<u8*>(delegate->Allocate(size + MEMORY_ALIGNMENT_MIN));
   if (!raw)
   {
      return nullptr;
   }
   uptr address =
       (reinterpret_cast<uptr>(raw) + MEMORY_ALIGNMENT_MIN) & ~static_cast<uptr>(MEMORY_ALIGNMENT_MIN - 1);
   u8* p = reinterpret_cast<u8*>(address);
   p[-1] = static_cast<u8>(p - raw);
   return p;
}

void AllocatorHeapDelegateUnlogged::Free(void* p)
{
   if (!delegate || !p)
   {
      return;
   }
   u8* block = static_cast<u8*>(p);
   delegate->Free(block - block[-1]);
}
} // namespace Corvale
