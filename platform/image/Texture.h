// One GL texture: its name, the bitmap last uploaded and an optional extra data block.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Allocator;
class Bitmap;

class Texture
{
 public:
   bool NameCreate();
   // Uploads a bitmap and remembers it; flags bit 0 asks for mipmaps. False without a bitmap or
   // for a format GL cannot take.
   bool Upload(Bitmap* source, u32 flags);
   // Frees the bitmap's pixels and the extra data block; the bitmap object itself stays.
   void BitmapRelease();
   // Uploads pixels of a bitmap format (0/5 RGB, 1/6 RGBA, 2 RGBA 4-4-4-4, 3 RGB 5-6-5, 4
   // luminance-alpha); flags bit 0 asks for mipmaps. False for other formats.
   bool PixelsUpload(const void* pixels, i32 width, i32 height, i32 format, u32 flags);
   void Deinit();
   // Wrap and filter of the bound texture, set at each bind before drawing.
   static void ParametersApply();

   i32 levelCount = 1;
   // Every texel of the last upload is fully opaque: drawn with an opaque colour it needs no
   // blending.
   u8 opaque = 0;
   Bitmap* bitmap = nullptr;
   u32 name = 0;
   void* extraData = nullptr;
   Allocator* extraDataAllocator = nullptr;
};

constexpr u32 TEXTURE_FLAG_MIPMAPS = 1;
} // namespace Corvale
