// The program's own PNG reader (8-bit RGB and RGBA, plain or Adam7, including "CgBI" files)
// and writer (RGB or RGBA, one IDAT chunk), on top of zlib.
#pragma once

#include "platform/image/BitmapLoader.h"

namespace Corvale
{
class BitmapLoaderPNG : public BitmapLoader
{
 public:
   Bitmap* Load(File* file, Allocator* pixelAllocator, i32 bitmapHeapId, i32 tempHeapId) override;
   bool Save(const Bitmap* bitmap, File* file, i32 tempHeapId) override;
};

// The one reader and writer the whole program shares.
extern BitmapLoaderPNG bitmapLoaderPNG;

// zlib allocation callbacks that route every block to the memory manager; the opaque pointer
// carries the heap id (see ZlibHeapOpaque).
void* ZlibAllocate(void* opaque, unsigned int items, unsigned int size);
void ZlibFree(void* opaque, void* address);
inline void* ZlibHeapOpaque(i32 heapId)
{
   return reinterpret_cast<void*>(static_cast<uptr>(heapId));
}
} // namespace Corvale
