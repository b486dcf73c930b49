// Progress bars: the fill cut to the value (with the pixel step), the indeterminate sweep, the
// grid warning of the layout, and the registered type name.
#include "gui/widgets/ProgressBarWidget.h"

#include "tests/gui/WidgetTestSupport.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/image/Image.h"
#include "platform/image/Texture.h"
#include "platform/sprite/SpriteAnimation.h"

using namespace WidgetTest;

namespace
{
// A fill animation of the given size whose picture is never drawn: the tests read the clip box.
class ProgressBarTest : public GUITest
{
 protected:
   void AnimationBuild(i32 width, i32 height)
   {
      image.Init(1);
      ImagePart part;
      part.texture = &texture;
      part.width = width;
      part.height = height;
      image.PartSet(part, 0);
      SpriteAnimationFrame frame;
      frame.image = &image;
      animation.frames.Insert(frame, 0);
      animation.duration = 1;
   }

   // A bar at 100|100 whose fill sits at 10|5 inside it and shows the fixture's animation.
   ProgressBarWidget* Bar(const std::string& keys, i32 fillWidth)
   {
      AnimationBuild(fillWidth, 20);
      ProgressBarWidget* bar = Make<ProgressBarWidget>(
          R"({"Position": "100|100", "ProgressSprite": {"PositionOffset": "10|5"})" + keys + "}");
      EXPECT_TRUE(bar->fill);
      if (bar->fill)
      {
         bar->fill->SpriteGet()->animation = &animation;
      }
      return bar;
   }

   void Destroy(ProgressBarWidget* bar)
   {
      if (bar->fill)
      {
         bar->fill->SpriteGet()->animation = nullptr;
      }
      WidgetDestroy(bar);
   }

   void TearDown() override
   {
      image.Clear();
      GUITest::TearDown();
   }

   Texture texture;
   Image image;
   SpriteAnimation animation;
};

TEST_F(ProgressBarTest, TheFillShowsTheFilledPartOfItsSprite)
{
   struct Case
   {
      const char* keys;
      i32 fillWidth;
      float shownWidth;
   } cases[] = {
       {R"(, "Value": 25)", 200, 50.0f},
       {R"(, "Value": 33, "PixelStep": 10)", 100, 30.0f},
       {R"(, "Value": 33, "PixelStep": 0)", 100, 33.0f},
       {R"(, "Minimum": 40, "Maximum": 40, "Value": 40)", 100, 100.0f},
       {R"(, "Minimum": 50, "Maximum": 150, "Value": 150)", 80, 80.0f},
   };
   for (const Case& c : cases)
   {
      ProgressBarWidget* bar = Bar(c.keys, c.fillWidth);
      bar->Update(16);
      ASSERT_TRUE(bar->fill->ClipAreaCheck()) << c.keys;
      Box2F clip = bar->fill->ClipAreaGet();
      EXPECT_FLOAT_EQ(clip.x, 10.0f) << c.keys;
      EXPECT_FLOAT_EQ(clip.y, 5.0f) << c.keys;
      EXPECT_FLOAT_EQ(clip.width, c.shownWidth) << c.keys;
      EXPECT_FLOAT_EQ(clip.height, 20.0f) << c.keys;
      Destroy(bar);
      animation.frames.SizeSet(0);
      image.Clear();
   }
}

TEST_F(ProgressBarTest, TheFillFollowsTheRangeOnItsNextUpdate)
{
   ProgressBarWidget* bar = Bar("", 200);
   FloatRange* range = bar;
   range->ValueSet(50.0f);
   bar->Update(0);
   EXPECT_FLOAT_EQ(bar->fill->ClipAreaGet().width, 100.0f);
   range->MaximumSet(200.0f);
   bar->Update(0);
   EXPECT_FLOAT_EQ(bar->fill->ClipAreaGet().width, 50.0f);
   Destroy(bar);
}

TEST_F(ProgressBarTest, TheIndeterminateBarSweepsAndStartsOver)
{
   ProgressBarWidget* bar = Bar(R"(, "Indeterminate": true, "IndeterminateEffectBarWidth": 16,
      "IndeterminateEffectDuration": 1000, "PixelStep": 0)",
                                100);
   // Each step is the time since the previous one: 0, 500, 1000 and 1250 ms in all.
   struct Step
   {
      u32 elapsed;
      float x;
   } steps[] = {{0, 10.0f - 16.0f}, {500, 10.0f + 42.0f}, {500, 10.0f - 16.0f}, {250, 10.0f + 13.0f}};
   for (const Step& step : steps)
   {
      bar->Update(step.elapsed);
      Box2F clip = bar->fill->ClipAreaGet();
      EXPECT_FLOAT_EQ(clip.x, step.x) << "after " << step.elapsed;
      EXPECT_FLOAT_EQ(clip.width, 16.0f);
   }

   // Turning the mode on again starts the sweep over.
   bar->IndeterminateSet(true);
   EXPECT_FLOAT_EQ(bar->fill->SweepTimeGet(), 0.0f);
   // A zero duration keeps the bar at the start; the pixel step rounds to the nearest multiple.
   bar->IndeterminateEffectDurationSet(0.0f);
   bar->PixelStepSet(5.0f);
   bar->Update(300);
   EXPECT_FLOAT_EQ(bar->fill->ClipAreaGet().x, 10.0f);
   EXPECT_FLOAT_EQ(bar->fill->ClipAreaGet().width, 15.0f);
   EXPECT_FLOAT_EQ(bar->fill->SweepTimeGet(), 0.0f);
   Destroy(bar);
}

TEST_F(ProgressBarTest, ValuesOffTheStepGridAreReportedAndKept)
{
   LogCapture log;
   ProgressBarWidget* bar = Make<ProgressBarWidget>(R"({"Maximum": 10, "StepMinimum": 3, "Value": 6})");
   EXPECT_FLOAT_EQ(bar->MaximumGet(), 10.0f);
   EXPECT_FLOAT_EQ(bar->ValueGet(), 6.0f);
   EXPECT_EQ(log.text,
             "ProgressBarWidget W -- Maximum 10.000000 is not a multiple of the minimum step 3.000000 "
             "from the minimum 0.000000\n");
   WidgetDestroy(bar);

   LogCapture quiet;
   bar = Make<ProgressBarWidget>(R"({"Maximum": 9, "StepMinimum": 3, "Value": 6})");
   EXPECT_EQ(quiet.text, "");
   EXPECT_EQ(bar->fill, nullptr);
   WidgetDestroy(bar);
}

TEST_F(ProgressBarTest, LayersBuildItByItsTypeName)
{
   ProgressBarWidget::TypeRegister();
   WidgetCreateFunction create = GUIManager::WidgetTypeFind("ProgressBar");
   ASSERT_NE(create, nullptr);
   Widget* widget = create("ProgressBar", HEAP_DEFAULT);
   EXPECT_STREQ(widget->TypeNameGet(), "ProgressBarWidget");
   MemoryDelete(widget);
}
} // namespace
