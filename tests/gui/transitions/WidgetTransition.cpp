// Widget transitions over time: screen-edge slides with delays and curves, end states that stay,
// zero durations, defaults of a plain type name, screen-box refreshes and linear transitions.
#include "tests/gui/WidgetTestSupport.h"

#include "core/Progression.h"

using namespace WidgetTest;

namespace
{
class TransitionTest : public GUITest
{
 protected:
   Widget* Slide(const char* transitions)
   {
      return Make<Widget>(
          std::string(R"({"PositionOffset": "100|50", "Bounds": "0|0|40|20", "Transitions": )") +
          transitions + "}");
   }
};

TEST_F(TransitionTest, FromLeftWaitsOffScreenForItsDelayThenEasesToRest)
{
   Widget* widget = Slide(R"({"Enter": {"Type": "FromLeft", "StartDelay": 300}})");
   widget->TransitionStart("Enter");
   widget->Update(0);
   // Its right edge on the screen's left edge.
   EXPECT_FLOAT_EQ(widget->PositionGet().x, -40.0f);
   EXPECT_FLOAT_EQ(widget->PositionGet().y, 50.0f);
   widget->Update(300);
   EXPECT_FLOAT_EQ(widget->PositionGet().x, -40.0f);
   widget->Update(250);
   float halfway = widget->PositionGet().x;
   EXPECT_GT(halfway, 30.0f) << "a decelerating curve is past the linear midpoint";
   EXPECT_LT(halfway, 100.0f);
   EXPECT_EQ(GUIManager::transitionsRunning, 1);
   widget->Update(250);
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 100.0f);
   EXPECT_EQ(widget->transition, nullptr);
   EXPECT_EQ(GUIManager::transitionsRunning, 0);
   WidgetDestroy(widget);
}

TEST_F(TransitionTest, ToBottomKeepsItsEndStateAndFollowsTheScreenBox)
{
   Widget* widget = Slide(R"({"Exit": "ToBottom"})");
   widget->TransitionStart("Exit");
   widget->Update(499);
   EXPECT_TRUE(widget->TransitionRunningCheck());
   widget->Update(1);
   EXPECT_FALSE(widget->TransitionRunningCheck());
   EXPECT_NE(widget->transition, nullptr);
   EXPECT_EQ(GUIManager::transitionsRunning, 0);
   EXPECT_FLOAT_EQ(widget->PositionGet().y, 720.0f);
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 100.0f);
   GUIManager::screenArea.height = 1000.0f;
   widget->TransitionsApply();
   EXPECT_FLOAT_EQ(widget->PositionGet().y, 1000.0f);
   WidgetDestroy(widget);
}

TEST_F(TransitionTest, ZeroDurationShowsTheEndStateAtOnce)
{
   Widget* widget =
       Slide(R"({"Out": {"Type": "ToRight", "Duration": 0}, "In": {"Type": "FromTop", "Duration": 0}})");
   widget->TransitionStart("Out");
   EXPECT_FALSE(widget->TransitionRunningCheck());
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 960.0f);
   widget->Update(0);
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 960.0f);
   widget->TransitionStart("In");
   widget->Update(0);
   EXPECT_EQ(widget->transition, nullptr);
   EXPECT_FLOAT_EQ(widget->PositionGet().y, 50.0f);
   WidgetDestroy(widget);
}

TEST_F(TransitionTest, APlainTypeNameTakesTheDefaults)
{
   Widget* widget =
       Slide(R"({"A": "FromRight", "B": "ToTop", "C": {"Type": "FromTop", "Progression": "ProgressionLinear",
                              "StartDelay": 10.9, "Duration": 20.5}})");
   auto get = [&](const char* key)
   { return dynamic_cast<WidgetTransitionTranslate*>(widget->transitions.Find(key)->value); };
   ASSERT_NE(get("A"), nullptr);
   EXPECT_EQ(get("A")->movement, WIDGET_TRANSITION_FROM_RIGHT);
   EXPECT_EQ(get("A")->startDelay, 0);
   EXPECT_EQ(get("A")->duration, 500);
   EXPECT_EQ(get("A")->progression, &progressionSmoothStop);
   EXPECT_FALSE(get("A")->RemainAfterFinishedCheck());
   EXPECT_EQ(get("B")->progression, &progressionSmoothStart);
   EXPECT_TRUE(get("B")->RemainAfterFinishedCheck());
   EXPECT_EQ(get("C")->startDelay, 10);
   EXPECT_EQ(get("C")->duration, 20);
   EXPECT_EQ(get("C")->progression, &progressionLinear);
   WidgetDestroy(widget);

   LogCapture log;
   EXPECT_EQ(WidgetTransitionTranslate::MovementGet("Sideways"), 0);
   EXPECT_EQ(log.text, "WidgetTransitionTranslate::MovementGet -- invalid movement type: Sideways\n");
}

TEST_F(TransitionTest, LinearInterpolatesAndRemainsUnlessToldOtherwise)
{
   Widget* widget =
       Slide(R"({"Grow": {"Type": "Linear", "Duration": 100, "PositionEnd": "10|20", "ScaleEnd": "2|4"},
                              "Once": {"Type": "Linear", "Duration": 100, "PositionEnd": "10|20",
                                       "RemainAfterFinished": false}})");
   widget->TransitionStart("Grow");
   widget->Update(50);
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 105.0f);
   EXPECT_FLOAT_EQ(widget->ScaleGet().y, 2.5f);
   widget->Update(50);
   EXPECT_FLOAT_EQ(widget->PositionGet().y, 70.0f);
   EXPECT_FLOAT_EQ(widget->ScaleGet().x, 2.0f);
   EXPECT_EQ(GUIManager::transitionsRunning, 0);
   // Starting again begins from the beginning.
   widget->TransitionStart("Grow");
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 100.0f);
   widget->TransitionStart("Once");
   widget->Update(100);
   EXPECT_EQ(widget->transition, nullptr);
   EXPECT_FLOAT_EQ(widget->PositionGet().x, 100.0f);
   WidgetDestroy(widget);
}
} // namespace
