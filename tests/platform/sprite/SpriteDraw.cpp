// Sprites with real images under a GL context: sheet cells, named origins, bounds, hit tests
// and the drawn frame with position, scale and clipping.
#include "tests/platform/SpriteTestSupport.h"

#include "platform/image/Image.h"
#include "platform/sprite/Sprite.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "tests/platform/BitmapTestSupport.h"

using namespace Corvale;
using sprite_test_support::DrawingTest;
using sprite_test_support::Pixel;
using testing_support::LogCapture;

namespace
{
class SpriteDrawTest : public DrawingTest
{
 protected:
   void SetUp() override
   {
      DrawingTest::SetUp();
      // Eight 64 x 64 cells, four to a row; the red channel tells the cell (20 per index), and a
      // transparent column on the left of each cell shows up in the hit tests.
      PNGWrite("Graphics/Pictures/Sheet.png", 256, 128,
               [](int x, int y, u8* p)
               {
                  if (x % 64 == 0)
                  {
                     return;
                  }
                  int cell = (y / 64) * 4 + x / 64;
                  p[0] = static_cast<u8>(20 * (cell + 1));
                  p[1] = 255;
                  p[2] = 0;
                  p[3] = 255;
               });
      PNGWrite("Graphics/Pictures/Box.png", 40, 20, [](int, int, u8* p) { p[0] = p[1] = p[2] = p[3] = 255; });
      TextWrite("Graphics/Sprites/Draw.json", R"({
        "Cell5": {"Filename": "Pictures/Sheet", "FrameSize": "64|64", "FrameCount": 6, "KeepBitmapData": true},
        "Sequence6": {"Filename": "Pictures/Sheet", "FrameSize": "64|64", "ImageSequence": [6, 30, 1]},
        "TooWide": {"Filename": "Pictures/Sheet", "FrameSize": "300|64"},
        "SizeHuge": {"Filename": "Pictures/Sheet", "FrameSize": "1e30|1e30"},
        "SizeTiny": {"Filename": "Pictures/Sheet", "FrameSize": "1e-30|1e-30", "FrameCount": 2},
        "SequenceLowest": {"Filename": "Pictures/Sheet", "FrameSize": "64|64", "ImageSequence": [-2147483648, 6]},
        "Centered": {"Filename": "Pictures/Box", "Origin": "Center"},
        "BottomRight": {"Filename": "Pictures/Box", "Origin": "BottomRight", "FrameCount": 1},
        "Offset": {"Filename": "Pictures/Box", "Offset": "10|5"}
      })");
   }
   void TearDown() override
   {
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a sprite resource file was left";
      DrawingTest::TearDown();
   }
};

void ExpectPixel(const Pixel& seen, const Pixel& wanted, const char* what)
{
   EXPECT_NEAR(seen.r, wanted.r, 2) << what;
   EXPECT_NEAR(seen.g, wanted.g, 2) << what;
   EXPECT_NEAR(seen.b, wanted.b, 2) << what;
}

TEST_F(SpriteDrawTest, SheetCellsAreCutRowByRowAndMovedToTheOrigin)
{
   LogCapture log;
   SpriteAnimation* cells = SpriteManager::AnimationGet("Sprites/Draw", "Cell5");
   ASSERT_NE(cells, nullptr);
   ASSERT_EQ(cells->frames.count, 6);
   Image* cell5 = cells->frames[5].image;
   ASSERT_NE(cell5, nullptr);
   ASSERT_EQ(cell5->partCount, 1);
   EXPECT_FLOAT_EQ(cell5->parts[0].sourceX, 64);
   EXPECT_FLOAT_EQ(cell5->parts[0].sourceY, 64);
   Box2F bounds = cell5->BoundsGet();
   EXPECT_FLOAT_EQ(bounds.x, 0);
   EXPECT_FLOAT_EQ(bounds.y, 0);
   EXPECT_FLOAT_EQ(bounds.width, 64);
   EXPECT_NE(cells->frames[5].sheetImage, nullptr);

   // Cell 30 lies outside the sheet and gives no frame.
   SpriteAnimation* sequence = SpriteManager::AnimationGet("Sprites/Draw", "Sequence6");
   ASSERT_EQ(sequence->frames.count, 2);
   EXPECT_FLOAT_EQ(sequence->frames[0].image->parts[0].sourceX, 64);
   EXPECT_FLOAT_EQ(sequence->frames[0].image->parts[0].sourceY, 64);
   EXPECT_EQ(sequence->frames[1].startTime, 66u);

   SpriteAnimation* wide = SpriteManager::AnimationGet("Sprites/Draw", "TooWide");
   EXPECT_EQ(wide->frames.count, 0);
   EXPECT_TRUE(log.Has("SpriteAnimation::FrameLoad -- frame size is too wide for this image.  frame size: "
                       "(300,64), image size: (256,128), image filename: Pictures/Sheet"));

   // Hits follow the kept pixels of the cell: its first column is transparent.
   EXPECT_TRUE(cells->PointTest(Point2F{10, 10}));
   EXPECT_FALSE(cells->PointTest(Point2F{0.5f, 10}));
   EXPECT_FALSE(cells->PointTest(Point2F{70, 10}));

   for (SpriteAnimation* animation : {cells, sequence, wide})
   {
      SpriteManager::AnimationRelease(animation);
   }
}

TEST_F(SpriteDrawTest, SheetValuesBeyondAnyConversionAreRefusedWithOneLine)
{
   const struct
   {
      const char* animation;
      i32 frames;
      const char* message;
   } cases[] = {
       {"SizeHuge", 0,
        "frame size is too wide for this image.  frame size: (2147483647,2147483647), image size: (256,128)"},
       {"SizeTiny", 0, "SpriteAnimation::FrameLoad -- frame size is too small.  frame size: (1e-30,1e-30)"},
       // The lowest cell number has no cell before it: that frame is left out, the next is cell 5.
       {"SequenceLowest", 1, nullptr},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.animation);
      LogCapture log;
      SpriteAnimation* animation = SpriteManager::AnimationGet("Sprites/Draw", c.animation);
      ASSERT_NE(animation, nullptr);
      EXPECT_EQ(animation->frames.count, c.frames);
      if (c.message)
      {
         EXPECT_TRUE(log.Has(c.message)) << log.text;
      }
      else
      {
         EXPECT_FLOAT_EQ(animation->frames[0].image->parts[0].sourceX, 64);
      }
      SpriteManager::AnimationRelease(animation);
   }
}

TEST_F(SpriteDrawTest, NamedOriginsAndOffsetsMoveTheBounds)
{
   const struct
   {
      const char* animation;
      Box2F bounds;
   } cases[] = {
       {"Centered", {-20, -10, 40, 20}},
       {"BottomRight", {-40, -20, 40, 20}},
       {"Offset", {10, 5, 40, 20}},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.animation);
      SpriteAnimation* animation = SpriteManager::AnimationGet("Sprites/Draw", c.animation);
      ASSERT_NE(animation, nullptr);
      Box2F bounds = animation->BoundsGet();
      EXPECT_FLOAT_EQ(bounds.x, c.bounds.x);
      EXPECT_FLOAT_EQ(bounds.y, c.bounds.y);
      EXPECT_FLOAT_EQ(bounds.width, c.bounds.width);
      EXPECT_FLOAT_EQ(bounds.height, c.bounds.height);
      EXPECT_FLOAT_EQ(animation->SizeGet().x, 40);
      EXPECT_TRUE(animation->PointTest(Point2F{c.bounds.x + 1, c.bounds.y + 1}));
      EXPECT_FALSE(animation->PointTest(Point2F{c.bounds.x - 1, c.bounds.y + 1}));
      SpriteManager::AnimationRelease(animation);
   }
}

TEST_F(SpriteDrawTest, SpritesDrawAtTheirPlaceScaledRotatedAndClipped)
{
   Sprite sprite;
   sprite.Reset();
   sprite.Init("Sprites/Draw", "Centered");
   sprite.position = Point2F{100, 100};
   sprite.Draw();

   Sprite scaled;
   scaled.Reset();
   scaled.Init("Sprites/Draw", "Centered");
   scaled.position = Point2F{300, 100};
   scaled.scale = Point2F{2, 3};
   scaled.color = ColorRGBA8{255, 0, 0, 255};
   scaled.Draw();

   // A quarter turn stands the 40 x 20 box upright.
   Sprite turned;
   turned.Reset();
   turned.Init("Sprites/Draw", "Centered");
   turned.position = Point2F{500, 100};
   turned.rotation = 90;
   turned.Draw();

   // Clipped to the box's right half, in the sprite's own coordinates.
   Sprite clipped;
   clipped.Reset();
   clipped.Init("Sprites/Draw", "Centered");
   clipped.position = Point2F{700, 100};
   clipped.clipEnabled = 1;
   clipped.clip = Box2F{0, -10, 20, 20};
   clipped.Draw();

   Sprite hidden;
   hidden.Reset();
   hidden.Init("Sprites/Draw", "Centered");
   hidden.position = Point2F{100, 300};
   hidden.visible = 0;
   hidden.Draw();

   const std::vector<u8> frame = Frame();
   const Pixel white{255, 255, 255};
   const Pixel black{0, 0, 0};
   ExpectPixel(At(frame, 81, 91), white, "top-left corner of the centred box");
   ExpectPixel(At(frame, 119, 109), white, "bottom-right corner");
   ExpectPixel(At(frame, 79, 100), black, "left of the box");
   ExpectPixel(At(frame, 100, 111), black, "below the box");
   ExpectPixel(At(frame, 261, 71), Pixel{255, 0, 0}, "scaled box, top-left");
   ExpectPixel(At(frame, 338, 128), Pixel{255, 0, 0}, "scaled box, bottom-right");
   ExpectPixel(At(frame, 342, 100), black, "right of the scaled box");
   ExpectPixel(At(frame, 500, 81), white, "upright box, top");
   ExpectPixel(At(frame, 500, 118), white, "upright box, bottom");
   ExpectPixel(At(frame, 485, 100), black, "upright box is narrow");
   ExpectPixel(At(frame, 710, 100), white, "clipped box keeps its right half in place");
   ExpectPixel(At(frame, 690, 100), black, "clipped box loses its left half");
   ExpectPixel(At(frame, 100, 300), black, "hidden sprite");
   EXPECT_EQ(screen.matrixStack.count, 1) << "every push is popped";

   for (Sprite* s : {&sprite, &scaled, &turned, &clipped, &hidden})
   {
      s->Deinit();
   }
}
} // namespace
