// Loading of images from ".img" files or from PNG files, split into texture tiles as needed.
#include "platform/image/ImageManagerOpenGL.h"

#include <cstdio>

#include "core/Allocator.h"
#include "core/FileManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapManagerDefault.h"
#include "platform/image/BitmapSplit.h"
#include "platform/image/Image.h"
#include "platform/image/ImageFile.h"
#include "platform/image/Texture.h"
#include "platform/image/TextureManagerOpenGL.h"

namespace Corvale
{
ImageManagerOpenGL imageManager;

namespace
{
Image* ImageNew(i32 partCount)
{
   Image* image = MemoryNew<Image>(HEAP_DEFAULT);
   if (image && !image->Init(partCount))
   {
      MemoryDelete(image);
      return nullptr;
   }
   return image;
}

Image* ImageFromImg(const char* name, FileManager* fileManager)
{
   char path[260];
   if (!ArtPathForm(path, sizeof(path), name, ".img"))
   {
      return nullptr;
   }
   u32 size = 0;
   u8* block = CompressedFileRead(path, allocatorTemp, fileManager, &size);
   if (!block)
   {
      return nullptr;
   }
   ImageFileReader reader;
   Image* image = reader.Open(block, size) ? ImageNew(reader.CountGet()) : nullptr;
   if (!image)
   {
      allocatorTemp->Free(block);
      return nullptr;
   }
   image->data = block;
   image->dataAllocator = allocatorTemp;
   for (i32 i = 0; i < reader.CountGet(); ++i)
   {
      ImageFileEntry entry;
      Bitmap* bitmap = nullptr;
      Texture* texture = nullptr;
      if (reader.Next(&entry))
      {
         bitmap = BitmapManagerDefault::BitmapCreate(reader.FormatGet(), HEAP_DEFAULT);
      }
      if (bitmap && bitmap->PixelsAttach(entry.pixels, entry.pixelSize, static_cast<i32>(entry.textureWidth),
                                         static_cast<i32>(entry.textureHeight), reader.FormatGet()))
      {
         texture = TextureManagerCommon::TextureCreate(bitmap);
      }
      if (!texture)
      {
         Bitmap::Destroy(bitmap);
         imageManager.Release(image);
         return nullptr;
      }
      ImagePart part;
      part.texture = texture;
      part.sourceX = entry.sourceX;
      part.sourceY = entry.sourceY;
      part.width = entry.sourceWidth;
      part.height = entry.sourceHeight;
      part.offsetX = entry.offsetX;
      part.offsetY = entry.offsetY;
      part.ownsTexture = 1;
      image->PartSet(part, i);
   }
   return image;
}

Image* ImageFromPNG(const char* name, u32 flags, FileManager* fileManager)
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
   if (!(flags & IMAGE_LOAD_NO_PREMULTIPLY))
   {
      bitmap->PremultiplyAlpha();
   }
   Table<BitmapTile> tiles(allocatorTemp);
   BitmapSplitResult split = BitmapSplit(bitmap, allocatorTemp, &tiles);
   Image* image =
       split == BITMAP_SPLIT_FAILED ? nullptr : ImageNew(split == BITMAP_SPLIT_TILES ? tiles.count : 1);
   if (!image)
   {
      BitmapTilesDestroy(&tiles);
      Bitmap::Destroy(bitmap);
      return nullptr;
   }
   if (split == BITMAP_SPLIT_NONE)
   {
      Texture* texture = TextureManagerCommon::TextureCreate(bitmap);
      if (!texture)
      {
         Bitmap::Destroy(bitmap);
         imageManager.Release(image);
         return nullptr;
      }
      ImagePart part;
      part.texture = texture;
      part.width = static_cast<float>(bitmap->width);
      part.height = static_cast<float>(bitmap->height);
      part.ownsTexture = 1;
      image->PartSet(part, 0);
      return image;
   }
   Bitmap::Destroy(bitmap);
   for (i32 i = 0; i < tiles.count; ++i)
   {
      BitmapTile& tile = tiles[i];
      Texture* texture = TextureManagerCommon::TextureCreate(tile.bitmap);
      if (!texture)
      {
         // The tiles not yet handed to a texture are still ours.
         for (i32 j = i; j < tiles.count; ++j)
         {
            Bitmap::Destroy(tiles[j].bitmap);
         }
         tiles = Table<BitmapTile>(allocatorTemp);
         imageManager.Release(image);
         return nullptr;
      }
      tile.bitmap = nullptr;
      ImagePart part;
      part.texture = texture;
      part.sourceX = static_cast<float>(tile.sourceX);
      part.sourceY = static_cast<float>(tile.sourceY);
      part.width = static_cast<float>(tile.usedWidth);
      part.height = static_cast<float>(tile.usedHeight);
      part.offsetX = static_cast<float>(tile.tileX);
      part.offsetY = static_cast<float>(tile.tileY);
      part.ownsTexture = 1;
      image->PartSet(part, i);
   }
   tiles = Table<BitmapTile>(allocatorTemp);
   return image;
}
} // namespace

Image* ImageManagerOpenGL::Load(const char* name, u32 flags)
{
   if (!name)
   {
      return nullptr;
   }
   FileManager* fileManager = fileManagerResource;
   bool shared = !(flags & IMAGE_LOAD_PRIVATE);
   if (shared)
   {
      Image* cached = cache.Get(name, fileManager);
      if (cached)
      {
         return cached;
      }
   }
   Image* image = nullptr;
   if (fileManager)
   {
      image = ImageFromImg(name, fileManager);
      if (!image)
      {
         image = ImageFromPNG(name, flags, fileManager);
      }
   }
   if (!image)
   {
      WarningPrintf("ImageManagerOpenGL::Load -- Unable to load image: %s\n", name);
      return nullptr;
   }
   if (shared)
   {
      // Only GL needs the pixels of a shared image now.
      for (i32 i = 0; i < image->partCount; ++i)
      {
         if (image->parts[i].texture && image->parts[i].texture->bitmap)
         {
            image->parts[i].texture->bitmap->PixelsRelease();
         }
      }
      if (image->data && image->dataAllocator)
      {
         image->dataAllocator->Free(image->data);
      }
      image->data = nullptr;
      image->dataAllocator = nullptr;
      cache.Add(name, fileManager, image);
   }
   return image;
}
} // namespace Corvale
