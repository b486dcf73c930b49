// An image in memory: a format number, a size and a pixel buffer owned through an Allocator.
// Pixels come from PNG files, packed texture files or the frame buffer and go on to OpenGL.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Allocator;

// Format numbers are stored in ".tex" and ".img" files, so they never change.
enum BitmapFormat : i32
{
   BITMAP_FORMAT_RGB8 = 0,
   BITMAP_FORMAT_RGBA8 = 1,
   BITMAP_FORMAT_RGBA4444 = 2,
   BITMAP_FORMAT_RGB565 = 3,
   BITMAP_FORMAT_LUMINANCE_ALPHA8 = 4,
   BITMAP_FORMAT_RGB8_ALT = 5,
   BITMAP_FORMAT_RGBA8_ALT = 6,
   BITMAP_FORMAT_TILED_ALPHA = 7,
   BITMAP_FORMAT_COUNT = 13
};

// A rectangle of whole pixels.
struct BitmapBox
{
   i32 x = 0;
   i32 y = 0;
   i32 width = 0;
   i32 height = 0;
};

// The most pixel bytes one image may take: a forged header must not make us allocate gigabytes.
constexpr u64 BITMAP_BYTES_MAX = 256ull * 1024 * 1024;

// Bits per pixel of a format; 0 for an unknown one.
i32 BitmapFormatBitsGet(i32 format);
// ceil(bits * width * height / 8); 0 for an unknown format or a size that is not positive.
u64 BitmapByteSizeCalculate(i32 format, i32 width, i32 height);

class Bitmap
{
 public:
   // Blends the source over the destination in Copy (formats 1 and 6 only).
   static constexpr u32 COPY_BLEND = 1;

   Bitmap() = default;
   // Frees nothing itself: owners call Free or Destroy.
   virtual ~Bitmap() = default;

   // A new bitmap of the same format, size and pixels, its buffer from allocator.
   virtual Bitmap* Clone(Allocator* allocator, i32 heapId) const;
   // The smallest box inside region holding every pixel with non-zero alpha.
   virtual BitmapBox BoundsGet(const BitmapBox* region) const;
   virtual void Copy(const Bitmap* source, const BitmapBox* destinationBox, const BitmapBox* sourceBox,
                     u32 flags);
   virtual void PixelGet(u8* bytes, i32 x, i32 y) const;
   virtual void PixelSet(const u8* bytes, i32 x, i32 y);
   virtual void Fill(const u8* pixel, const BitmapBox* region);
   virtual void Clear();
   virtual void PremultiplyAlpha();

   // The old buffer is freed; the new pixels are left as the allocator gives them.
   bool Init(i32 newWidth, i32 newHeight, i32 newFormat, Allocator* newAllocator);
   // Releases an owned buffer and zeroes every field.
   void Free();
   // Releases the pixels (an owned buffer is freed) but keeps the size and format, which
   // textures go on reading after their upload.
   void PixelsRelease();
   // Uses a buffer from outside, not owned; byteSize must hold the whole bitmap.
   bool PixelsAttach(u8* newPixels, u64 byteSize, i32 newWidth, i32 newHeight, i32 newFormat);
   // Frees the pixels, zeroes the fields and deletes the object (made by BitmapManagerDefault).
   static void Destroy(Bitmap* bitmap);

   u8* PixelAddressGet(i32 x, i32 y) const;
   i32 PixelSizeGet() const;
   u64 ByteSizeGet() const { return BitmapByteSizeCalculate(format, width, height); }
   i32 WidthGet() const { return width; }
   i32 HeightGet() const { return height; }
   i32 FormatGet() const { return format; }
   u8* PixelsGet() const { return pixels; }
   Allocator* AllocatorGet() const { return allocator; }

   u8* pixels = nullptr;
   i32 format = 0;
   // Owner of the buffer; null when the buffer was attached from outside.
   Allocator* allocator = nullptr;
   i32 width = 0;
   i32 height = 0;

 private:
   // Whether per-pixel operations can address this bitmap (whole-byte pixels).
   bool PixelOperationsCheck() const;
};
} // namespace Corvale
