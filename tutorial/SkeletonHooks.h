// The engine's side of the skeletal-animation runtime: its memory from the engine heaps, its
// files along the graphics paths and its page textures from the texture manager.
#pragma once

#include <cstddef>

#include "core/Types.h"

namespace Corvale
{
struct skAtlasPage;

// A block of the default heap (alignment 4 asked for); null when it can't be had.
void* SkeletonAllocate(size_t size);
// Frees a block of SkeletonAllocate; nothing for null or before the memory system is up.
void SkeletonFree(void* block);
// The whole file found along the graphics paths, exactly its bytes and no terminator, in a
// block of the runtime's allocation hook; null and length 0 when it can't be read.
char* _skUtil_readFile(const char* path, i32* length);
// The page's texture from its image path (the extension cut off) and its size from the
// texture's image; null, 0, 0 when it can't be loaded.
void _skAtlasPage_createTexture(skAtlasPage* page, const char* path);
// Gives the page's texture reference back; the last one destroys the texture.
void _skAtlasPage_disposeTexture(skAtlasPage* page);

// Installs all of the above as the runtime's hooks, once at start-up.
void SkeletonHooksInstall();
} // namespace Corvale
