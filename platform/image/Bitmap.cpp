// Bitmap storage and the pixel operations that sprites, fonts and the image splitter rely on.
#include "platform/image/Bitmap.h"

#include <cstring>

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/image/BitmapManagerDefault.h"

namespace Corvale
{
namespace
{
constexpr i32 formatBits[BITMAP_FORMAT_COUNT] = {24, 32, 16, 16, 16, 24, 32, 32, 4, 16, 16, 24, 32};

// Cuts a box to [0, limitWidth) x [0, limitHeight); false when nothing of it is left.
bool BoxCut(BitmapBox& box, i32 limitWidth, i32 limitHeight)
{
   i64 x0 = box.x > 0 ? box.x : 0;
   i64 y0 = box.y > 0 ? box.y : 0;
   i64 x1 = static_cast<i64>(box.x) + box.width;
   i64 y1 = static_cast<i64>(box.y) + box.height;
   if (x1 > limitWidth)
   {
      x1 = limitWidth;
   }
   if (y1 > limitHeight)
   {
      y1 = limitHeight;
   }
   if (x1 <= x0 || y1 <= y0)
   {
      return false;
   }
   box.x = static_cast<i32>(x0);
   box.y = static_cast<i32>(y0);
   box.width = static_cast<i32>(x1 - x0);
   box.height = static_cast<i32>(y1 - y0);
   return true;
}
} // namespace

i32 BitmapFormatBitsGet(i32 format)
{
   if (format < 0 || format >= BITMAP_FORMAT_COUNT)
   {
      return 0;
   }
   return formatBits[format];
}

u64 BitmapByteSizeCalculate(i32 format, i32 width, i32 height)
{
   i32 bits = BitmapFormatBitsGet(format);
   if (bits == 0 || width <= 0 || height <= 0)
   {
      return 0;
   }
   return (static_cast<u64>(bits) * static_cast<u64>(width) * static_cast<u64>(height) + 7) / 8;
}

bool Bitmap::Init(i32 newWidth, i32 newHeight, i32 newFormat, Allocator* newAllocator)
{
   if (!newAllocator || newFormat < 0 || newFormat >= BITMAP_FORMAT_COUNT || newWidth <= 0 || newHeight <= 0)
   {
      return false;
   }
   u64 size = BitmapByteSizeCalculate(newFormat, newWidth, newHeight);
   // Allocators count in 32 bits; a larger bitmap would silently get a short buffer.
   if (size > 0xFFFFFFFFull)
   {
      WarningPrintf("Bitmap::Init -- Bitmap too large: %dx%d\n", newWidth, newHeight);
      return false;
   }
   Free();
   u8* buffer = static_cast<u8*>(newAllocator->Allocate(static_cast<u32>(size)));
   if (!buffer)
   {
      return false;
   }
   pixels = buffer;
   allocator = newAllocator;
   width = newWidth;
   height = newHeight;
   format = newFormat;
   return true;
}

void Bitmap::Free()
{
   if (pixels && allocator)
   {
      allocator->Free(pixels);
   }
   pixels = nullptr;
   allocator = nullptr;
   format = 0;
   width = 0;
   height = 0;
}

void Bitmap::PixelsRelease()
{
   if (pixels && allocator)
   {
      allocator->Free(pixels);
   }
   pixels = nullptr;
   allocator = nullptr;
}

bool Bitmap::PixelsAttach(u8* newPixels, u64 byteSize, i32 newWidth, i32 newHeight, i32 newFormat)
{
   u64 needed = BitmapByteSizeCalculate(newFormat, newWidth, newHeight);
   if (!newPixels || needed == 0 || byteSize < needed)
   {
      WarningPrintf("Bitmap::PixelsAttach -- %llu bytes do not hold a %dx%d bitmap of format %d\n",
                    static_cast<unsigned long long>(byteSize), newWidth, newHeight, newFormat);
      return false;
   }
   Free();
   pixels = newPixels;
   width = newWidth;
   height = newHeight;
   format = newFormat;
   return true;
}

void Bitmap::Destroy(Bitmap* bitmap)
{
   if (!bitmap)
   {
      return;
   }
   bitmap->Free();
   MemoryDelete(bitmap);
}

i32 Bitmap::PixelSizeGet() const
{
   return (BitmapFormatBitsGet(format) + 7) / 8;
}

u8* Bitmap::PixelAddressGet(i32 x, i32 y) const
{
   return pixels + (static_cast<u64>(y) * static_cast<u64>(width) + static_cast<u64>(x)) * PixelSizeGet();
}

bool Bitmap::PixelOperationsCheck() const
{
   // Format 8 packs two pixels a byte: whole-byte addressing would run past its buffer.
   return pixels && format >= 0 && format < BITMAP_FORMAT_COUNT && format != 8;
}

Bitmap* Bitmap::Clone(Allocator* cloneAllocator, i32 heapId) const
{
   if (!pixels)
   {
      return nullptr;
   }
   Bitmap* clone = BitmapManagerDefault::BitmapCreate(format, heapId);
   if (!clone)
   {
      return nullptr;
   }
   if (!clone->Init(width, height, format, cloneAllocator))
   {
      Bitmap::Destroy(clone);
      return nullptr;
   }
   std::memcpy(clone->pixels, pixels, static_cast<size_t>(ByteSizeGet()));
   return clone;
}

BitmapBox Bitmap::BoundsGet(const BitmapBox* region) const
{
   BitmapBox box;
   if (region)
   {
      box = *region;
   }
   else
   {
      box.width = width;
      box.height = height;
   }
   if (static_cast<i64>(box.x) + box.width < 1 || box.x >= width ||
       static_cast<i64>(box.y) + box.height < 1 || box.y >= height || !BoxCut(box, width, height))
   {
      return BitmapBox();
   }
   if (!pixels)
   {
      return box;
   }

   // Where the alpha of a pixel lives, and which bits of that byte hold it.
   i32 alphaOffset = 0;
   u8 alphaMask = 0xFF;
   switch (format)
   {
   case 0:
   case 3:
   case 5:
      return box;
   case 1:
   case 6:
      alphaOffset = 3;
      break;
   case 2:
      alphaMask = 0x0F;
      break;
   case 4:
      alphaOffset = 1;
      break;
   case 7:
      break;
   default:
      WarningPrintf("Bitmap::BoundsGet -- Unsupported format: %d\n", format);
      return box;
   }

   u64 size = ByteSizeGet();
   u64 tilesPerRow = (static_cast<u64>(width) + 3) / 4;
   i32 minX = box.x + box.width;
   i32 minY = box.y + box.height;
   i32 maxX = -1;
   i32 maxY = -1;
   for (i32 y = box.y; y < box.y + box.height; ++y)
   {
      for (i32 x = box.x; x < box.x + box.width; ++x)
      {
         u8 alpha;
         if (format == 7)
         {
            u64 tile = (static_cast<u64>(y) / 4) * tilesPerRow + static_cast<u64>(x) / 4;
            u64 offset = tile * 64 + 2 * static_cast<u64>((y % 4) * 4 + (x % 4));
            alpha = offset < size ? pixels[offset] : 0;
         }
         else
         {
            alpha = PixelAddressGet(x, y)[alphaOffset] & alphaMask;
         }
         if (alpha != 0)
         {
            minX = x < minX ? x : minX;
            maxX = x > maxX ? x : maxX;
            minY = y < minY ? y : minY;
            maxY = y > maxY ? y : maxY;
         }
      }
   }
   if (maxX < 0)
   {
      return BitmapBox();
   }
   BitmapBox result;
   result.x = minX;
   result.y = minY;
   result.width = maxX - minX + 1;
   result.height = maxY - minY + 1;
   return result;
}

void Bitmap::Copy(const Bitmap* source, const BitmapBox* destinationBox, const BitmapBox* sourceBox,
                  u32 flags)
{
   if (!source || !PixelOperationsCheck() || !source->pixels || source->format != format)
   {
      return;
   }
   BitmapBox destination;
   BitmapBox from;
   if (destinationBox)
   {
      destination = *destinationBox;
   }
   else
   {
      destination.width = width;
      destination.height = height;
   }
   if (sourceBox)
   {
      from = *sourceBox;
   }
   else
   {
      from.width = source->width;
      from.height = source->height;
   }
   // A box hanging off the top or the left skips the same amount of the other box.
   if (destinationBox)
   {
      if (destination.x < 0)
      {
         from.x -= destination.x;
      }
      if (destination.y < 0)
      {
         from.y -= destination.y;
      }
   }
   if (sourceBox)
   {
      if (from.x < 0)
      {
         destination.x -= from.x;
      }
      if (from.y < 0)
      {
         destination.y -= from.y;
      }
   }
   if (destination.width < 0 || destination.height < 0 || from.width < 0 || from.height < 0)
   {
      return;
   }
   if (!BoxCut(destination, width, height) || !BoxCut(from, source->width, source->height))
   {
      return;
   }
   i32 copyWidth = destination.width < from.width ? destination.width : from.width;
   i32 copyHeight = destination.height < from.height ? destination.height : from.height;
   if (copyWidth <= 0 || copyHeight <= 0)
   {
      return;
   }

   i32 pixelSize = PixelSizeGet();
   if ((flags & COPY_BLEND) && (format == 1 || format == 6))
   {
      for (i32 y = 0; y < copyHeight; ++y)
      {
         const u8* s = source->PixelAddressGet(from.x, from.y + y);
         u8* d = PixelAddressGet(destination.x, destination.y + y);
         for (i32 x = 0; x < copyWidth; ++x, s += 4, d += 4)
         {
            i32 sa = s[3];
            i32 da = d[3];
            i32 total = ((da * (255 - sa)) >> 8) + sa;
            if (total == 0)
            {
               continue;
            }
            i32 weight = (sa << 8) / total;
            for (i32 c = 0; c < 3; ++c)
            {
               d[c] = static_cast<u8>((s[c] * weight + d[c] * (255 - weight)) >> 8);
            }
            d[3] = static_cast<u8>(255 - (((255 - da) * (255 - sa)) >> 8));
         }
      }
      return;
   }
   size_t rowBytes = static_cast<size_t>(copyWidth) * pixelSize;
   for (i32 y = 0; y < copyHeight; ++y)
   {
      // memmove: a bitmap may copy within itself.
      std::memmove(PixelAddressGet(destination.x, destination.y + y),
                   source->PixelAddressGet(from.x, from.y + y), rowBytes);
   }
}

void Bitmap::PixelGet(u8* bytes, i32 x, i32 y) const
{
   if (!bytes || !PixelOperationsCheck() || x < 0 || y < 0 || x >= width || y >= height)
   {
      return;
   }
   std::memcpy(bytes, PixelAddressGet(x, y), PixelSizeGet());
}

void Bitmap::PixelSet(const u8* bytes, i32 x, i32 y)
{
   if (!bytes || !PixelOperationsCheck() || x < 0 || y < 0 || x >= width || y >= height)
   {
      return;
   }
   std::memcpy(PixelAddressGet(x, y), bytes, PixelSizeGet());
}

void Bitmap::Fill(const u8* pixel, const BitmapBox* region)
{
   if (!pixel || !PixelOperationsCheck())
   {
      return;
   }
   BitmapBox box;
   if (region)
   {
      box = *region;
   }
   else
   {
      box.width = width;
      box.height = height;
   }
   if (box.width < 0 || box.height < 0 || !BoxCut(box, width, height))
   {
      return;
   }
   i32 pixelSize = PixelSizeGet();
   u8* first = PixelAddressGet(box.x, box.y);
   for (i32 x = 0; x < box.width; ++x)
   {
      std::memcpy(first + static_cast<size_t>(x) * pixelSize, pixel, pixelSize);
   }
   size_t rowBytes = static_cast<size_t>(box.width) * pixelSize;
   for (i32 y = 1; y < box.height; ++y)
   {
      std::memcpy(PixelAddressGet(box.x, box.y + y), first, rowBytes);
   }
}

void Bitmap::Clear()
{
   if (!pixels || format == 8)
   {
      return;
   }
   std::memset(pixels, 0, static_cast<size_t>(ByteSizeGet()));
}

void Bitmap::PremultiplyAlpha()
{
   if (!pixels || format != 1)
   {
      return;
   }
   u64 count = static_cast<u64>(width) * static_cast<u64>(height);
   u8* p = pixels;
   for (u64 i = 0; i < count; ++i, p += 4)
   {
      u32 a = p[3];
      // trunc(c * a / 255) in exact integers.
      p[0] = static_cast<u8>(p[0] * a / 255);
      p[1] = static_cast<u8>(p[1] * a / 255);
      p[2] = static_cast<u8>(p[2] * a / 255);
   }
}
} // namespace Corvale
