// The hook pointers and the allocation helpers every runtime record goes through.
#include "tutorial/skeleton/skHooks.h"

#include <cstdlib>
#include <cstring>

#include "tutorial/skeleton/skAtlas.h"

namespace Corvale
{
namespace
{
void* CLibraryMalloc(size_t size)
{
   return std::malloc(size);
}

void CLibraryFree(void* block)
{
   std::free(block);
}

skMallocFunction mallocFunction = CLibraryMalloc;
skDebugMallocFunction debugMallocFunction = nullptr;
skFreeFunction freeFunction = CLibraryFree;
skReadFileFunction readFileFunction = nullptr;
skCreateTextureFunction createTextureFunction = nullptr;
skDisposeTextureFunction disposeTextureFunction = nullptr;
} // namespace

void skHooks_setMalloc(skMallocFunction function)
{
   mallocFunction = function;
}

void skHooks_setDebugMalloc(skDebugMallocFunction function)
{
   debugMallocFunction = function;
}

void skHooks_setFree(skFreeFunction function)
{
   freeFunction = function;
}

void skHooks_setReadFile(skReadFileFunction function)
{
   readFileFunction = function;
}

void skHooks_setCreateTexture(skCreateTextureFunction function)
{
   createTextureFunction = function;
}

void skHooks_setDisposeTexture(skDisposeTextureFunction function)
{
   disposeTextureFunction = function;
}

void* _skMalloc(size_t size, const char* file, int line)
{
   if (debugMallocFunction)
   {
      return debugMallocFunction(size, file, line);
   }
   return mallocFunction ? mallocFunction(size) : nullptr;
}

void* _skCalloc(size_t count, size_t size, const char* file, int line)
{
   if (size != 0 && count > static_cast<size_t>(-1) / size)
   {
      return nullptr;
   }
   void* block = _skMalloc(count * size, file, line);
   if (block)
   {
      std::memset(block, 0, count * size);
   }
   return block;
}

void _skFree(void* block)
{
   if (block && freeFunction)
   {
      freeFunction(block);
   }
}

char* _skCopyStringN(const char* text, size_t length)
{
   if (!text || length == static_cast<size_t>(-1))
   {
      return nullptr;
   }
   char* copy = static_cast<char*>(_skMalloc(length + 1, __FILE__, __LINE__));
   if (copy)
   {
      std::memcpy(copy, text, length);
      copy[length] = 0;
   }
   return copy;
}

char* _skCopyString(const char* text)
{
   return text ? _skCopyStringN(text, std::strlen(text)) : nullptr;
}

char* _skReadFile(const char* path, i32* length)
{
   *length = 0;
   char* text = readFileFunction && path ? readFileFunction(path, length) : nullptr;
   if (!text || *length < 0)
   {
      _skFree(text);
      *length = 0;
      return nullptr;
   }
   return text;
}

void _skCreatePageTexture(skAtlasPage* page, const char* path)
{
   page->rendererObject = nullptr;
   page->width = 0;
   page->height = 0;
   if (createTextureFunction)
   {
      createTextureFunction(page, path);
   }
}

void _skDisposePageTexture(skAtlasPage* page)
{
   if (disposeTextureFunction)
   {
      disposeTextureFunction(page);
   }
   page->rendererObject = nullptr;
}
} // namespace Corvale
