// Allocator objects: containers, bitmaps and loaders hold one of these so that the caller picks
// the heap once and the container never needs to know it.
#pragma once

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

extern Allocator* allocatorDefault;
extern Allocator* allocatorTemp;
extern Allocator* allocatorDebugUnlogged;
extern Allocator* allocatorMallocFree;
extern Allocator* allocatorHeaps[HEAP_COUNT];
// Spare pointers that the image manager and the sound manager read for their buffers.
extern Allocator* allocatorImage;
extern Allocator* allocatorSound;
extern Allocator* allocatorSpare;

void AllocatorsInit();
} // namespace Corvale
