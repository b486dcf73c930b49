// Image parts, bounds, hit tests and drawing through the screen's textured-quad path.
#include "platform/image/Image.h"

#include <cmath>
#include <cstring>

#include "core/Allocator.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/window/Screen.h"
#include "platform/image/Texture.h"
#include "platform/image/TextureManagerOpenGL.h"

namespace Corvale
{
namespace
{
float PageWidthGet(const Texture* texture)
{
   return texture && texture->bitmap && texture->bitmap->width > 0
              ? static_cast<float>(texture->bitmap->width)
              : 1.0f;
}

float PageHeightGet(const Texture* texture)
{
   return texture && texture->bitmap && texture->bitmap->height > 0
              ? static_cast<float>(texture->bitmap->height)
              : 1.0f;
}

Box2F PartBoxGet(const ImagePart& part)
{
   Box2F box;
   box.x = part.offsetX;
   box.y = part.offsetY;
   box.width = part.width;
   box.height = part.height;
   return box;
}

// A texel coordinate as a whole number; values beyond any texture are held at a bound that still
// leaves room to add a size, and NaN counts as 0, so the conversion is always defined.
i32 TexelGet(float value)
{
   constexpr float bound = 536870912.0f;
   if (!(value > -bound))
   {
      return value < 0.0f ? -536870912 : 0;
   }
   return value < bound ? static_cast<i32>(value) : 536870912;
}

// The strict overlap of two boxes; false when they only touch or miss.
bool BoxIntersect(const Box2F& a, const Box2F& b, Box2F* out)
{
   float left = a.x > b.x ? a.x : b.x;
   float top = a.y > b.y ? a.y : b.y;
   float right = a.x + a.width < b.x + b.width ? a.x + a.width : b.x + b.width;
   float bottom = a.y + a.height < b.y + b.height ? a.y + a.height : b.y + b.height;
   if (!(right > left && bottom > top))
   {
      return false;
   }
   out->x = left;
   out->y = top;
   out->width = right - left;
   out->height = bottom - top;
   return true;
}

// Where rectangle (in image units) falls on part's texture, in the texture's source units; false
// when the part has no texture or the rectangle misses it. Counting and cutting both ask this.
bool PartSourceOverlapGet(const ImagePart& part, const Box2F& rectangle, Box2F* overlap)
{
   Box2F moved = rectangle;
   moved.x -= part.offsetX;
   moved.y -= part.offsetY;
   Box2F source{part.sourceX, part.sourceY, part.width, part.height};
   return part.texture && BoxIntersect(source, moved, overlap);
}
} // namespace

bool Image::PartsAllocate(i32 count)
{
   if (count <= 0)
   {
      return false;
   }
   parts = static_cast<ImagePart*>(
       Memory::Allocate(static_cast<u32>(sizeof(ImagePart) * count), HEAP_DEFAULT, MEMORY_ALIGNMENT_MIN));
   if (!parts)
   {
      return false;
   }
   for (i32 i = 0; i < count; ++i)
   {
      new (parts + i) ImagePart();
      parts[i].ownsTexture = 1;
   }
   partCount = count;
   boundsChanged = 0;
   bounds = Box2F();
   return true;
}

bool Image::Init(i32 count)
{
   data = nullptr;
   dataAllocator = nullptr;
   return PartsAllocate(count);
}

void Image::PartSet(const ImagePart& part, i32 index)
{
   if (parts && index >= 0 && index < partCount)
   {
      parts[index] = part;
      boundsChanged = 1;
   }
}

Box2F Image::BoundsGet()
{
   if (boundsChanged)
   {
      bounds = Box2F();
      for (i32 i = 0; i < partCount; ++i)
      {
         bounds.Include(PartBoxGet(parts[i]));
      }
      boundsChanged = 0;
   }
   return bounds;
}

bool Image::PartQuadGet(const ImagePart& part, const Box2F* region, const Point2F& position, float depth,
                        float vertices[20])
{
   if (!part.texture)
   {
      return false;
   }
   Box2F box = PartBoxGet(part);
   if (region && !BoxIntersect(box, *region, &box))
   {
      return false;
   }
   float pageWidth = PageWidthGet(part.texture);
   float pageHeight = PageHeightGet(part.texture);
   // The texels of the kept box: the part's source moved by what was cut off its left and top.
   float sourceX = part.sourceX + (box.x - part.offsetX);
   float sourceY = part.sourceY + (box.y - part.offsetY);
   float x0 = position.x + box.x;
   float y0 = position.y + box.y;
   float x1 = x0 + box.width;
   float y1 = y0 + box.height;
   float u0 = sourceX / pageWidth;
   float u1 = (sourceX + box.width) / pageWidth;
   float t0 = sourceY / pageHeight;
   float t1 = (sourceY + box.height) / pageHeight;
   const float quad[20] = {x0, y0, depth, u0, t0, x0, y1, depth, u0, t1,
                           x1, y0, depth, u1, t0, x1, y1, depth, u1, t1};
   std::memcpy(vertices, quad, sizeof(quad));
   return true;
}

void Image::Draw(const Point2F& position, const ColorRGBA8& color, float additive, float depth)
{
   for (i32 i = 0; i < partCount; ++i)
   {
      float vertices[20];
      if (PartQuadGet(parts[i], nullptr, position, depth, vertices))
      {
         screen.TexturedQuadDraw(parts[i].texture, vertices, color, additive);
      }
   }
}

void Image::DrawRegion(const Box2F& source, const Point2F& destination, const ColorRGBA8& color, float depth,
                       float additive)
{
   // The region's corner lands on the destination: shift the whole image back by it.
   Point2F position;
   position.x = destination.x - source.x;
   position.y = destination.y - source.y;
   for (i32 i = 0; i < partCount; ++i)
   {
      float vertices[20];
      if (PartQuadGet(parts[i], &source, position, depth, vertices))
      {
         screen.TexturedQuadDraw(parts[i].texture, vertices, color, additive);
      }
   }
}

void Image::VisibleBoundsGet(Box2F* out, const Box2F* clip)
{
   if (!out)
   {
      return;
   }
   *out = Box2F();
   Box2F area = clip ? *clip : BoundsGet();
   for (i32 i = 0; i < partCount; ++i)
   {
      const ImagePart& part = parts[i];
      Box2F overlap;
      if (!part.texture || !BoxIntersect(PartBoxGet(part), area, &overlap))
      {
         continue;
      }
      float startX = part.sourceX + overlap.x - part.offsetX;
      float startY = part.sourceY + overlap.y - part.offsetY;
      BitmapBox texels;
      texels.x = TexelGet(std::floor(startX));
      texels.y = TexelGet(std::floor(startY));
      texels.width = TexelGet(std::ceil(startX + overlap.width)) - texels.x;
      texels.height = TexelGet(std::ceil(startY + overlap.height)) - texels.y;
      BitmapBox visible = texels;
      if (part.texture->bitmap)
      {
         visible = part.texture->bitmap->BoundsGet(&texels);
      }
      if (visible.width == 0 || visible.height == 0)
      {
         continue;
      }
      Box2F found;
      found.x = static_cast<float>(visible.x) - part.sourceX + part.offsetX;
      found.y = static_cast<float>(visible.y) - part.sourceY + part.offsetY;
      found.width = static_cast<float>(visible.width);
      found.height = static_cast<float>(visible.height);
      out->Include(found);
   }
}

bool Image::HitCheck(const Point2F& point)
{
   for (i32 i = 0; i < partCount; ++i)
   {
      const ImagePart& part = parts[i];
      if (point.x < part.offsetX || point.y < part.offsetY || point.x >= part.offsetX + part.width ||
          point.y >= part.offsetY + part.height)
      {
         continue;
      }
      if (!part.texture || !part.texture->bitmap || !part.texture->bitmap->pixels)
      {
         return true;
      }
      BitmapBox texel;
      texel.x = TexelGet(part.sourceX + point.x - part.offsetX);
      texel.y = TexelGet(part.sourceY + point.y - part.offsetY);
      texel.width = 1;
      texel.height = 1;
      BitmapBox found = part.texture->bitmap->BoundsGet(&texel);
      return found.width != 0 && found.height != 0;
   }
   return false;
}

void Image::TexturesRelease()
{
   for (i32 i = 0; i < partCount; ++i)
   {
      if (parts[i].texture)
      {
         textureManager.Release(parts[i].texture);
      }
      parts[i].texture = nullptr;
   }
}

void Image::Clear()
{
   MemoryFree(parts);
   parts = nullptr;
   partCount = 0;
   boundsChanged = 0;
   bounds = Box2F();
   if (data && dataAllocator)
   {
      dataAllocator->Free(data);
   }
   data = nullptr;
   dataAllocator = nullptr;
}

void Image::Deinit()
{
   TexturesRelease();
   if (data && dataAllocator)
   {
      dataAllocator->Free(data);
   }
   data = nullptr;
   dataAllocator = nullptr;
}

Image* Image::SubImageCreate(const Image* image, const Box2F& rectangle, const Point2F& offset)
{
   if (!image)
   {
      return nullptr;
   }
   i32 count = 0;
   for (i32 i = 0; i < image->partCount; ++i)
   {
      Box2F overlap;
      if (PartSourceOverlapGet(image->parts[i], rectangle, &overlap))
      {
         ++count;
      }
   }
   if (count == 0)
   {
      return nullptr;
   }
   Image* sub = MemoryNew<Image>(HEAP_DEFAULT);
   if (!sub || !sub->Init(count))
   {
      MemoryDelete(sub);
      return nullptr;
   }
   i32 index = 0;
   for (i32 i = 0; i < image->partCount; ++i)
   {
      const ImagePart& part = image->parts[i];
      Box2F overlap;
      if (!PartSourceOverlapGet(part, rectangle, &overlap))
      {
         continue;
      }
      ImagePart cut;
      cut.texture = part.texture;
      cut.sourceX = overlap.x;
      cut.sourceY = overlap.y;
      cut.width = overlap.width;
      cut.height = overlap.height;
      cut.offsetX = part.offsetX + offset.x + (overlap.x - part.sourceX);
      cut.offsetY = part.offsetY + offset.y + (overlap.y - part.sourceY);
      cut.ownsTexture = 0;
      sub->PartSet(cut, index++);
   }
   return sub;
}
} // namespace Corvale
