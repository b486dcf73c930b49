// Bitmap storage and pixel operations: clipping of copies and fills, alpha bounds per format,
// blending and premultiplication.
#include "platform/image/Bitmap.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/Allocator.h"
#include "core/Memory.h"

using namespace Corvale;

namespace
{
class BitmapTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite() { Memory::Init(); }

   // A bitmap whose pixel (x, y) has every byte equal to y * 16 + x + 1.
   static void Numbered(Bitmap& bitmap, i32 width, i32 height, i32 format)
   {
      ASSERT_TRUE(bitmap.Init(width, height, format, allocatorDefault));
      for (i32 y = 0; y < height; ++y)
      {
         for (i32 x = 0; x < width; ++x)
         {
            std::vector<u8> pixel(bitmap.PixelSizeGet(), static_cast<u8>(y * 16 + x + 1));
            bitmap.PixelSet(pixel.data(), x, y);
         }
      }
   }

   static u8 ByteAt(const Bitmap& bitmap, i32 x, i32 y) { return *bitmap.PixelAddressGet(x, y); }
};

TEST_F(BitmapTest, InitRefusesBadArgumentsAndSizesFollowTheFormatTable)
{
   Bitmap bitmap;
   EXPECT_FALSE(bitmap.Init(4, 4, 1, nullptr));
   EXPECT_FALSE(bitmap.Init(4, 4, 13, allocatorDefault));
   EXPECT_FALSE(bitmap.Init(0, 4, 1, allocatorDefault));
   EXPECT_FALSE(bitmap.Init(4, -1, 1, allocatorDefault));
   EXPECT_FALSE(bitmap.Init(70000, 70000, 1, allocatorDefault));
   EXPECT_EQ(bitmap.pixels, nullptr);

   const struct
   {
      i32 format, width, height;
      u64 bytes;
      i32 pixelSize;
   } cases[] = {{0, 3, 5, 45, 3}, {1, 3, 5, 60, 4}, {2, 3, 5, 30, 2}, {4, 2, 2, 8, 2},
                {7, 4, 4, 64, 4}, {8, 3, 3, 5, 1},  {11, 1, 1, 3, 3}, {12, 2, 1, 8, 4}};
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.format);
      ASSERT_TRUE(bitmap.Init(c.width, c.height, c.format, allocatorDefault));
      EXPECT_EQ(bitmap.ByteSizeGet(), c.bytes);
      EXPECT_EQ(bitmap.PixelSizeGet(), c.pixelSize);
   }
   bitmap.Free();
   EXPECT_EQ(bitmap.pixels, nullptr);
   EXPECT_EQ(bitmap.width, 0);
}

TEST_F(BitmapTest, CopyClipsBoxesThatHangOffEitherBitmap)
{
   Bitmap source;
   Numbered(source, 8, 8, BITMAP_FORMAT_RGB8);
   const struct
   {
      BitmapBox destination;
      bool hasSource;
      BitmapBox sourceBox;
      // Destination pixel (x, y) expected to hold source pixel (sx, sy); -1 = untouched (zero).
      i32 x, y, sx, sy;
   } cases[] = {
       {{-3, 0, 8, 8}, false, {}, 0, 0, 3, 0},   // left overhang skips source columns
       {{-3, 0, 8, 8}, false, {}, 4, 0, 7, 0},   // ...up to the source's right edge
       {{-3, 0, 8, 8}, false, {}, 5, 0, -1, -1}, // nothing beyond it
       {{0, 0, 8, 8}, true, {-2, -1, 8, 8}, 2, 1, 0, 0},
       {{0, 0, 8, 8}, true, {-2, -1, 8, 8}, 1, 1, -1, -1},
       {{6, 6, 8, 8}, true, {1, 1, 3, 3}, 7, 7, 2, 2},
       {{2, 2, 8, 8}, true, {0, 0, -1, 3}, 2, 2, -1, -1}, // negative width copies nothing
       {{9, 0, 4, 4}, false, {}, 7, 0, -1, -1},           // no overlap copies nothing
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
      Bitmap destination;
      ASSERT_TRUE(destination.Init(8, 8, BITMAP_FORMAT_RGB8, allocatorDefault));
      destination.Clear();
      destination.Copy(&source, &c.destination, c.hasSource ? &c.sourceBox : nullptr, 0);
      u8 expected = c.sx < 0 ? 0 : ByteAt(source, c.sx, c.sy);
      EXPECT_EQ(ByteAt(destination, c.x, c.y), expected);
      destination.Free();
   }
   Bitmap other;
   ASSERT_TRUE(other.Init(8, 8, BITMAP_FORMAT_RGBA8, allocatorDefault));
   other.Clear();
   other.Copy(&source, nullptr, nullptr, 0);
   EXPECT_EQ(ByteAt(other, 0, 0), 0) << "formats differ: nothing is copied";
   other.Free();
   source.Free();
}

TEST_F(BitmapTest, BlendedCopyMixesByAlphaInIntegers)
{
   Bitmap source;
   Bitmap destination;
   ASSERT_TRUE(source.Init(3, 1, BITMAP_FORMAT_RGBA8, allocatorDefault));
   ASSERT_TRUE(destination.Init(3, 1, BITMAP_FORMAT_RGBA8, allocatorDefault));
   const u8 sourcePixels[] = {200, 100, 0, 255, 200, 100, 0, 128, 9, 9, 9, 0};
   const u8 destinationPixels[] = {0, 0, 0, 0, 0, 50, 200, 255, 0, 0, 0, 0};
   std::copy(std::begin(sourcePixels), std::end(sourcePixels), source.pixels);
   std::copy(std::begin(destinationPixels), std::end(destinationPixels), destination.pixels);
   destination.Copy(&source, nullptr, nullptr, Bitmap::COPY_BLEND);
   // Opaque over empty: t = 255, w = 256: (200 * 256 + 0) >> 8.
   EXPECT_EQ((std::vector<u8>(destination.pixels, destination.pixels + 4)),
             (std::vector<u8>{200, 100, 0, 255}));
   // Half over opaque: t = ((255 * 127) >> 8) + 128 = 254, w = (128 << 8) / 254 = 129.
   EXPECT_EQ(destination.pixels[4], (200 * 129 + 0 * 126) >> 8);
   EXPECT_EQ(destination.pixels[5], (100 * 129 + 50 * 126) >> 8);
   EXPECT_EQ(destination.pixels[6], (0 * 129 + 200 * 126) >> 8);
   EXPECT_EQ(destination.pixels[7], 255);
   // Both transparent: left alone.
   EXPECT_EQ(destination.pixels[8], 0);
   source.Free();
   destination.Free();
}

TEST_F(BitmapTest, BoundsFindTheAlphaOfEachFormat)
{
   const struct
   {
      i32 format;
      i32 alphaByte;
      u8 alphaValue;
   } cases[] = {{1, 3, 1}, {6, 3, 9}, {2, 0, 0x01}, {4, 1, 7}};
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.format);
      Bitmap bitmap;
      ASSERT_TRUE(bitmap.Init(10, 8, c.format, allocatorDefault));
      bitmap.Clear();
      EXPECT_EQ(bitmap.BoundsGet(nullptr).width, 0);
      bitmap.PixelAddressGet(2, 3)[c.alphaByte] = c.alphaValue;
      bitmap.PixelAddressGet(6, 5)[c.alphaByte] = c.alphaValue;
      BitmapBox box = bitmap.BoundsGet(nullptr);
      EXPECT_EQ(box.x, 2);
      EXPECT_EQ(box.y, 3);
      EXPECT_EQ(box.width, 5);
      EXPECT_EQ(box.height, 3);
      BitmapBox region{5, -2, 20, 20};
      box = bitmap.BoundsGet(&region);
      EXPECT_EQ(box.x, 6);
      EXPECT_EQ(box.width, 1);
      bitmap.Free();
   }
   // Format 2 keeps alpha in the low four bits of its first byte only.
   Bitmap packed;
   ASSERT_TRUE(packed.Init(2, 2, 2, allocatorDefault));
   packed.Clear();
   packed.pixels[0] = 0xF0;
   EXPECT_EQ(packed.BoundsGet(nullptr).width, 0);
   packed.Free();

   // Format 7: pixel i of a 4x4 tile keeps its alpha in byte 2i of the tile.
   Bitmap tiled;
   ASSERT_TRUE(tiled.Init(8, 8, 7, allocatorDefault));
   tiled.Clear();
   tiled.pixels[64 * 3 + 2 * (1 * 4 + 2)] = 5; // tile (1, 1), pixel (2, 1) -> (6, 5)
   BitmapBox box = tiled.BoundsGet(nullptr);
   EXPECT_EQ(box.x, 6);
   EXPECT_EQ(box.y, 5);
   EXPECT_EQ(box.width, 1);
   tiled.Free();

   // Opaque formats give the clipped region; a region off the bitmap gives an empty box.
   Bitmap opaque;
   ASSERT_TRUE(opaque.Init(10, 8, 0, allocatorDefault));
   BitmapBox region{-4, 2, 6, 100};
   box = opaque.BoundsGet(&region);
   EXPECT_EQ(box.x, 0);
   EXPECT_EQ(box.width, 2);
   EXPECT_EQ(box.height, 6);
   BitmapBox outside{-5, 0, 5, 5};
   EXPECT_EQ(opaque.BoundsGet(&outside).width, 0);
   opaque.Free();
}

TEST_F(BitmapTest, FillClipsAndPixelAccessStaysInside)
{
   Bitmap bitmap;
   ASSERT_TRUE(bitmap.Init(4, 4, BITMAP_FORMAT_RGBA8, allocatorDefault));
   bitmap.Clear();
   const u8 red[4] = {255, 0, 0, 255};
   BitmapBox region{-1, 2, 3, 10};
   bitmap.Fill(red, &region);
   u8 pixel[4] = {};
   bitmap.PixelGet(pixel, 1, 3);
   EXPECT_EQ(pixel[0], 255);
   bitmap.PixelGet(pixel, 2, 3);
   EXPECT_EQ(pixel[0], 0);
   bitmap.PixelGet(pixel, 0, 1);
   EXPECT_EQ(pixel[0], 0);
   BitmapBox negative{0, 0, -1, 4};
   const u8 blue[4] = {0, 0, 255, 255};
   bitmap.Fill(blue, &negative);
   bitmap.PixelGet(pixel, 0, 0);
   EXPECT_EQ(pixel[2], 0);
   // Out-of-range points neither read nor write.
   u8 untouched[4] = {7, 7, 7, 7};
   bitmap.PixelGet(untouched, 4, 0);
   bitmap.PixelSet(blue, -1, 0);
   bitmap.PixelSet(blue, 0, 4);
   EXPECT_EQ(untouched[0], 7);
   bitmap.Free();
}

TEST_F(BitmapTest, PremultiplyTruncatesAndActsOnRGBAOnly)
{
   Bitmap bitmap;
   ASSERT_TRUE(bitmap.Init(2, 1, BITMAP_FORMAT_RGBA8, allocatorDefault));
   const u8 pixels[] = {255, 128, 1, 128, 200, 200, 200, 255};
   std::copy(std::begin(pixels), std::end(pixels), bitmap.pixels);
   bitmap.PremultiplyAlpha();
   EXPECT_EQ((std::vector<u8>(bitmap.pixels, bitmap.pixels + 8)),
             (std::vector<u8>{128, 64, 0, 128, 200, 200, 200, 255}));
   bitmap.Free();

   Bitmap other;
   ASSERT_TRUE(other.Init(1, 1, BITMAP_FORMAT_RGBA8_ALT, allocatorDefault));
   const u8 alt[] = {255, 255, 255, 0};
   std::copy(std::begin(alt), std::end(alt), other.pixels);
   other.PremultiplyAlpha();
   EXPECT_EQ(other.pixels[0], 255);
   other.Free();
}

TEST_F(BitmapTest, CloneCopiesPixelsAndAttachedBuffersAreNotOwned)
{
   Bitmap source;
   Numbered(source, 5, 3, BITMAP_FORMAT_RGB8);
   Bitmap* clone = source.Clone(allocatorDefault, HEAP_DEFAULT);
   ASSERT_NE(clone, nullptr);
   EXPECT_NE(clone->pixels, source.pixels);
   EXPECT_EQ((std::vector<u8>(clone->pixels, clone->pixels + 45)),
             (std::vector<u8>(source.pixels, source.pixels + 45)));
   Bitmap::Destroy(clone);

   Bitmap empty;
   EXPECT_EQ(empty.Clone(allocatorDefault, HEAP_DEFAULT), nullptr);

   std::vector<u8> outside(45, 3);
   Bitmap attached;
   EXPECT_FALSE(attached.PixelsAttach(outside.data(), 44, 5, 3, BITMAP_FORMAT_RGB8));
   ASSERT_TRUE(attached.PixelsAttach(outside.data(), outside.size(), 5, 3, BITMAP_FORMAT_RGB8));
   EXPECT_EQ(attached.allocator, nullptr);
   attached.Free(); // must not free the vector's storage
   EXPECT_EQ(outside[0], 3);
   source.Free();
}
} // namespace
