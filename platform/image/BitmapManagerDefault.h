// Makes Bitmap objects and loads them from "<name>.png" along the graphics paths.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Allocator;
class Bitmap;
class FileManager;

class BitmapManagerDefault
{
 public:
   // A new empty bitmap object on the heap; released with Bitmap::Destroy.
   static Bitmap* BitmapCreate(i32 format, i32 heapId);
   // The bitmap of "<name>.png" with its pixels from allocator; null (and a log line) when it
   // can't be found, opened or read.
   static Bitmap* Load(const char* name, Allocator* allocator, FileManager* fileManager);
};
} // namespace Corvale
