// The runtime's hooks on the engine's memory, file manager and texture manager.
#include "tutorial/SkeletonHooks.h"

#include <cstring>

#include "core/FileManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "platform/image/Bitmap.h"
#include "platform/image/Texture.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
namespace
{
constexpr u32 PAGE_PATH_SIZE = 260;
} // namespace

void* SkeletonAllocate(size_t size)
{
   if (size > UINT32_MAX)
   {
      return nullptr;
   }
   return Memory::Allocate(static_cast<u32>(size), HEAP_DEFAULT, 4);
}

void SkeletonFree(void* block)
{
   if (block && Memory::InitialisedCheck())
   {
      Memory::Free(block);
   }
}

char* _skUtil_readFile(const char* path, i32* length)
{
   *length = 0;
   if (!fileManagerResource)
   {
      WarningPrintf("_skUtil_readFile -- no resource file manager for %s\n", path);
      return nullptr;
   }
   u32 size = 0;
   void* contents =
       fileManagerResource->GraphicsPathFileContentsGet(path, &size, 16, HEAP_TEMP, HEAP_TEMP, nullptr, 0);
   if (!contents)
   {
      WarningPrintf("_skUtil_readFile -- Unable to read file: %s\n", path);
      return nullptr;
   }
   char* copy = size <= INT32_MAX ? static_cast<char*>(_skMalloc(size, __FILE__, __LINE__)) : nullptr;
   if (copy)
   {
      std::memcpy(copy, contents, size);
      *length = static_cast<i32>(size);
   }
   else
   {
      WarningPrintf("_skUtil_readFile -- no memory for %s (%u bytes)\n", path, size);
   }
   fileManagerResource->FileContentsFree(contents);
   return copy;
}

void _skAtlasPage_createTexture(skAtlasPage* page, const char* path)
{
   page->rendererObject = nullptr;
   page->width = 0;
   page->height = 0;
   char name[PAGE_PATH_SIZE];
   if (!NultStrncpy(name, path, PAGE_PATH_SIZE) || !UTF8Truncate(name, PAGE_PATH_SIZE))
   {
      WarningPrintf("_skAtlasPage_createTexture -- page path too long: %s\n", path);
      return;
   }
   // The extension is the last '.' of the file name; a dot in a folder name is not one.
   char* base = name;
   for (char* p = name; *p; ++p)
   {
      if (*p == '/' || *p == '\\')
      {
         base = p + 1;
      }
   }
   char* dot = std::strrchr(base, '.');
   if (dot)
   {
      *dot = 0;
   }
   Texture* texture = textureManager.Load(name);
   if (!texture)
   {
      return;
   }
   page->rendererObject = texture;
   if (texture->bitmap)
   {
      page->width = texture->bitmap->WidthGet();
      page->height = texture->bitmap->HeightGet();
   }
}

void _skAtlasPage_disposeTexture(skAtlasPage* page)
{
   textureManager.Release(static_cast<Texture*>(page->rendererObject));
   page->rendererObject = nullptr;
}

void SkeletonHooksInstall()
{
   skHooks_setMalloc(SkeletonAllocate);
   skHooks_setDebugMalloc(nullptr);
   skHooks_setFree(SkeletonFree);
   skHooks_setReadFile(_skUtil_readFile);
   skHooks_setCreateTexture(_skAtlasPage_createTexture);
   skHooks_setDisposeTexture(_skAtlasPage_disposeTexture);
}
} // namespace Corvale
