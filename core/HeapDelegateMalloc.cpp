// The C library heap as a heap delegate.
#include "core/HeapDelegateMalloc.h"

#include <cstdlib>

namespace Corvale
{
void HeapDelegateMalloc::Init(u8 threadSafeFlag)
{
   BaseInit(threadSafeFlag);
}

void* HeapDelegateMalloc::Allocate(u32 size)
{
   Lock guard(this);
   void* raw = std::malloc(size);
   if (raw)
   {
      AllocationCountAdd(raw);
   }
   return raw;
}

bool HeapDelegateMalloc::Free(void* raw)
{
   Lock guard(this);
   AllocationCountRemove(raw);
   std::free(raw);
   return true;
}

void* HeapDelegateMalloc::AllocateHigh(u32 size)
{
   return Allocate(size);
}

void* HeapDelegateMalloc::AllocateLow(u32 size)
{
   return Allocate(size);
}

u32 HeapDelegateMalloc::FreeSizeGet()
{
   return 0;
}

u32 HeapDelegateMalloc::UsedSizeGet()
{
   return 0;
}

u32 HeapDelegateMalloc::TotalSizeGet()
{
   return 0;
}

u32 HeapDelegateMalloc::FreeBlockCountGet()
{
   return 0;
}

u32 HeapDelegateMalloc::FreeBlockLargestGet()
{
   return 0;
}
} // namespace Corvale
