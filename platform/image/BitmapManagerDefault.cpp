// Bitmap objects and their loading from PNG files along the graphics paths.
#include "platform/image/BitmapManagerDefault.h"

#include <cstdio>

#include "core/FileManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

namespace Corvale
{
Bitmap* BitmapManagerDefault::BitmapCreate(i32 format, i32 heapId)
{
   if (format > 12)
   {
      WarningPrintf(
          "BitmapManagerDefault::BitmapCreate -- No specific implementation defined for type \"%d\".  "
          "Using default Bitmap.\n",
          format);
   }
   return MemoryNew<Bitmap>(heapId);
}

Bitmap* BitmapManagerDefault::Load(const char* name, Allocator* allocator, FileManager* fileManager)
{
   if (!name || !allocator || !fileManager)
   {
      return nullptr;
   }
   char path[260];
   int length = std::snprintf(path, sizeof(path), "%s.png", name);
   if (length < 0 || length >= static_cast<int>(sizeof(path)))
   {
      WarningPrintf("BitmapManagerDefault::Load -- unable to find bitmap: \"%s\"\n", name);
      return nullptr;
   }
   if (!fileManager->GraphicsPathSearch(path, nullptr, 0))
   {
      WarningPrintf("BitmapManagerDefault::Load -- unable to find bitmap: \"%s\"\n", name);
      return nullptr;
   }
   File* file = fileManager->GraphicsPathOpen(path);
   if (!file)
   {
      WarningPrintf("BitmapManagerDefault::Load -- unable to open bitmap: \"%s\"\n", name);
      return nullptr;
   }
   Bitmap* bitmap = bitmapLoaderPNG.Load(file, allocator, HEAP_DEFAULT, HEAP_TEMP);
   fileManager->Close(file);
   if (!bitmap)
   {
      WarningPrintf("BitmapManagerDefault::Load -- unable to load bitmap: \"%s\"\n", name);
   }
   return bitmap;
}
} // namespace Corvale
