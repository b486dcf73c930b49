// Images shared by name with reference counts, and their release back to the texture manager.
#pragma once

#include "core/ResourceCache.h"

namespace Corvale
{
class Image;

class ImageManagerCommon
{
 public:
   virtual ~ImageManagerCommon() = default;
   // Releases every cached image, whatever its count, and empties the cache.
   virtual void Deinit();
   // Gives one reference back; the last one (or an image never cached) frees the image and
   // hands its owned textures back to the texture manager.
   void Release(Image* image);
   static void ImageDestroy(Image* image);

   ResourceCache<Image> cache;
};
} // namespace Corvale
