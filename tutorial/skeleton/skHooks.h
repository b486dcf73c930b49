// The runtime's only ways out to its host: memory, whole-file reads and page textures, each
// through a pointer the host sets, so that the runtime knows nothing of the engine.
#pragma once

#include <cstddef>

#include "core/Types.h"

namespace Corvale
{
struct skAtlasPage;

typedef void* (*skMallocFunction)(size_t size);
typedef void* (*skDebugMallocFunction)(size_t size, const char* file, int line);
typedef void (*skFreeFunction)(void* block);
// The whole file in a block from the allocation hook, exactly its bytes; null and length 0 when
// it can't be read.
typedef char* (*skReadFileFunction)(const char* path, i32* length);
// Sets the page's renderer object, width and height; null, 0, 0 when the texture can't be made.
typedef void (*skCreateTextureFunction)(skAtlasPage* page, const char* path);
typedef void (*skDisposeTextureFunction)(skAtlasPage* page);

// Allocation starts on the C library; files and textures fail until the host sets them.
void skHooks_setMalloc(skMallocFunction function);
// Used instead of the allocation function while set; null clears it.
void skHooks_setDebugMalloc(skDebugMallocFunction function);
void skHooks_setFree(skFreeFunction function);
void skHooks_setReadFile(skReadFileFunction function);
void skHooks_setCreateTexture(skCreateTextureFunction function);
void skHooks_setDisposeTexture(skDisposeTextureFunction function);

// Every runtime allocation: null when the hook fails or the size overflows. Calloc zero-fills.
void* _skMalloc(size_t size, const char* file, int line);
void* _skCalloc(size_t count, size_t size, const char* file, int line);
// A record count as a size; a negative count becomes one too large to allocate.
inline size_t _skCount(i64 count)
{
   return count < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(count);
}
void _skFree(void* block);
// Private copies of texts; null for a null text or a failed allocation.
char* _skCopyString(const char* text);
char* _skCopyStringN(const char* text, size_t length);

// Through the host's hooks: without them a file reads as missing and a page gets no texture.
char* _skReadFile(const char* path, i32* length);
void _skCreatePageTexture(skAtlasPage* page, const char* path);
void _skDisposePageTexture(skAtlasPage* page);
} // namespace Corvale

// COUNT zero-filled records of TYPE; null for a negative or overflowing count.
#define SK_ALLOC(TYPE, COUNT)                                                                                \
   static_cast<TYPE*>(::Corvale::_skCalloc(::Corvale::_skCount(COUNT), sizeof(TYPE), __FILE__, __LINE__))
#define SK_FREE(BLOCK) ::Corvale::_skFree(BLOCK)

namespace Corvale
{
// A zero-filled record of a type with a name field, holding a private copy of name; null when
// either allocation fails.
template <class T> T* _skNamedCreate(const char* name)
{
   T* self = SK_ALLOC(T, 1);
   if (self)
   {
      self->name = _skCopyString(name);
      if (!self->name)
      {
         SK_FREE(self);
         return nullptr;
      }
   }
   return self;
}
} // namespace Corvale
