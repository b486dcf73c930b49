// The screen-fill sprite: both fill modes over a hand-made 100 × 50 animation, bounds that follow
// the screen area unless given, and the fill mode key.
#include "tests/gui/WidgetTestSupport.h"

#include "core/Event.h"
#include "gui/widgets/ScreenFillSpriteWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/image/Image.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/window/Screen.h"

using namespace WidgetTest;

namespace
{
std::string Text(const Box2F& b)
{
   return std::to_string(b.x) + "|" + std::to_string(b.y) + "|" + std::to_string(b.width) + "|" +
          std::to_string(b.height);
}

std::string Text(const Point2F& p)
{
   return std::to_string(p.x) + "|" + std::to_string(p.y);
}

class ScreenFillSpriteWidgetTest : public GUITest
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
         Event::SystemInit();
      }
   }

   void SetUp() override
   {
      GUITest::SetUp();
      screen.virtualWidth = 800;
      screen.virtualHeight = 600;
      // One 100 × 50 part whose box starts at (-10, 20): the animation's own origin is not its corner.
      image.Init(1);
      ImagePart part;
      part.width = 100;
      part.height = 50;
      part.offsetX = -10;
      part.offsetY = 20;
      image.PartSet(part, 0);
      SpriteAnimationFrame frame;
      frame.image = &image;
      animation.frames.Insert(frame, 0);
      animation.duration = 1;
   }

   void TearDown() override
   {
      image.Clear();
      GUITest::TearDown();
   }

   ScreenFillSpriteWidget* Build(const std::string& json)
   {
      auto* widget = Make<ScreenFillSpriteWidget>(json);
      widget->SpriteGet()->animation = &animation;
      widget->Refit();
      return widget;
   }

   // The animation is the fixture's, not a sprite file's: the sprite lets go of it by hand.
   void Destroy(ScreenFillSpriteWidget* widget)
   {
      widget->SpriteGet()->animation = nullptr;
      WidgetDestroy(widget);
   }

   Image image;
   SpriteAnimation animation;
};

TEST_F(ScreenFillSpriteWidgetTest, BothModesCoverTheArea)
{
   struct Case
   {
      const char* json;
      float scaleX, scaleY, x, y;
   };
   const Case cases[] = {
       // Stretched: (800 / 100, 600 / 50), the box's corner at the area's corner.
       {R"({"FillMode": "Full"})", 8.0f, 12.0f, 80.0f, -240.0f},
       // Covered: 12 both ways, centred, so 1200 wide reaches 200 beyond each side.
       {R"({"FillMode": "FullKeepAspectRatio"})", 12.0f, 12.0f, 400.0f - 40.0f * 12.0f,
        300.0f - 45.0f * 12.0f},
       {R"({})", 12.0f, 12.0f, 400.0f - 40.0f * 12.0f, 300.0f - 45.0f * 12.0f},
   };
   for (const Case& c : cases)
   {
      ScreenFillSpriteWidget* widget = Build(c.json);
      EXPECT_FLOAT_EQ(widget->ScaleGet().x, c.scaleX) << c.json;
      EXPECT_FLOAT_EQ(widget->ScaleGet().y, c.scaleY) << c.json;
      EXPECT_FLOAT_EQ(widget->PositionGet().x, c.x) << c.json;
      EXPECT_FLOAT_EQ(widget->PositionGet().y, c.y) << c.json;
      // Where the animation's box lands on the screen.
      float left = c.x + -10.0f * c.scaleX;
      float top = c.y + 20.0f * c.scaleY;
      if (c.scaleX == c.scaleY)
      {
         EXPECT_FLOAT_EQ(left, -200.0f) << c.json;
         EXPECT_FLOAT_EQ(left + 100.0f * c.scaleX, 1000.0f) << c.json;
         EXPECT_FLOAT_EQ(top, 0.0f) << c.json;
      }
      else
      {
         EXPECT_FLOAT_EQ(left, 0.0f) << c.json;
         EXPECT_FLOAT_EQ(top, 0.0f) << c.json;
      }
      // Automatic bounds, in the widget's unscaled space, cover the whole area.
      Box2F b = widget->BoundsGet();
      EXPECT_FLOAT_EQ(c.x + b.x * c.scaleX, 0.0f) << c.json;
      EXPECT_FLOAT_EQ(c.y + b.y * c.scaleY, 0.0f) << c.json;
      EXPECT_FLOAT_EQ(b.width * c.scaleX, 800.0f) << c.json;
      EXPECT_FLOAT_EQ(b.height * c.scaleY, 600.0f) << c.json;
      Destroy(widget);
   }
}

TEST_F(ScreenFillSpriteWidgetTest, GivenBoundsStayWhenTheWindowChangesAutomaticOnesFollow)
{
   ScreenFillSpriteWidget* automatic = Build(R"({"FillMode": "Full"})");
   ScreenFillSpriteWidget* given = Build(R"({"FillMode": "Full", "Bounds": "1|2|3|4"})");
   ScreenFillSpriteWidget* setLater = Build(R"({"FillMode": "Full"})");
   setLater->BoundsSet(Box2F{5, 6, 7, 8});

   screen.virtualWidth = 400;
   screen.virtualHeight = 300;
   Event::Trigger("OnWindowChange", nullptr);

   EXPECT_FLOAT_EQ(automatic->ScaleGet().x, 4.0f) << "the window change refits";
   Box2F b = automatic->BoundsGet();
   EXPECT_FLOAT_EQ(b.width * 4.0f, 400.0f);
   EXPECT_FLOAT_EQ(b.height * 6.0f, 300.0f);
   EXPECT_FLOAT_EQ(given->ScaleGet().x, 4.0f);
   EXPECT_EQ(Text(given->BoundsGet()), Text(Box2F{1, 2, 3, 4}));
   EXPECT_EQ(Text(setLater->BoundsGet()), Text(Box2F{5, 6, 7, 8}));
   Destroy(automatic);
   Destroy(given);
   Destroy(setLater);

   // Once deinitialised, a window change reaches none of them.
   Event::Trigger("OnWindowChange", nullptr);
}

TEST_F(ScreenFillSpriteWidgetTest, FillModeKey)
{
   struct Case
   {
      const char* json;
      i32 mode;
      const char* log;
   };
   const Case cases[] = {
       {R"({"FillMode": "Full"})", SCREEN_FILL_FULL, ""},
       {R"({"FillMode": "FullKeepAspectRatio"})", SCREEN_FILL_FULL_KEEP_ASPECT_RATIO, ""},
       {R"({"FillMode": "Stretch"})", SCREEN_FILL_FULL_KEEP_ASPECT_RATIO,
        "ScreenFillSpriteWidget::Init -- Unrecognized fill mode: Stretch\n"},
       {R"({"FillMode": 0})", SCREEN_FILL_FULL_KEEP_ASPECT_RATIO,
        "ScreenFillSpriteWidget::Init -- Unrecognized fill mode: (null)\n"},
   };
   for (const Case& c : cases)
   {
      LogCapture log;
      ScreenFillSpriteWidget* widget = Make<ScreenFillSpriteWidget>(c.json);
      EXPECT_EQ(widget->FillModeGet(), c.mode) << c.json;
      EXPECT_EQ(log.text, c.log) << c.json;
      WidgetDestroy(widget);
   }
}

TEST_F(ScreenFillSpriteWidgetTest, NoAnimationLeavesTheGeometryButCoversTheArea)
{
   ScreenFillSpriteWidget* widget = Make<ScreenFillSpriteWidget>(R"({"Position": "3|4"})");
   EXPECT_EQ(Text(widget->ScaleGet()), Text(Point2F{1.0f, 1.0f}));
   EXPECT_EQ(Text(widget->PositionGet()), Text(Point2F{3.0f, 4.0f}));
   EXPECT_EQ(Text(widget->BoundsGet()), Text(Box2F{-3, -4, 800, 600}));
   // Clearing the animation refits too: the fitted scale stays, the bounds follow it.
   widget->SpriteGet()->animation = &animation;
   widget->Refit();
   widget->SpriteGet()->animation = nullptr;
   widget->AnimationClear();
   EXPECT_FLOAT_EQ(widget->BoundsGet().width * widget->ScaleGet().x, 800.0f);
   WidgetDestroy(widget);
}
} // namespace
