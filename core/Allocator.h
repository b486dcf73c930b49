// Allocator objects: containers, bitmaps and loaders hold one of these so that the caller picks
// the heap once and the container never needs to know it.
#pragma once

#include <cstddef>
#include <new>

#include "core/Memory.h"

namespace Corvale
{
class Allocator
{
 public:
   virtual ~Allocator() = default;
   virtual void* Allocate(u32 size) = 0;
   virtual void Free(void* p) = 0;
};

// HEAP_DEFAULT blocks with headers.
class AllocatorDefault : public Allocator
{
 public:
   void* Allocate(u32 size) override;
   void Free(void* p) override;
};

// HEAP_TEMP blocks with headers: scratch buffers.
class AllocatorTemp : public Allocator
{
 public:
   void* Allocate(u32 size) override;
   void Free(void* p) override;
};

// HEAP_DEBUG blocks; its Free stays silent once the memory manager is gone.
class AllocatorDebugUnlogged : public Allocator
{
 public:
   void* Allocate(u32 size) override;
   void Free(void* p) override;
};

// The C library heap, untouched by the memory manager: the overflow of the expandable heaps.
class AllocatorMallocFree : public Allocator
{
 public:
   void* Allocate(u32 size) override;
   void Free(void* p) override;
};

// Blocks with headers from one named heap.
class AllocatorHeap : public Allocator
{
 public:
   constexpr explicit AllocatorHeap(i32 heapId = HEAP_DEFAULT) : heapId(heapId) {}
   void* Allocate(u32 size) override;
   void Free(void* p) override;

   i32 heapId;
};

// Raw blocks straight from a heap delegate, without header or guards, so that a heap's own
// bookkeeping never recurses through Memory::Allocate. Blocks are still aligned to
// MEMORY_ALIGNMENT_MIN, because the nodes kept in them hold pointers.
class AllocatorHeapDelegateUnlogged : public Allocator
{
 public:
   explicit AllocatorHeapDelegateUnlogged(HeapDelegate* delegate = nullptr) : delegate(delegate) {}
   void* Allocate(u32 size) override;
   void Free(void* p) override;

   HeapDelegate* delegate;
};

extern Allocator* allocatorDefault;
extern Allocator* allocatorTemp;
extern Allocator* allocatorDebugUnlogged;
extern Allocator* allocatorMallocFree;
extern Allocator* allocatorHeaps[HEAP_COUNT];
// Spare pointers that the image manager and the sound manager read for their buffers.
extern Allocator* allocatorImage;
extern Allocator* allocatorSound;
extern Allocator* allocatorSpare;

// Sets every pointer above to its static object (they point there from the start); run by
// Memory::Init.
void AllocatorsInit();

// Standard-library containers and strings in HEAP_DEFAULT. Note: it throws std::bad_alloc on
// failure, as the standard library expects; nothing else in the engine throws.
template <class T> class AllocatorStd
{
 public:
   typedef T value_type;

   AllocatorStd() noexcept = default;
   template <class U> AllocatorStd(const AllocatorStd<U>&) noexcept {}

   T* allocate(std::size_t n)
   {
      if (n > static_cast<std::size_t>(0xFFFFFFFFu) / sizeof(T))
      {
         throw std::bad_alloc();
      }
      void* p = MemoryAllocate(static_cast<u32>(n * sizeof(T)), HEAP_DEFAULT,
                               alignof(T) > static_cast<std::size_t>(MEMORY_ALIGNMENT_MIN)
                                   ? static_cast<i32>(alignof(T))
                                   : MEMORY_ALIGNMENT_MIN);
      if (!p)
      {
         throw std::bad_alloc();
      }
      return static_cast<T*>(p);
   }

   void deallocate(T* p, std::size_t) noexcept { MemoryFree(p); }

   template <class U> bool operator==(const AllocatorStd<U>&) const noexcept { return true; }
   template <class U> bool operator!=(const AllocatorStd<U>&) const noexcept { return false; }
};
} // namespace Corvale
