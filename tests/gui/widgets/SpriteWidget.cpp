// The sprite widget and its child sprite: bounds, per-pixel hits over kept bitmap data, and the
// owner's clip area in point tests.
#include "tests/gui/WidgetTestSupport.h"

#include <cstring>

#include "gui/widgets/WidgetChildSprite.h"
#include "platform/image/Bitmap.h"
#include "platform/image/Image.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/image/Texture.h"

using namespace WidgetTest;

namespace
{
// A one-frame animation over a 4×4 picture whose left half is opaque; keepPixels stands for a
// sprite file with "KeepBitmapData", whose images keep their pixels after upload.
class SpriteWidgetTest : public GUITest
{
 protected:
   void Build(bool keepPixels)
   {
      page.Init(4, 4, BITMAP_FORMAT_RGBA8, allocatorDefault);
      std::memset(page.pixels, 0, 64);
      for (int y = 0; y < 4; y++)
      {
         for (int x = 0; x < 2; x++)
         {
            page.pixels[(y * 4 + x) * 4 + 3] = 255;
         }
      }
      texture.bitmap = keepPixels ? &page : nullptr;
      image.Init(1);
      ImagePart part;
      part.texture = &texture;
      part.width = 4;
      part.height = 4;
      image.PartSet(part, 0);
      SpriteAnimationFrame frame;
      frame.image = &image;
      animation.frames.Insert(frame, 0);
      animation.duration = 1;
   }

   void TearDown() override
   {
      texture.bitmap = nullptr;
      image.Clear();
      page.Free();
      GUITest::TearDown();
   }

   // The animation is the fixture's, not a sprite file's: the sprite lets go of it by hand.
   void Destroy(SpriteWidget* widget)
   {
      widget->SpriteGet()->animation = nullptr;
      WidgetDestroy(widget);
   }

   Bitmap page;
   Texture texture;
   Image image;
   SpriteAnimation animation;
};

TEST_F(SpriteWidgetTest, PerPixelHitsFollowTheKeptPixelsAndTheClipArea)
{
   Build(true);
   struct Case
   {
      const char* json;
      float x, y;
      bool hit;
   };
   const Case cases[] = {
       {R"({"Bounds": "0|0|4|4", "PointTestPerPixel": true})", 1, 1, true},
       {R"({"Bounds": "0|0|4|4", "PointTestPerPixel": true})", 3, 1, false},
       {R"({"Bounds": "0|0|4|4"})", 3, 1, true},
       {R"({"Bounds": "0|0|4|4", "PointTestPerPixel": true, "ClipArea": "2|0|2|4"})", 1, 1, false},
       // Clipping left out of the drawing still limits the point test.
       {R"({"Bounds": "0|0|4|4", "ClippingAffectsDrawing": false, "ClipArea": "2|0|2|4"})", 1, 1, false},
       {R"({"Bounds": "0|0|4|4", "Visible": false})", 1, 1, false},
   };
   for (const Case& c : cases)
   {
      SpriteWidget* widget = Make<SpriteWidget>(c.json);
      widget->SpriteGet()->AnimationSet(&animation);
      EXPECT_EQ(widget->WidgetAtPointGet(Point2F{c.x, c.y}) == widget, c.hit) << c.json;
      Destroy(widget);
   }
}

TEST_F(SpriteWidgetTest, WithoutKeptPixelsTheWholeFrameCounts)
{
   Build(false);
   SpriteWidget* widget = Make<SpriteWidget>(R"({"Bounds": "0|0|4|4", "PointTestPerPixel": true})");
   widget->SpriteGet()->AnimationSet(&animation);
   EXPECT_EQ(widget->WidgetAtPointGet(Point2F{3, 1}), widget);
   Destroy(widget);
}

TEST_F(SpriteWidgetTest, ChildSpriteIsPlacedRelativeToItsOwner)
{
   ContainerWidget* parent = Make<ContainerWidget>(R"({"PositionOffset": "10|20"})");
   SpriteWidget* widget = Make<SpriteWidget>(R"({"PositionOffset": "5|5", "Bounds": "0|0|10|10"})", parent);
   ValuePointer spec = TextParse(R"({"Position": "30|30"})");
   WidgetChildSprite child;
   child.Init("Child", spec.get(), widget);
   EXPECT_FLOAT_EQ(child.position.x, 15.0f);
   EXPECT_FLOAT_EQ(child.position.y, 5.0f);
   spec = TextParse(R"({"PositionOffset": "1|2"})");
   child.Init("Child", spec.get(), widget);
   EXPECT_FLOAT_EQ(child.position.y, 2.0f);
   EXPECT_FALSE(child.PointTest(Point2F{1, 2})) << "no animation, no hit";
   child.Deinit();

   // Without "Animation" and "Bounds" a sprite widget is empty and cannot be hit.
   SpriteWidget* empty = Make<SpriteWidget>("{}", parent);
   Box2F box = empty->BoundsGet();
   EXPECT_EQ(box.width, 0.0f);
   EXPECT_EQ(empty->AnimationBoundsGet().width, 0.0f);
   EXPECT_EQ(empty->WidgetAtPointGet(Point2F{10, 20}), nullptr);
   WidgetDestroy(empty);
   WidgetDestroy(widget);
   WidgetDestroy(parent);
}
} // namespace
