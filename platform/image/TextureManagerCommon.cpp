// Reference-counted release and shutdown of cached textures.
#include "platform/image/TextureManagerCommon.h"

#include "core/FileManager.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/Texture.h"

namespace Corvale
{
Texture* TextureManagerCommon::TextureCreate(Bitmap* bitmap)
{
   if (!bitmap || !bitmap->pixels)
   {
      return nullptr;
   }
   Texture* texture = MemoryNew<Texture>(HEAP_DEFAULT);
   if (!texture)
   {
      return nullptr;
   }
   if (!texture->NameCreate() ||
       !texture->PixelsUpload(bitmap->pixels, bitmap->width, bitmap->height, bitmap->format, 0))
   {
      texture->Deinit();
      MemoryDelete(texture);
      return nullptr;
   }
   texture->bitmap = bitmap;
   return texture;
}

void TextureManagerCommon::TextureDestroy(Texture* texture)
{
   if (!texture)
   {
      return;
   }
   Bitmap::Destroy(texture->bitmap);
   texture->bitmap = nullptr;
   texture->Deinit();
   MemoryDelete(texture);
}

void TextureManagerCommon::Release(Texture* texture)
{
   if (!texture)
   {
      return;
   }
   if (!cache.ResourceFind(texture, nullptr))
   {
      TextureDestroy(texture);
      return;
   }
   TextureDestroy(cache.ResourceRelease(texture));
}

void TextureManagerCommon::NameRelease(const char* name)
{
   TextureDestroy(cache.Release(name, fileManagerResource));
}

void TextureManagerCommon::Deinit()
{
   using Node = ResourceCache<Texture>::EntryMap::Node;
   for (Node* node = cache.map.First(); node != cache.map.End(); node = cache.map.Next(node))
   {
      TextureDestroy(node->value->resource);
      node->value->resource = nullptr;
   }
   cache.Clear();
}
} // namespace Corvale
