// Writes a captured frame as an RGB PNG file through the program's PNG writer.
#include "platform/window/ScreenshotWriter.h"

#include "core/FileManager.h"
#include "core/File.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

namespace Corvale
{
bool ScreenshotWrite(FileManager* fileManager, const char* name, const u8* pixels, i32 width, i32 height)
{
   if (!fileManager || !name || !pixels || width <= 0 || height <= 0)
   {
      return false;
   }
   Bitmap bitmap;
   // The writer only reads the pixels; the bitmap does not own them.
   if (!bitmap.PixelsAttach(const_cast<u8*>(pixels),
                            BitmapByteSizeCalculate(BITMAP_FORMAT_RGB8, width, height), width, height,
                            BITMAP_FORMAT_RGB8))
   {
      return false;
   }
   File* file = fileManager->Open(name, FILE_OPEN_WRITE, HEAP_TEMP);
   if (!file)
   {
      return false;
   }
   bool saved = bitmapLoaderPNG.Save(&bitmap, file, HEAP_TEMP);
   bool closed = fileManager->Close(file);
   return saved && closed;
}
} // namespace Corvale
