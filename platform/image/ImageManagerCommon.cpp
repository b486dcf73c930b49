// Reference-counted release and shutdown of cached images.
#include "platform/image/ImageManagerCommon.h"

#include "core/Memory.h"
#include "platform/image/Image.h"
#include "platform/image/TextureManagerOpenGL.h"

namespace Corvale
{
void ImageManagerCommon::ImageDestroy(Image* image)
{
   if (!image)
   {
      return;
   }
   for (i32 i = 0; i < image->partCount; ++i)
   {
      if (image->parts[i].ownsTexture && image->parts[i].texture)
      {
         textureManager.Release(image->parts[i].texture);
      }
      image->parts[i].texture = nullptr;
   }
   image->Clear();
   MemoryDelete(image);
}

void ImageManagerCommon::Release(Image* image)
{
   if (!image)
   {
      return;
   }
   if (!cache.ResourceFind(image, nullptr))
   {
      ImageDestroy(image);
      return;
   }
   ImageDestroy(cache.ResourceRelease(image));
}

void ImageManagerCommon::Deinit()
{
   using Node = ResourceCache<Image>::EntryMap::Node;
   for (Node* node = cache.map.First(); node != cache.map.End(); node = cache.map.Next(node))
   {
      ImageDestroy(node->value->resource);
      node->value->resource = nullptr;
   }
   cache.Clear();
}
} // namespace Corvale
