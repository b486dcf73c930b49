// The custom cursor drawn under a GL context: a sprite (or an image) at its mouse's position,
// and nothing for a disabled cursor, a hidden or absent mouse, or a mouse index out of range.
#include "platform/input/MouseCursor.h"

#include "platform/image/Image.h"
#include "platform/input/MouseManager.h"
#include "platform/sprite/Sprite.h"
#include "platform/sprite/SpriteManager.h"
#include "tests/platform/SpriteTestSupport.h"

using namespace Corvale;
using sprite_test_support::DrawingTest;

namespace
{
class MouseCursorTest : public DrawingTest
{
 protected:
   void SetUp() override
   {
      DrawingTest::SetUp();
      // A 20 x 20 arrow-less cursor, centred on the pointer's position.
      PNGWrite("Graphics/Pictures/Cursor.png", 20, 20,
               [](int, int, u8* p) { p[0] = p[1] = p[2] = p[3] = 255; });
      TextWrite("Graphics/Sprites/Cursor.json",
                R"({"Pointer": {"Filename": "Pictures/Cursor", "Origin": "Center"}})");
      sprite.Reset();
      sprite.Init("Sprites/Cursor", "Pointer");
      cursor.enabled = 1;
      cursor.sprite = &sprite;
      for (MouseState* mouse : {&mouseStateSystem, &mouseStates[0], &mouseStates[1]})
      {
         *mouse = MouseState{};
      }
      mouseStateSystem.present = 1;
      mouseStateSystem.x = 200;
      mouseStateSystem.y = 150;
   }
   void TearDown() override
   {
      sprite.Deinit();
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a sprite resource file was left";
      DrawingTest::TearDown();
   }

   // The lit box "x y width height" of the frame after the cursor draws on a cleared screen;
   // "0 0 0 0" when nothing was drawn.
   std::string DrawnBoxGet()
   {
      Clear();
      MouseCursor::Draw(&cursor);
      const Box2F box = LitBoxGet(Frame(), 128);
      return std::to_string(static_cast<int>(box.x)) + " " + std::to_string(static_cast<int>(box.y)) + " " +
             std::to_string(static_cast<int>(box.width)) + " " + std::to_string(static_cast<int>(box.height));
   }

   Sprite sprite;
   MouseCursor cursor;
};

TEST_F(MouseCursorTest, TheSpriteFollowsItsMouse)
{
   EXPECT_EQ(DrawnBoxGet(), "190 140 20 20");

   mouseStates[1].present = 1;
   mouseStates[1].x = 600;
   mouseStates[1].y = 400;
   cursor.mouseIndex = 1;
   EXPECT_EQ(DrawnBoxGet(), "590 390 20 20");
}

TEST_F(MouseCursorTest, NothingIsDrawnWhenThereIsNoPointerToFollow)
{
   struct Case
   {
      const char* what;
      u32 enabled;
      i32 mouseIndex;
      u8 hidden;
   };
   // Mouse 0 is absent; the system mouse is present.
   const Case cases[] = {{"disabled", 0, -1, 0},
                         {"hidden", 1, -1, 1},
                         {"absent mouse", 1, 0, 0},
                         {"index past the eight mice", 1, 8, 0},
                         {"negative index", 1, -2, 0}};
   for (const Case& c : cases)
   {
      cursor.enabled = c.enabled;
      cursor.mouseIndex = c.mouseIndex;
      mouseStateSystem.hidden = c.hidden;
      EXPECT_EQ(DrawnBoxGet(), "0 0 0 0") << c.what;
   }
   // A sprite without an animation draws nothing either.
   cursor.enabled = 1;
   cursor.mouseIndex = -1;
   mouseStateSystem.hidden = 0;
   Sprite empty;
   empty.Reset();
   cursor.sprite = &empty;
   EXPECT_EQ(DrawnBoxGet(), "0 0 0 0");
   MouseCursor::Draw(nullptr);
}
} // namespace
