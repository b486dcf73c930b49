// Textures shared by name with reference counts: the cache and the release rules that every
// texture owner (images, fonts, the loader, skeleton atlases) goes through.
#pragma once

#include "core/ResourceCache.h"

namespace Corvale
{
class Bitmap;
class Texture;

class TextureManagerCommon
{
 public:
   virtual ~TextureManagerCommon() = default;
   // Destroys every cached texture, whatever its count, and empties the cache.
   virtual void Deinit();

   // Gives one reference back; the last one destroys the texture. A texture that was never
   // cached is destroyed at once.
   void Release(Texture* texture);
   // The same for the cached texture of a name read through the current resource manager.
   void NameRelease(const char* name);
   // A new texture with a GL name holding the bitmap's pixels (no mipmaps); it keeps the bitmap
   // for its size. Null (the bitmap untouched) when the name or the upload fails.
   static Texture* TextureCreate(Bitmap* bitmap);
   // Frees the texture's bitmap, GL name, extra data and the object.
   static void TextureDestroy(Texture* texture);

   ResourceCache<Texture> cache;
};
} // namespace Corvale
