// Loading of textures from ".tex" or ".png" files into shared GL textures.
#include "platform/image/TextureManagerOpenGL.h"

#include <cstdio>

#include "core/Allocator.h"
#include "core/FileManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapManagerDefault.h"
#include "platform/image/ImageFile.h"
#include "platform/image/Texture.h"

namespace Corvale
{
TextureManagerOpenGL textureManager;

namespace
{
Texture* TextureFromTex(const char* name, FileManager* fileManager)
{
   char path[260];
   if (!ArtPathForm(path, sizeof(path), name, ".tex"))
   {
      return nullptr;
   }
   u32 size = 0;
   u8* block = CompressedFileRead(path, allocatorTemp, fileManager, &size);
   if (!block)
   {
      return nullptr;
   }
   i32 format = 0;
   i32 width = 0;
   i32 height = 0;
   u8* pixels = nullptr;
   Bitmap* bitmap = nullptr;
   Texture* texture = nullptr;
   if (TextureFileParse(block, size, &format, &width, &height, &pixels))
   {
      bitmap = BitmapManagerDefault::BitmapCreate(format, HEAP_DEFAULT);
   }
   if (bitmap && bitmap->PixelsAttach(pixels, size - 12, width, height, format))
   {
      texture = TextureManagerCommon::TextureCreate(bitmap);
   }
   if (!texture)
   {
      Bitmap::Destroy(bitmap);
      allocatorTemp->Free(block);
      return nullptr;
   }
   texture->extraData = block;
   texture->extraDataAllocator = allocatorTemp;
   return texture;
}

Texture* TextureFromPNG(const char* name, FileManager* fileManager)
{
   char path[260];
   if (!ArtPathForm(path, sizeof(path), name, ".png") || !fileManager->GraphicsPathSearch(path, nullptr, 0))
   {
      return nullptr;
   }
   Bitmap* bitmap = BitmapManagerDefault::Load(name, allocatorTemp, fileManager);
   if (!bitmap)
   {
      return nullptr;
   }
   bitmap->PremultiplyAlpha();
   Texture* texture = TextureManagerCommon::TextureCreate(bitmap);
   if (!texture)
   {
      Bitmap::Destroy(bitmap);
   }
   return texture;
}
} // namespace

bool ArtPathForm(char* path, size_t size, const char* name, const char* extension)
{
   int length = std::snprintf(path, size, "%s%s", name, extension);
   return length >= 0 && static_cast<size_t>(length) < size;
}

Texture* TextureManagerOpenGL::Load(const char* name)
{
   if (!name)
   {
      return nullptr;
   }
   FileManager* fileManager = fileManagerResource;
   Texture* texture = cache.Get(name, fileManager);
   if (texture)
   {
      return texture;
   }
   if (fileManager)
   {
      texture = TextureFromTex(name, fileManager);
      if (!texture)
      {
         texture = TextureFromPNG(name, fileManager);
      }
   }
   if (!texture)
   {
      WarningPrintf("TextureManagerOpenGL::Load -- Unable to load texture: %s\n", name);
      return nullptr;
   }
   cache.Add(name, fileManager, texture);
   // Only GL needs the pixels now; the bitmap stays for its size.
   texture->bitmap->PixelsRelease();
   if (texture->extraData && texture->extraDataAllocator)
   {
      texture->extraDataAllocator->Free(texture->extraData);
   }
   texture->extraData = nullptr;
   return texture;
}
} // namespace Corvale
