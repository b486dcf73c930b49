// Temporary blocks from the low end of a parent heap; everything forwards to the parent.
#include "core/HeapDelegateTemp.h"

namespace Corvale
{
void HeapDelegateTemp::Init(u8 threadSafeFlag, HeapDelegate* parentHeap)
{
   BaseInit(threadSafeFlag);
   parent = parentHeap;
}

void* HeapDelegateTemp::Allocate(u32 size)
{
   return AllocateLow(size);
}

bool HeapDelegateTemp::Free(void* raw)
{
   Lock guard(this);
   return parent ? parent->Free(raw) : false;
}

void* HeapDelegateTemp::AllocateHigh(u32 size)
{
   Lock guard(this);
   return parent ? parent->AllocateHigh(size) : nullptr;
}

void* HeapDelegateTemp::AllocateLow(u32 size)
{
   Lock guard(this);
   return parent ? parent->AllocateLow(size) : nullptr;
}

bool HeapDelegateTemp::TemporaryCheck()
{
   return true;
}

u32 HeapDelegateTemp::FreeSizeGet()
{
   Lock guard(this);
   return parent ? parent->FreeSizeGet() : 0;
}

u32 HeapDelegateTemp::UsedSizeGet()
{
   Lock guard(this);
   return parent ? parent->UsedSizeGet() : 0;
}

u32 HeapDelegateTemp::TotalSizeGet()
{
   Lock guard(this);
   return parent ? parent->TotalSizeGet() : 0;
}

u32 HeapDelegateTemp::FreeBlockCountGet()
{
   Lock guard(this);
   return parent ? parent->FreeBlockCountGet() : 0;
}

u32 HeapDelegateTemp::FreeBlockLargestGet()
{
   Lock guard(this);
   return parent ? parent->FreeBlockLargestGet() : 0;
}

u32 HeapDelegateTemp::AllocationCountGet()
{
   Lock guard(this);
   return parent ? parent->AllocationCountGet() : 0;
}

u32 HeapDelegateTemp::AllocationCountPeakGet()
{
   Lock guard(this);
   return parent ? parent->AllocationCountPeakGet() : 0;
}

u32 HeapDelegateTemp::UsedSizePeakGet()
{
   Lock guard(this);
   return parent ? parent->UsedSizePeakGet() : 0;
}
} // namespace Corvale
