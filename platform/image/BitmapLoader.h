// The interface of bitmap file readers and writers; the PNG one is the only kind in use.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Allocator;
class Bitmap;
class File;

class BitmapLoader
{
 public:
   virtual ~BitmapLoader() = default;
   // A new bitmap (object on bitmapHeapId, pixels from pixelAllocator) read from the file's
   // current position; null when the file can't be decoded.
   virtual Bitmap* Load(File* file, Allocator* pixelAllocator, i32 bitmapHeapId, i32 tempHeapId) = 0;
   // Writes the bitmap to a file open for writing; working buffers come from tempHeapId.
   virtual bool Save(const Bitmap* bitmap, File* file, i32 tempHeapId) = 0;
};
} // namespace Corvale
