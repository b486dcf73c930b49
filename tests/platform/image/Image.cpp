// Image geometry without a GL context: the quad of each part, bounds, sub-images, hit tests.
#include "platform/image/Image.h"

#include <gtest/gtest.h>

#include "core/Allocator.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/Texture.h"

using namespace Corvale;

namespace
{
class ImageTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite() { Memory::Init(); }

   void SetUp() override
   {
      page.width = 256;
      page.height = 256;
      page.format = BITMAP_FORMAT_RGBA8;
      texture.bitmap = &page;
   }

   static ImagePart Part(Texture* texture, float sx, float sy, float w, float h, float ox, float oy)
   {
      ImagePart part;
      part.texture = texture;
      part.sourceX = sx;
      part.sourceY = sy;
      part.width = w;
      part.height = h;
      part.offsetX = ox;
      part.offsetY = oy;
      return part;
   }

   Bitmap page;
   Texture texture;
};

TEST_F(ImageTest, APartBecomesOneQuadInTopLeftBottomLeftTopRightBottomRightOrder)
{
   float v[20];
   ASSERT_TRUE(Image::PartQuadGet(Part(&texture, 0, 0, 64, 32, 0, 0), nullptr, Point2F{10, 20}, 0.5f, v));
   const float expected[20] = {10, 20, 0.5f, 0,     0, 10, 52, 0.5f, 0,     0.125f,
                               74, 20, 0.5f, 0.25f, 0, 74, 52, 0.5f, 0.25f, 0.125f};
   for (int i = 0; i < 20; ++i)
   {
      EXPECT_FLOAT_EQ(v[i], expected[i]) << i;
   }
   // A region keeps only the overlap, with texture coordinates cut to match.
   Box2F region{16, 8, 100, 100};
   ASSERT_TRUE(Image::PartQuadGet(Part(&texture, 128, 0, 64, 32, 0, 0), &region, Point2F{0, 0}, 0, v));
   EXPECT_FLOAT_EQ(v[0], 16);
   EXPECT_FLOAT_EQ(v[1], 8);
   EXPECT_FLOAT_EQ(v[3], (128 + 16) / 256.0f);
   EXPECT_FLOAT_EQ(v[9], 32 / 256.0f);
   Box2F outside{100, 100, 5, 5};
   EXPECT_FALSE(Image::PartQuadGet(Part(&texture, 0, 0, 64, 32, 0, 0), &outside, Point2F{}, 0, v));
   EXPECT_FALSE(Image::PartQuadGet(Part(nullptr, 0, 0, 64, 32, 0, 0), nullptr, Point2F{}, 0, v));
}

TEST_F(ImageTest, BoundsAreTheUnionOfThePartsAndSubImagesCutAndShareTextures)
{
   Image image;
   ASSERT_TRUE(image.Init(3));
   image.PartSet(Part(&texture, 0, 0, 10, 10, 0, 0), 0);
   image.PartSet(Part(&texture, 0, 0, 10, 10, 20, 5), 1);
   image.PartSet(Part(&texture, 0, 0, 0, 10, 100, 100), 2);
   Box2F bounds = image.BoundsGet();
   EXPECT_FLOAT_EQ(bounds.x, 0);
   EXPECT_FLOAT_EQ(bounds.y, 0);
   EXPECT_FLOAT_EQ(bounds.width, 30);
   EXPECT_FLOAT_EQ(bounds.height, 15);

   Image* sub = Image::SubImageCreate(&image, Box2F{5, 0, 20, 20}, Point2F{1, 1});
   ASSERT_NE(sub, nullptr);
   ASSERT_EQ(sub->partCount, 2);
   EXPECT_FLOAT_EQ(sub->parts[0].sourceX, 5);
   EXPECT_FLOAT_EQ(sub->parts[0].width, 5);
   EXPECT_FLOAT_EQ(sub->parts[0].offsetX, 0 + 1 + 5);
   EXPECT_EQ(sub->parts[0].ownsTexture, 0);
   EXPECT_EQ(sub->parts[1].texture, &texture);
   sub->Clear();
   MemoryDelete(sub);
   EXPECT_EQ(Image::SubImageCreate(&image, Box2F{500, 500, 1, 1}, Point2F{}), nullptr);
   image.Clear();
}

TEST_F(ImageTest, HitsFollowTheAlphaOfKeptPixels)
{
   ASSERT_TRUE(page.Init(4, 4, BITMAP_FORMAT_RGBA8, allocatorDefault));
   page.Clear();
   page.PixelAddressGet(2, 1)[3] = 255;
   Image image;
   ASSERT_TRUE(image.Init(1));
   image.PartSet(Part(&texture, 0, 0, 4, 4, 10, 10), 0);
   EXPECT_TRUE(image.HitCheck(Point2F{12.5f, 11.2f}));
   EXPECT_FALSE(image.HitCheck(Point2F{11, 11}));
   EXPECT_FALSE(image.HitCheck(Point2F{14, 11})) << "the end edge is outside";
   Box2F visible;
   image.VisibleBoundsGet(&visible, nullptr);
   EXPECT_FLOAT_EQ(visible.x, 12);
   EXPECT_FLOAT_EQ(visible.y, 11);
   EXPECT_FLOAT_EQ(visible.width, 1);
   page.PixelsRelease();
   EXPECT_TRUE(image.HitCheck(Point2F{11, 11})) << "without pixels the box decides";
   image.Clear();
}
} // namespace
