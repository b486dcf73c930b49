// Reading of ".tex" and ".img" files. Every size in them is checked against the data before it
// is used: a damaged file is refused, never read past its end.
#include "platform/image/ImageFile.h"

#include <cmath>
#include <cstring>

#include <zlib.h>

#include "core/Allocator.h"
#include "core/FileManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

namespace Corvale
{
namespace
{
// Deflate yields at most about 1032 bytes per compressed byte (258-byte matches of two bits).
constexpr u64 DEFLATE_EXPANSION_MAX = 1032;
// Part coordinates beyond this lose whole units as floats and overflow what they are added to.
constexpr float IMAGE_COORDINATE_MAX = 16777216.0f;

u32 LittleEndian32Read(const u8* p)
{
   return static_cast<u32>(p[0]) | (static_cast<u32>(p[1]) << 8) | (static_cast<u32>(p[2]) << 16) |
          (static_cast<u32>(p[3]) << 24);
}

float LittleEndianFloatRead(const u8* p)
{
   u32 bits = LittleEndian32Read(p);
   float value;
   std::memcpy(&value, &bits, sizeof(value));
   return value;
}
// The source rectangle lies inside the texture and the offset within reach: every later
// conversion of these floats to whole texels stays defined.
bool PartRectangleCheck(const ImageFileEntry& entry)
{
   const float values[] = {entry.offsetX, entry.offsetY,     entry.sourceX,
                           entry.sourceY, entry.sourceWidth, entry.sourceHeight};
   for (float value : values)
   {
      if (!std::isfinite(value))
      {
         return false;
      }
   }
   return std::fabs(entry.offsetX) <= IMAGE_COORDINATE_MAX &&
          std::fabs(entry.offsetY) <= IMAGE_COORDINATE_MAX && entry.sourceX >= 0.0f &&
          entry.sourceY >= 0.0f && entry.sourceWidth >= 0.0f && entry.sourceHeight >= 0.0f &&
          static_cast<double>(entry.sourceX) + entry.sourceWidth <= static_cast<double>(entry.textureWidth) &&
          static_cast<double>(entry.sourceY) + entry.sourceHeight <= static_cast<double>(entry.textureHeight);
}
} // namespace

u8* CompressedFileRead(const char* path, Allocator* allocator, FileManager* fileManager, u32* sizeOut)
{
   if (!path || !allocator || !fileManager || !fileManager->GraphicsPathSearch(path, nullptr, 0))
   {
      return nullptr;
   }
   u32 fileSize = 0;
   u8* file = static_cast<u8*>(
       fileManager->GraphicsPathFileContentsGet(path, &fileSize, 4, HEAP_TEMP, HEAP_TEMP, nullptr, 0));
   if (!file)
   {
      return nullptr;
   }
   u8* output = nullptr;
   u32 outputSize = fileSize >= 4 ? LittleEndian32Read(file) : 0;
   // The stored size is only a claim: never allocate more than the stream could produce.
   u64 producible = fileSize >= 4 ? static_cast<u64>(fileSize - 4) * DEFLATE_EXPANSION_MAX : 0;
   if (outputSize > producible || outputSize > BITMAP_BYTES_MAX)
   {
      WarningPrintf("CompressedFileRead -- Stored size %u is more than %u compressed bytes can hold: %s\n",
                    outputSize, fileSize >= 4 ? fileSize - 4 : 0, path);
   }
   else if (outputSize > 0)
   {
      output = static_cast<u8*>(allocator->Allocate(outputSize));
   }
   bool ok = false;
   if (output)
   {
      z_stream stream{};
      stream.zalloc = ZlibAllocate;
      stream.zfree = ZlibFree;
      stream.opaque = ZlibHeapOpaque(HEAP_TEMP);
      if (inflateInit2(&stream, -15) == Z_OK)
      {
         stream.next_in = file + 4;
         stream.avail_in = fileSize - 4;
         stream.next_out = output;
         stream.avail_out = outputSize;
         int result = inflate(&stream, Z_FINISH);
         // Z_OK from a Z_FINISH call means the output filled before the stream ended: the file
         // holds more than it says, so it is refused along with any trailing bytes.
         ok = result == Z_STREAM_END && stream.avail_in == 0;
         if (ok && sizeOut)
         {
            *sizeOut = outputSize - stream.avail_out;
         }
         inflateEnd(&stream);
      }
   }
   fileManager->FileContentsFree(file);
   if (!ok && output)
   {
      allocator->Free(output);
      output = nullptr;
   }
   return output;
}

bool TextureFileParse(u8* block, u32 size, i32* format, i32* width, i32* height, u8** pixels)
{
   if (!block || size < 12)
   {
      WarningPrintf("TextureFileParse -- Texture data too short: %u bytes\n", size);
      return false;
   }
   u32 storedFormat = LittleEndian32Read(block);
   u32 storedWidth = LittleEndian32Read(block + 4);
   u32 storedHeight = LittleEndian32Read(block + 8);
   u64 needed =
       storedFormat < BITMAP_FORMAT_COUNT && storedWidth <= 0x7FFFFFFFu && storedHeight <= 0x7FFFFFFFu
           ? BitmapByteSizeCalculate(static_cast<i32>(storedFormat), static_cast<i32>(storedWidth),
                                     static_cast<i32>(storedHeight))
           : 0;
   if (needed == 0 || needed > size - 12)
   {
      WarningPrintf("TextureFileParse -- Bad texture header: format %u, %ux%u, %u bytes\n", storedFormat,
                    storedWidth, storedHeight, size);
      return false;
   }
   *format = static_cast<i32>(storedFormat);
   *width = static_cast<i32>(storedWidth);
   *height = static_cast<i32>(storedHeight);
   *pixels = block + 12;
   return true;
}

bool ImageFileReader::Open(u8* newBlock, u32 newSize)
{
   block = newBlock;
   size = newSize;
   position = 8;
   index = 0;
   count = 0;
   format = 0;
   if (!block || size < 8)
   {
      WarningPrintf("ImageFileReader::Open -- Image data too short: %u bytes\n", size);
      return false;
   }
   u32 storedCount = LittleEndian32Read(block);
   u32 storedFormat = LittleEndian32Read(block + 4);
   // Each entry takes at least 36 bytes, which bounds any honest count.
   if (storedCount == 0 || storedCount > (size - 8) / 36 || storedFormat >= BITMAP_FORMAT_COUNT)
   {
      WarningPrintf("ImageFileReader::Open -- Bad image header: %u parts of format %u in %u bytes\n",
                    storedCount, storedFormat, size);
      return false;
   }
   count = static_cast<i32>(storedCount);
   format = static_cast<i32>(storedFormat);
   return true;
}

bool ImageFileReader::Next(ImageFileEntry* entry)
{
   if (!entry || !block || index >= count)
   {
      return false;
   }
   // Entries start at multiples of 4 from the start of the block.
   u64 start = (static_cast<u64>(position) + 3) & ~static_cast<u64>(3);
   if (start + 36 > size)
   {
      WarningPrintf("ImageFileReader::Next -- Part %d runs past the data\n", index);
      return false;
   }
   const u8* p = block + start;
   entry->textureWidth = LittleEndian32Read(p);
   entry->textureHeight = LittleEndian32Read(p + 4);
   entry->offsetX = LittleEndianFloatRead(p + 8);
   entry->offsetY = LittleEndianFloatRead(p + 12);
   entry->sourceX = LittleEndianFloatRead(p + 16);
   entry->sourceY = LittleEndianFloatRead(p + 20);
   entry->sourceWidth = LittleEndianFloatRead(p + 24);
   entry->sourceHeight = LittleEndianFloatRead(p + 28);
   entry->pixelSize = LittleEndian32Read(p + 32);
   entry->pixels = block + start + 36;
   u64 needed = entry->textureWidth <= 0x7FFFFFFFu && entry->textureHeight <= 0x7FFFFFFFu
                    ? BitmapByteSizeCalculate(format, static_cast<i32>(entry->textureWidth),
                                              static_cast<i32>(entry->textureHeight))
                    : 0;
   if (start + 36 + entry->pixelSize > size || needed == 0 || needed > entry->pixelSize)
   {
      WarningPrintf("ImageFileReader::Next -- Part %d is damaged: %ux%u, %u bytes\n", index,
                    entry->textureWidth, entry->textureHeight, entry->pixelSize);
      return false;
   }
   if (!PartRectangleCheck(*entry))
   {
      WarningPrintf(
          "ImageFileReader::Next -- Part %d has a bad rectangle: source (%g, %g, %g, %g) in %ux%u at "
          "(%g, %g)\n",
          index, entry->sourceX, entry->sourceY, entry->sourceWidth, entry->sourceHeight, entry->textureWidth,
          entry->textureHeight, entry->offsetX, entry->offsetY);
      return false;
   }
   position = static_cast<u32>(start + 36 + entry->pixelSize);
   ++index;
   return true;
}
} // namespace Corvale
