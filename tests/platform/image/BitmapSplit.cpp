// Splitting bitmaps into power-of-two texture tiles: the grid, the padding and edge repeats.
#include "platform/image/BitmapSplit.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/Allocator.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"

using namespace Corvale;

namespace
{
class BitmapSplitTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite() { Memory::Init(); }

   void TearDown() override
   {
      BitmapTilesDestroy(&tiles);
      bitmap.Free();
   }

   void Make(i32 width, i32 height, i32 format)
   {
      ASSERT_TRUE(bitmap.Init(width, height, format, allocatorDefault));
      for (u64 i = 0; i < bitmap.ByteSizeGet(); ++i)
      {
         bitmap.pixels[i] = static_cast<u8>(i % 251 + 1);
      }
   }

   Bitmap bitmap;
   Table<BitmapTile> tiles{allocatorDefault};
};

TEST_F(BitmapSplitTest, PowerOfTwoTexturesNeedNoSplitAndBadArgumentsFail)
{
   Make(1024, 16, BITMAP_FORMAT_RGBA8);
   EXPECT_EQ(BitmapSplit(&bitmap, allocatorDefault, &tiles), BITMAP_SPLIT_NONE);
   EXPECT_EQ(tiles.count, 0);
   EXPECT_EQ(BitmapSplit(nullptr, allocatorDefault, &tiles), BITMAP_SPLIT_FAILED);
   EXPECT_EQ(BitmapSplit(&bitmap, nullptr, &tiles), BITMAP_SPLIT_FAILED);
}

TEST_F(BitmapSplitTest, SmallArtGetsOnePaddedTileWithItsEdgesRepeated)
{
   Make(3, 5, BITMAP_FORMAT_RGB8);
   ASSERT_EQ(BitmapSplit(&bitmap, allocatorDefault, &tiles), BITMAP_SPLIT_TILES);
   ASSERT_EQ(tiles.count, 1);
   const BitmapTile& tile = tiles[0];
   EXPECT_EQ(tile.bitmap->width, 4);
   EXPECT_EQ(tile.bitmap->height, 8);
   EXPECT_EQ(tile.usedWidth, 3);
   EXPECT_EQ(tile.usedHeight, 5);
   EXPECT_EQ(*tile.bitmap->PixelAddressGet(1, 2), *bitmap.PixelAddressGet(1, 2));
   EXPECT_EQ(*tile.bitmap->PixelAddressGet(3, 2), *bitmap.PixelAddressGet(2, 2)) << "column repeated";
   EXPECT_EQ(*tile.bitmap->PixelAddressGet(1, 5), *bitmap.PixelAddressGet(1, 4)) << "row repeated";
   EXPECT_EQ(*tile.bitmap->PixelAddressGet(3, 5), *bitmap.PixelAddressGet(2, 4)) << "corner repeated";
   EXPECT_EQ(*tile.bitmap->PixelAddressGet(3, 7), 0) << "the rest stays clear";
}

TEST_F(BitmapSplitTest, LargeArtIsCutIntoAGridOfPowerOfTwoTiles)
{
   // 1300 = 1024 + 256 + 32 across; 20 down gives one tile of 32.
   Make(1300, 20, BITMAP_FORMAT_RGBA8);
   ASSERT_EQ(BitmapSplit(&bitmap, allocatorDefault, &tiles), BITMAP_SPLIT_TILES);
   ASSERT_EQ(tiles.count, 3);
   const i32 expectedX[] = {0, 1024, 1280};
   const i32 expectedWidth[] = {1024, 256, 32};
   const i32 expectedUsed[] = {1024, 256, 20};
   for (i32 i = 0; i < 3; ++i)
   {
      SCOPED_TRACE(i);
      EXPECT_EQ(tiles[i].tileX, expectedX[i]);
      EXPECT_EQ(tiles[i].tileY, 0);
      EXPECT_EQ(tiles[i].bitmap->width, expectedWidth[i]);
      EXPECT_EQ(tiles[i].bitmap->height, 32);
      EXPECT_EQ(tiles[i].usedWidth, expectedUsed[i]);
      EXPECT_EQ(tiles[i].usedHeight, 20);
      u8 first[4];
      u8 source[4];
      tiles[i].bitmap->PixelGet(first, 0, 19);
      bitmap.PixelGet(source, expectedX[i], 19);
      EXPECT_EQ(std::vector<u8>(first, first + 4), std::vector<u8>(source, source + 4));
   }
   u8 repeated[4];
   u8 edge[4];
   tiles[2].bitmap->PixelGet(repeated, 20, 20);
   bitmap.PixelGet(edge, 1299, 19);
   EXPECT_EQ(std::vector<u8>(repeated, repeated + 4), std::vector<u8>(edge, edge + 4));
}

TEST_F(BitmapSplitTest, AxesOfUpToEightPixelsGetOneTileOfEight)
{
   Make(2100, 3, BITMAP_FORMAT_LUMINANCE_ALPHA8);
   ASSERT_EQ(BitmapSplit(&bitmap, allocatorDefault, &tiles), BITMAP_SPLIT_TILES);
   ASSERT_EQ(tiles.count, 3);
   EXPECT_EQ(tiles[2].tileX, 2048);
   EXPECT_EQ(tiles[2].bitmap->width, 64);
   EXPECT_EQ(tiles[2].usedWidth, 52);
   EXPECT_EQ(tiles[2].bitmap->height, 8);
   // Luminance-alpha art gets no edge repeat.
   EXPECT_EQ(*tiles[2].bitmap->PixelAddressGet(52, 0), 0);
}
} // namespace
