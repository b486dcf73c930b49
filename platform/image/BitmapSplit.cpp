// Splitting of art larger than a texture, or not of power-of-two size, into texture tiles.
#include "platform/image/BitmapSplit.h"

#include <cstring>
#include <vector>

#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapManagerDefault.h"

namespace Corvale
{
namespace
{
i32 PowerOfTwoAtLeast(i32 n)
{
   i32 power = 1;
   while (power < n && power < (1 << 30))
   {
      power <<= 1;
   }
   return power;
}

bool PowerOfTwoCheck(i32 n)
{
   return n > 0 && (n & (n - 1)) == 0;
}

bool PaddingFormatCheck(i32 format)
{
   return format == 0 || format == 1 || format == 5 || format == 6;
}

struct AxisPiece
{
   i32 start;
   i32 size;
};

// One axis cut on its own: 1024s while they fit, then 512 and 256, then the smallest power of
// two (at least 8) that holds the rest.
std::vector<AxisPiece> AxisCut(i32 extent)
{
   std::vector<AxisPiece> pieces;
   if (extent <= 8)
   {
      pieces.push_back({0, 8});
      return pieces;
   }
   i32 position = 0;
   for (i32 size = BITMAP_TILE_SIZE_MAX; size >= 256; size /= 2)
   {
      while (extent - position >= size)
      {
         pieces.push_back({position, size});
         position += size;
      }
   }
   i32 rest = extent - position;
   if (rest > 0)
   {
      pieces.push_back({position, PowerOfTwoAtLeast(rest < 8 ? 8 : rest)});
   }
   return pieces;
}

// Repeats the last used column and row into the padding beside them.
void EdgesRepeat(Bitmap* tile, i32 usedWidth, i32 usedHeight)
{
   if (!PaddingFormatCheck(tile->format))
   {
      return;
   }
   i32 pixelSize = tile->PixelSizeGet();
   if (usedWidth < tile->width)
   {
      for (i32 y = 0; y < usedHeight; ++y)
      {
         std::memcpy(tile->PixelAddressGet(usedWidth, y), tile->PixelAddressGet(usedWidth - 1, y), pixelSize);
      }
   }
   if (usedHeight < tile->height)
   {
      i32 rowWidth = usedWidth < tile->width ? usedWidth + 1 : usedWidth;
      std::memcpy(tile->PixelAddressGet(0, usedHeight), tile->PixelAddressGet(0, usedHeight - 1),
                  static_cast<size_t>(rowWidth) * pixelSize);
   }
}

Bitmap* TileMake(const Bitmap* source, Allocator* allocator, i32 x, i32 y, i32 width, i32 height,
                 i32 usedWidth, i32 usedHeight)
{
   Bitmap* tile = BitmapManagerDefault::BitmapCreate(source->format, HEAP_DEFAULT);
   if (!tile)
   {
      return nullptr;
   }
   if (!tile->Init(width, height, source->format, allocator))
   {
      Bitmap::Destroy(tile);
      return nullptr;
   }
   tile->Clear();
   BitmapBox from{x, y, usedWidth, usedHeight};
   BitmapBox to{0, 0, usedWidth, usedHeight};
   tile->Copy(source, &to, &from, 0);
   EdgesRepeat(tile, usedWidth, usedHeight);
   return tile;
}
} // namespace

BitmapSplitResult BitmapSplit(const Bitmap* bitmap, Allocator* allocator, Table<BitmapTile>* tiles)
{
   if (!bitmap || !allocator || !tiles || !bitmap->pixels || bitmap->width <= 0 || bitmap->height <= 0)
   {
      return BITMAP_SPLIT_FAILED;
   }
   i32 width = bitmap->width;
   i32 height = bitmap->height;
   if (width <= BITMAP_TILE_SIZE_MAX && height <= BITMAP_TILE_SIZE_MAX && PowerOfTwoCheck(width) &&
       PowerOfTwoCheck(height))
   {
      return BITMAP_SPLIT_NONE;
   }

   i32 paddedWidth = PowerOfTwoAtLeast(width);
   i32 paddedHeight = PowerOfTwoAtLeast(height);
   if (paddedWidth <= 256 && paddedHeight <= 256)
   {
      BitmapTile tile;
      tile.usedWidth = width;
      tile.usedHeight = height;
      tile.bitmap = TileMake(bitmap, allocator, 0, 0, paddedWidth, paddedHeight, width, height);
      if (!tile.bitmap || !tiles->Insert(tile, tiles->count))
      {
         Bitmap::Destroy(tile.bitmap);
         return BITMAP_SPLIT_FAILED;
      }
      return BITMAP_SPLIT_TILES;
   }

   std::vector<AxisPiece> columns = AxisCut(width);
   std::vector<AxisPiece> rows = AxisCut(height);
   for (const AxisPiece& row : rows)
   {
      for (const AxisPiece& column : columns)
      {
         BitmapTile tile;
         tile.tileX = column.start;
         tile.tileY = row.start;
         tile.usedWidth = column.size < width - column.start ? column.size : width - column.start;
         tile.usedHeight = row.size < height - row.start ? row.size : height - row.start;
         tile.bitmap = TileMake(bitmap, allocator, column.start, row.start, column.size, row.size,
                                tile.usedWidth, tile.usedHeight);
         if (!tile.bitmap || !tiles->Insert(tile, tiles->count))
         {
            Bitmap::Destroy(tile.bitmap);
            BitmapTilesDestroy(tiles);
            return BITMAP_SPLIT_FAILED;
         }
      }
   }
   return BITMAP_SPLIT_TILES;
}

void BitmapTilesDestroy(Table<BitmapTile>* tiles)
{
   if (!tiles)
   {
      return;
   }
   for (i32 i = 0; i < tiles->count; ++i)
   {
      Bitmap::Destroy((*tiles)[i].bitmap);
   }
   // Assigning an empty table frees the buffer and keeps the allocator.
   *tiles = Table<BitmapTile>(tiles->allocator);
}
} // namespace Corvale
