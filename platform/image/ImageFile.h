// Reading of the packed art files: ".tex" (one texture) and ".img" (one image of several
// textures), both a u32 uncompressed size followed by a raw deflate stream.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Allocator;
class FileManager;

// One texture of an ".img" file, its pixels pointing into the decompressed block.
struct ImageFileEntry
{
   u32 textureWidth = 0;
   u32 textureHeight = 0;
   float offsetX = 0.0f;
   float offsetY = 0.0f;
   float sourceX = 0.0f;
   float sourceY = 0.0f;
   float sourceWidth = 0.0f;
   float sourceHeight = 0.0f;
   u32 pixelSize = 0;
   u8* pixels = nullptr;
};

// Reads path (searched along the graphics paths) and inflates it into a block from allocator;
// null when the file is missing or damaged, inflates to more than its stored size, or stores a
// size that its stream could not produce or that is beyond any image's (with a log line).
u8* CompressedFileRead(const char* path, Allocator* allocator, FileManager* fileManager, u32* sizeOut);

// The header and pixels of a decompressed ".tex" block; false (with a log line) when the
// header's sizes don't fit the block.
bool TextureFileParse(u8* block, u32 size, i32* format, i32* width, i32* height, u8** pixels);

// Walks the entries of a decompressed ".img" block in order; an entry that runs past the block,
// holds fewer pixel bytes than its size needs, or whose rectangle is not finite, not inside its
// texture or has a negative size, is refused with a log line.
class ImageFileReader
{
 public:
   bool Open(u8* block, u32 size);
   i32 CountGet() const { return count; }
   i32 FormatGet() const { return format; }
   // The next entry; false at the end or on damage.
   bool Next(ImageFileEntry* entry);

 private:
   u8* block = nullptr;
   u32 size = 0;
   u32 position = 0;
   i32 count = 0;
   i32 format = 0;
   i32 index = 0;
};
} // namespace Corvale
