// Cuts a bitmap into tiles that OpenGL takes as textures: power-of-two sides of at most 1024,
// with the last used column and row repeated into the padding so linear filtering stays clean.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Allocator;
class Bitmap;

constexpr i32 BITMAP_TILE_SIZE_MAX = 1024;

struct BitmapTile
{
   // Where the tile lies in the source bitmap.
   i32 tileX = 0;
   i32 tileY = 0;
   // Where the used pixels start inside the tile bitmap.
   i32 sourceX = 0;
   i32 sourceY = 0;
   i32 usedWidth = 0;
   i32 usedHeight = 0;
   Bitmap* bitmap = nullptr;
};

enum BitmapSplitResult : i32
{
   BITMAP_SPLIT_FAILED = 0,
   // The bitmap is a texture as it is.
   BITMAP_SPLIT_NONE = 1,
   BITMAP_SPLIT_TILES = 2
};

// Fills tiles (whose bitmaps take their pixels from allocator and are the caller's to destroy)
// unless the bitmap needs no split. On failure tiles is left empty.
BitmapSplitResult BitmapSplit(const Bitmap* bitmap, Allocator* allocator, Table<BitmapTile>* tiles);
// Releases every tile bitmap and empties the table.
void BitmapTilesDestroy(Table<BitmapTile>* tiles);
} // namespace Corvale
