// The widget base: reading JSON, hit testing, clipping, dragging, hold repeats, focus targets and
// the transition count.
#include "tests/gui/WidgetTestSupport.h"

#include <cmath>

using namespace WidgetTest;

namespace
{
class WidgetBaseTest : public GUITest
{
};

TEST_F(WidgetBaseTest, InitReadsPositionsDepthsAndFlagsWithTheirDefaults)
{
   ContainerWidget* parent = Make<ContainerWidget>(R"({"PositionOffset": "40|10", "Depth": 2})");
   struct Case
   {
      const char* json;
      float x, y, depth;
      bool canDrag, canHaveFocus;
      const char* message;
   };
   const Case cases[] = {
       {R"({})", 0, 0, 0, false, false, nullptr},
       // "Position" is absolute and wins over "PositionOffset".
       {R"({"Position": "100|50", "PositionOffset": "1|1"})", 60, 40, 0, false, false, nullptr},
       {R"({"PositionOffset": "5|6", "Depth": 7, "DepthOffset": 1})", 5, 6, 5, false, false, nullptr},
       {R"({"Depth": "3", "DepthOffset": 4})", 0, 0, 4, false, false,
        "Widget::Init -- In Widget \"W\", \"Depth\" is a string.  It should be a number.\n"},
       {R"({"DepthOffset": "3"})", 0, 0, 0, false, false,
        "Widget::Init -- In Widget \"W\", \"DepthOffset\" is a string.  It should be a number.\n"},
       // A number counts for "CanDrag" but not for "CanHaveFocus".
       {R"({"CanDrag": 1, "CanHaveFocus": 1})", 0, 0, 0, true, false, nullptr},
       {R"({"CanDrag": true, "CanHaveFocus": true})", 0, 0, 0, true, true, nullptr},
   };
   for (const Case& c : cases)
   {
      LogCapture log;
      Widget* widget = Make<Widget>(c.json, parent);
      Point2F at = widget->PositionGet();
      EXPECT_FLOAT_EQ(at.x, c.x) << c.json;
      EXPECT_FLOAT_EQ(at.y, c.y) << c.json;
      EXPECT_FLOAT_EQ(widget->DepthGet(), c.depth) << c.json;
      EXPECT_EQ(widget->CanDragGet(), c.canDrag) << c.json;
      EXPECT_EQ(widget->CanHaveFocusGet(), c.canHaveFocus) << c.json;
      EXPECT_EQ(log.text, c.message ? c.message : "") << c.json;
      WidgetDestroy(widget);
   }
   WidgetDestroy(parent);
}

TEST_F(WidgetBaseTest, DefaultsAndAWidgetWithoutANameTakesItsTypeName)
{
   Widget* widget = Make<Widget>(R"({"Bounds": "1|2|3|4", "BoundsFilledColor": "1|2|3|4"})", nullptr, "");
   EXPECT_STREQ(widget->NameGet(), "Widget");
   EXPECT_TRUE(widget->VisibleCheck());
   EXPECT_TRUE(widget->EnabledCheck());
   EXPECT_FALSE(widget->PointTestPerPixelGet());
   EXPECT_EQ(widget->HoldStartDelayGet(), 500u);
   EXPECT_EQ(widget->HoldIntervalDurationGet(), 50u);
   EXPECT_FALSE(widget->ClipAreaCheck());
   Box2F clip = widget->ClipAreaGet();
   EXPECT_FLOAT_EQ(clip.width, 960.0f);
   EXPECT_EQ(widget->BoundsColorGet().a, 255);
   EXPECT_EQ(widget->BoundsFilledColorGet().b, 3);
   Box2F buffer = widget->DragBufferAreaGet();
   EXPECT_FLOAT_EQ(buffer.height, 4.0f);
   WidgetDestroy(widget);

   Widget* bare = MemoryNew<Widget>(HEAP_DEFAULT);
   bare->InitWithoutSpecification(nullptr, nullptr);
   EXPECT_STREQ(bare->NameGet(), "Widget");
   EXPECT_EQ(bare->BoundsFilledColorGet().r, 58);
   EXPECT_TRUE(bare->CanChangeFocusGet());
   WidgetDestroy(bare);
}

TEST_F(WidgetBaseTest, HitTestsUseHalfOpenBoundsRotationScaleAndClipping)
{
   ContainerWidget* parent = Make<ContainerWidget>(R"({"Bounds": "0|0|200|200", "ClipArea": "0|0|100|100"})");
   struct Case
   {
      const char* json;
      float x, y;
      bool hit;
   };
   const Case cases[] = {
       {R"({"PositionOffset": "10|10", "Bounds": "0|0|20|20"})", 10, 10, true},
       {R"({"PositionOffset": "10|10", "Bounds": "0|0|20|20"})", 29.9f, 29.9f, true},
       {R"({"PositionOffset": "10|10", "Bounds": "0|0|20|20"})", 30, 15, false},
       {R"({"PositionOffset": "10|10", "Bounds": "0|0|20|20"})", 15, 30, false},
       {R"({"PositionOffset": "10|10", "Bounds": "0|0|20|20", "Visible": false})", 15, 15, false},
       {R"({"PositionOffset": "10|10", "Bounds": "0|0|20|20", "PointTestEnabled": false})", 15, 15, false},
       // Outside the parent's clip area.
       {R"({"PositionOffset": "90|90", "Bounds": "0|0|20|20"})", 105, 105, false},
       // Rotated by 90 degrees: (5, 15) relative turns back to (15, -5); a rotated widget skips clipping.
       {R"({"PositionOffset": "100|100", "Bounds": "0|-10|20|10", "Rotation": 90})", 105, 115, true},
       {R"({"PositionOffset": "100|100", "Bounds": "0|-10|20|10", "Rotation": 90})", 115, 105, false},
       // A clip area that does not overlap the parent's cannot be hit.
       {R"({"PositionOffset": "10|10", "Bounds": "0|0|20|20", "ClipArea": "150|150|10|10"})", 15, 15, false},
       // Own clip ignoring the ancestors' lets it be hit outside the parent's clip box.
       {R"({"PositionOffset": "90|90", "Bounds": "0|0|20|20", "ClipArea": "0|0|200|200",
           "AncestorClippingIgnore": true})",
        105, 105, true},
   };
   for (const Case& c : cases)
   {
      Widget* widget = Make<Widget>(c.json, parent);
      EXPECT_EQ(widget->WidgetAtPointGet(Point2F{c.x, c.y}) == widget, c.hit)
          << c.json << " at " << c.x << "," << c.y;
      WidgetDestroy(widget);
   }
   // Scale divides the local point: bounds 0..10 at scale 2 cover 0..20 of the parent.
   Widget* scaled = Make<Widget>(R"({"Bounds": "0|0|10|10"})", parent);
   scaled->ScaleSet(2.0f, 2.0f);
   EXPECT_EQ(scaled->WidgetAtPointGet(Point2F{19, 19}), scaled);
   EXPECT_EQ(scaled->WidgetAtPointGet(Point2F{21, 5}), nullptr);
   WidgetDestroy(scaled);
   WidgetDestroy(parent);
}

TEST_F(WidgetBaseTest, EffectiveClipAreaIsIntersectedAndConvertedIntoOwnSpace)
{
   ContainerWidget* parent =
       Make<ContainerWidget>(R"({"PositionOffset": "10|20", "ClipArea": "0|0|100|100"})");
   Widget* child = Make<Widget>(R"({"PositionOffset": "5|5", "ClipArea": "50|50|100|100"})", parent);
   // The parent's box in its own space is -10|-20|100|100; overlapped with 50|50|100|100.
   Box2F box = child->ClipAreaEffectiveGet(false);
   EXPECT_FLOAT_EQ(box.x, 45.0f);
   EXPECT_FLOAT_EQ(box.y, 45.0f);
   EXPECT_FLOAT_EQ(box.width, 40.0f);
   EXPECT_FLOAT_EQ(box.height, 30.0f);
   child->ScaleSet(-2.0f, 2.0f);
   box = child->ClipAreaEffectiveGet(false);
   EXPECT_FLOAT_EQ(box.width, 20.0f);
   EXPECT_FLOAT_EQ(box.x, 45.0f / -2.0f - 20.0f);
   EXPECT_FLOAT_EQ(box.y, 22.5f);
   WidgetDestroy(child);
   WidgetDestroy(parent);
}

TEST_F(WidgetBaseTest, DraggingFollowsThePointerInsideTheDragAreaWithItsBuffer)
{
   ContainerWidget* parent =
       Make<ContainerWidget>(R"({"PositionOffset": "100|100", "Bounds": "0|0|300|200"})");
   Widget* widget =
       Make<Widget>(R"({"PositionOffset": "10|10", "Bounds": "0|0|20|20", "CanDrag": true})", parent);
   PointerSet(115, 115, true, false);
   Record()->pressed = widget;
   widget->leftPressRecord = Record();
   widget->OnPress();
   ASSERT_TRUE(widget->dragging);
   EXPECT_FLOAT_EQ(widget->DragGrabOffsetGet().x, -5.0f);

   PointerSet(165, 145, true, true);
   widget->Update(16);
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 60.0f);
   EXPECT_FLOAT_EQ(widget->PositionGet().y, 40.0f);
   // Clamped to the parent's bounds (the inherited drag area) less the widget's own bounds.
   PointerSet(1000, -50, true, true);
   widget->Update(16);
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 280.0f);
   EXPECT_FLOAT_EQ(widget->PositionGet().y, 0.0f);
   // The release ends the drag.
   PointerSet(1000, -50, false, true);
   widget->Update(16);
   EXPECT_FALSE(widget->dragging);
   WidgetDestroy(widget);

   // A buffer wider than the area pins the widget to the upper limit.
   widget = Make<Widget>(
       R"({"Bounds": "0|0|20|20", "CanDrag": true, "DragArea": "0|0|50|50", "DragBufferArea": "-10|0|100|20"})",
       parent);
   PointerSet(100, 100, true, false);
   widget->leftPressRecord = Record();
   widget->OnPress();
   PointerSet(130, 100, true, true);
   widget->Update(16);
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 50.0f - 90.0f);
   WidgetDestroy(widget);
   WidgetDestroy(parent);
}

class HoldCounter : public Widget
{
 public:
   void OnHold(i32 repeatCount) override { counts.push_back(repeatCount); }
   std::vector<i32> counts;
};

TEST_F(WidgetBaseTest, HoldRepeatsAfter500MsThenEvery50AndRestartWhenThePointerLeaves)
{
   HoldCounter* widget = Make<HoldCounter>(R"({"Bounds": "0|0|10|10"})");
   PointerSet(5, 5, true, false);
   Record()->pressed = widget;
   Record()->hovered = widget;
   widget->leftPressRecord = Record();
   widget->OnPress();
   widget->Update(0);
   PointerSet(5, 5, true, true);
   for (int frame = 0; frame < 5; frame++)
   {
      widget->Update(100);
   }
   ASSERT_EQ(widget->counts, std::vector<i32>{1}) << "first repeat at 500 ms";
   widget->Update(50);
   EXPECT_EQ(widget->counts, (std::vector<i32>{1, 2})) << "second at 550 ms";

   // Off the widget the count resets; back on, the 500 ms delay starts over.
   Record()->hovered = nullptr;
   widget->Update(16);
   EXPECT_EQ(widget->holdTracker.count, 0);
   Record()->hovered = widget;
   widget->Update(16);
   widget->Update(499);
   EXPECT_EQ(widget->counts.size(), 2u);
   widget->Update(1);
   EXPECT_EQ(widget->counts.back(), 1);

   // A disabled widget is no longer pressed.
   widget->EnabledSet(false);
   widget->Update(16);
   EXPECT_FALSE(widget->PressedCheck());
   WidgetDestroy(widget);
}

TEST_F(WidgetBaseTest, FocusTargetClimbsToTheFirstAncestorThatCanHaveIt)
{
   ContainerWidget* panel = Make<ContainerWidget>(R"({"CanHaveFocus": true})");
   Widget* inner = Make<Widget>(R"({})", panel);
   Widget* blocked = Make<Widget>(R"({"CanChangeFocus": false, "CanHaveFocus": true})", panel);
   EXPECT_EQ(inner->FocusTargetGet(), panel);
   EXPECT_EQ(blocked->FocusTargetGet(), nullptr);
   GUIManager::FocusSet(inner);
   EXPECT_TRUE(panel->FocusCheck());
   GUIManager::FocusSet(blocked);
   EXPECT_EQ(GUIManager::focus, nullptr);
   WidgetDestroy(inner);
   WidgetDestroy(blocked);
   WidgetDestroy(panel);
}

TEST_F(WidgetBaseTest, TransitionsAreCountedWhileCurrentAndReadWithTheirMessages)
{
   LogCapture log;
   Widget* widget = Make<Widget>(R"({"Bounds": "0|0|10|10", "Transitions": {
       "Enter": "FromLeft", "Spin": {"Type": "Linear", "Duration": 100, "RotationEnd": 90},
       "Bad": "Wobble", "NoType": {"Duration": 5}, "Number": 3}})");
   EXPECT_EQ(widget->transitions.count, 2);
   EXPECT_TRUE(log.Has("Widget::Init -- Unrecognized transition type: Wobble\n"));
   EXPECT_TRUE(log.Has("Widget::Init -- In Widget \"W\", type for transition \"NoType\" not defined.\n"));
   EXPECT_TRUE(
       log.Has("Widget::Init -- Definition for transition Number is neither a string nor an object.\n"));

   widget->TransitionStart("Enter");
   EXPECT_EQ(GUIManager::transitionsRunning, 1);
   EXPECT_TRUE(widget->TransitionRunningCheck());
   EXPECT_FALSE(widget->InputAcceptableCheck());
   // An unknown name drops the current transition and its count.
   widget->TransitionStart("Missing");
   EXPECT_EQ(GUIManager::transitionsRunning, 0);
   EXPECT_EQ(widget->transition, nullptr);

   widget->TransitionStart("Spin");
   widget->Update(50);
   EXPECT_NEAR(widget->RotationGet(), 45.0f, 0.01f);
   widget->TransitionFinish();
   EXPECT_EQ(GUIManager::transitionsRunning, 0);
   EXPECT_FLOAT_EQ(widget->RotationGet(), 90.0f) << "a Linear transition keeps its end state";
   // Deinit while counted gives the count back.
   widget->TransitionStart("Enter");
   EXPECT_EQ(GUIManager::transitionsRunning, 1);
   WidgetDestroy(widget);
   EXPECT_EQ(GUIManager::transitionsRunning, 0);
}
} // namespace
