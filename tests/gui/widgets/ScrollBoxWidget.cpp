// Scroll boxes: scroll bars that follow content and offset, the wheel's clamping, scrolling a box
// into view at once and eased, bars that move the content, paths into the content, and the fatal
// missing clip container.
#include "gui/widgets/ScrollBoxWidget.h"

#include <cstdio>

#include "tests/gui/WidgetTestSupport.h"
#include "core/Progression.h"
#include "gui/widgets/ScrollbarWidget.h"

using namespace WidgetTest;

namespace
{
// A 100×100 window onto content 100 wide and 300 high, with a vertical bar.
const char* const tall = R"({"Bounds": "0|0|120|100",
   "ClipContainer": {"ClipArea": "0|0|100|100", "Bounds": "0|0|100|300",
                     "Children": [{"Type": "Container", "Name": "Item", "Bounds": "0|0|10|10"}]},
   "VerticalScrollbar": {"Position": "100|0", "Thumb": {"Bounds": "0|0|20|20",
                         "PositionMinimumOffset": "0|0", "PositionMaximumOffset": "0|80"}}})";

using ScrollBoxTest = GUITest;

TEST_F(ScrollBoxTest, BarsFollowTheContentAndTheView)
{
   ScrollBoxWidget* box = Make<ScrollBoxWidget>(tall);
   ScrollbarWidget* bar = box->verticalScrollbar;
   ASSERT_NE(bar, nullptr);
   EXPECT_EQ(box->horizontalScrollbar, nullptr);
   EXPECT_TRUE(bar->vertical);
   struct Case
   {
      float contentY, contentHeight;
      float minimum, maximum;
      bool shown;
   } cases[] = {
       {0.0f, 300.0f, 0.0f, 200.0f, true},
       {0.0f, 80.0f, 0.0f, 0.0f, false},
       {-50.0f, 300.0f, -50.0f, 150.0f, true},
       {40.0f, 300.0f, 0.0f, 240.0f, true}, // the bar also allows 0 when the content starts below it
       {0.0f, 100.0f, 0.0f, 0.0f, false},
   };
   for (const Case& c : cases)
   {
      box->ClipContainerGet()->BoundsSet(Box2F{0.0f, c.contentY, 100.0f, c.contentHeight});
      EXPECT_FLOAT_EQ(bar->MinimumGet(), c.minimum) << c.contentY << " " << c.contentHeight;
      EXPECT_FLOAT_EQ(bar->MaximumGet(), c.maximum) << c.contentY << " " << c.contentHeight;
      EXPECT_EQ(bar->visible != 0, c.shown) << c.contentY << " " << c.contentHeight;
      EXPECT_EQ(bar->enabled != 0, c.shown) << c.contentY << " " << c.contentHeight;
   }
   WidgetDestroy(box);
}

TEST_F(ScrollBoxTest, InitShowsTheContentOriginAndTheWheelStaysInRange)
{
   ScrollBoxWidget* box = Make<ScrollBoxWidget>(R"({"ClipContainer": {"ClipArea": "10|20|100|100",
      "Bounds": "5|-40|100|300"}})");
   EXPECT_FLOAT_EQ(box->ContentOffsetGet().x, 5.0f);
   EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, -40.0f);
   EXPECT_FLOAT_EQ(box->ClipContainerGet()->PositionGet().y, 60.0f);
   WidgetDestroy(box);

   box = Make<ScrollBoxWidget>(tall);
   struct Step
   {
      i32 notches;
      float expected;
   } steps[] = {{-1, 30.0f}, {-2, 90.0f}, {0, 90.0f}, {-10, 200.0f}, {3, 110.0f}, {20, 0.0f}, {1, 0.0f}};
   for (const Step& step : steps)
   {
      box->OnMouseScroll(step.notches);
      EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, step.expected) << step.notches;
   }
   EXPECT_FLOAT_EQ(box->verticalScrollbar->ValueGet(), 0.0f);
   box->OnMouseScroll(-1);
   EXPECT_FLOAT_EQ(box->verticalScrollbar->ValueGet(), 30.0f) << "the bar follows the wheel";
   box->MouseScrollCoefficientSet(2.0f);
   box->OnMouseScroll(-1);
   EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, 90.0f);
   WidgetDestroy(box);
}

TEST_F(ScrollBoxTest, ScrollToShowMovesTheLeastThatShowsTheBox)
{
   ScrollBoxWidget* box = Make<ScrollBoxWidget>(tall);
   struct Case
   {
      float before, y, height, after;
   } cases[] = {
       {0.0f, 150.0f, 20.0f, 70.0f},    // below the view: bottom edges meet
       {70.0f, 10.0f, 20.0f, 10.0f},    // above the view: top edges meet
       {10.0f, 30.0f, 20.0f, 10.0f},    // already shown
       {10.0f, 50.0f, 150.0f, 50.0f},   // taller than the view, starting below its top
       {100.0f, 50.0f, 150.0f, 100.0f}, // taller than the view and covering it
       {0.0f, 290.0f, 20.0f, 0.0f},     // sticks out of the content: nothing
       {0.0f, 150.0f, 0.0f, 0.0f},      // empty: nothing
   };
   for (const Case& c : cases)
   {
      box->ContentOffsetSet(0.0f, c.before);
      box->ScrollToShow(0.0f, c.y, 100.0f, c.height);
      EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, c.after) << c.before << " " << c.y << " " << c.height;
   }
   WidgetDestroy(box);
}

TEST_F(ScrollBoxTest, AnimatedScrollEasesToTheTargetAndEnds)
{
   ScrollBoxWidget* box = Make<ScrollBoxWidget>(tall);
   box->ScrollToShowAnimated(0.0f, 150.0f, 100.0f, 20.0f, 100, &progressionLinear);
   box->Update(50);
   EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, 35.0f);
   box->Update(60);
   EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, 70.0f);
   EXPECT_TRUE(box->scrollMotion.finished);
   box->ContentOffsetSet(0.0f, 20.0f);
   box->Update(16);
   EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, 20.0f) << "a finished motion leaves the offset alone";

   // No duration still arrives, on the next update.
   box->ScrollToShowAnimated(0.0f, 200.0f, 100.0f, 20.0f, 0, &progressionLinear);
   box->Update(16);
   EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, 120.0f);
   WidgetDestroy(box);
}

TEST_F(ScrollBoxTest, MovingABarMovesTheContentOnItsGrid)
{
   ScrollBoxWidget* box = Make<ScrollBoxWidget>(tall);
   ScrollbarWidget* bar = box->verticalScrollbar;
   bar->ValueSet(120.4f, true);
   EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, 120.0f);
   EXPECT_FLOAT_EQ(bar->thumb->PositionGet().y, 48.0f);
   bar->ValueSet(500.0f, true);
   EXPECT_FLOAT_EQ(box->ContentOffsetGet().y, 200.0f);
   WidgetDestroy(box);
}

TEST_F(ScrollBoxTest, PathsThroughTheBoxNameTheContent)
{
   ContainerWidget* holder = Make<ContainerWidget>("{}", nullptr, "Holder");
   ScrollBoxWidget* box = Make<ScrollBoxWidget>(tall, holder, "Box");
   holder->ChildAdd(box);
   Widget* item = holder->DescendantGetByPath("Box.Item");
   ASSERT_NE(item, nullptr);
   EXPECT_EQ(item->ParentGet(), box->ClipContainerGet());
   EXPECT_EQ(holder->DescendantGetByPath("Box.ClipContainer"), nullptr);
   WidgetDestroy(holder);
}

void StderrBox(const char* title, const char* text, bool error)
{
   (void)title;
   (void)error;
   std::fputs(text, stderr);
}

TEST_F(ScrollBoxTest, AMissingClipContainerEndsTheProgram)
{
   GTEST_FLAG_SET(death_test_style, "threadsafe");
   EXPECT_DEATH(
       {
          LogMessageBoxFunctionSet(&StderrBox);
          Make<ScrollBoxWidget>(R"({"ClipContainer": "Content"})", nullptr, "Box");
       },
       "ScrollBoxWidget::Init -- Missing \"ClipContainer\" for widget \"Box\"");
}
} // namespace
