// Sliders: key orientation, the grid warning, when the value notifies, step buttons, paging that
// stops once the thumb has passed the pointer, thumb dragging, navigation keys and the Lua handler.
#include "gui/widgets/SliderWidget.h"

#include <vector>

#include "tests/gui/WidgetTestSupport.h"
#include "core/ScriptManager.h"
#include "gui/widgets/FloatRange.h"

using namespace WidgetTest;

namespace
{
struct Change
{
   float newValue;
   float oldValue;
   bool byUser;
};

void ChangeRecord(float newValue, float oldValue, bool byUser, SliderWidget* slider, void* userData)
{
   (void)slider;
   static_cast<std::vector<Change>*>(userData)->push_back(Change{newValue, oldValue, byUser});
}

// A horizontal slider at 100|100: the 20×20 thumb runs from x 0 to x 200, so value v puts it at 2v.
const char* const horizontal = R"({"Position": "100|100", "Bounds": "0|0|220|20", "StepLarge": 10,
   "Thumb": {"Bounds": "0|0|20|20", "PositionMinimumOffset": "0|0", "PositionMaximumOffset": "200|0"},
   "IncreaseButton": {"Bounds": "230|0|20|20"}, "DecreaseButton": {"Bounds": "-30|0|20|20"}})";

class SliderTest : public GUITest
{
 protected:
   SliderWidget* Slider(const char* json = horizontal)
   {
      SliderWidget* slider = Make<SliderWidget>(json);
      slider->valueChangeCallback = &ChangeRecord;
      slider->valueChangeCallbackData = &changes;
      return slider;
   }

   std::vector<Change> changes;
};

TEST_F(SliderTest, KeysFollowTheAxisFromTheLowEnd)
{
   struct Case
   {
      const char* parts;
      i32 increase, decrease;
   } cases[] = {
       {R"("Thumb": {"PositionMinimumOffset": "0|0", "PositionMaximumOffset": "0|100"})", 1, 0},
       {R"("Thumb": {"PositionMinimumOffset": "0|100", "PositionMaximumOffset": "0|0"})", 0, 1},
       {R"("Thumb": {"PositionMinimumOffset": "100|0", "PositionMaximumOffset": "0|0"})", 2, 3},
       {R"("Thumb": {"PositionMinimumOffset": "0|0", "PositionMaximumOffset": "100|0"})", 3, 2},
       {R"("IncreaseButton": {"Bounds": "0|50|10|10"}, "DecreaseButton": {"Bounds": "0|0|10|10"})", 1, 0},
       {R"("IncreaseButton": {"Bounds": "0|50|10|10"})", 3, 2},
       {R"("Value": 0)", 3, 2},
   };
   for (const Case& c : cases)
   {
      SliderWidget* slider = Make<SliderWidget>(std::string("{") + c.parts + "}");
      EXPECT_EQ(slider->increaseDirection, c.increase) << c.parts;
      EXPECT_EQ(slider->decreaseDirection, c.decrease) << c.parts;
      WidgetDestroy(slider);
   }
}

TEST_F(SliderTest, ValuesOffTheGridAreReportedAndSnapped)
{
   LogCapture log;
   SliderWidget* slider = Make<SliderWidget>(
       R"({"Minimum": 0, "Maximum": 10, "StepMinimum": 2, "Value": 7, "StepSmall": 2, "StepLarge": 4})");
   EXPECT_FLOAT_EQ(slider->ValueGet(), 8.0f);
   EXPECT_EQ(log.text, "SliderWidget W -- Value 7.000000 is not a multiple of the minimum step 2.000000 from "
                       "the minimum 0.000000\n");
   WidgetDestroy(slider);
}

TEST_F(SliderTest, OnlyRealChangesNotifyAndTheRangeSideIsNotTheUser)
{
   SliderWidget* slider = Slider(R"({"Maximum": 10, "StepMinimum": 2, "StepSmall": 2})");
   slider->ValueSet(4.0f, true);
   slider->ValueSet(4.0f, true);
   slider->ValueSet(4.4f, true); // snaps back to 4
   ASSERT_EQ(changes.size(), 1u);
   EXPECT_TRUE(changes[0].byUser);

   slider->ValueSet(10.0f, true);
   slider->ValueSet(50.0f, true); // clamps to the value it has
   EXPECT_EQ(changes.size(), 2u);

   // The FloatRange side reaches the slider's own ValueSet, which notifies as not by the user.
   FloatRange* range = slider;
   range->ValueSet(4.0f);
   range->MinimumSet(1.0f); // re-snaps 4 to 5 on the grid from 1
   ASSERT_EQ(changes.size(), 4u);
   EXPECT_FLOAT_EQ(changes[3].newValue, 5.0f);
   EXPECT_FLOAT_EQ(changes[3].oldValue, 4.0f);
   EXPECT_FALSE(changes[2].byUser);
   EXPECT_FALSE(changes[3].byUser);
   WidgetDestroy(slider);
}

TEST_F(SliderTest, StepButtonsMoveBySmallStepsAndTheThumbFollows)
{
   SliderWidget* slider = Slider();
   auto* increase = dynamic_cast<SliderValueChangeButtonWidget*>(slider->ChildGetByName("IncreaseButton"));
   auto* decrease = dynamic_cast<SliderValueChangeButtonWidget*>(slider->ChildGetByName("DecreaseButton"));
   ASSERT_TRUE(increase && decrease);
   int holds = 0;
   increase->onHold = [](u32, PressButtonWidget*, void* count) { ++*static_cast<int*>(count); };
   increase->onHoldUserData = &holds;
   increase->OnPress();
   increase->OnHold(1);
   increase->OnHold(2);
   EXPECT_FLOAT_EQ(slider->ValueGet(), 3.0f);
   EXPECT_EQ(holds, 2);
   decrease->OnPress();
   EXPECT_FLOAT_EQ(slider->ValueGet(), 2.0f);
   EXPECT_FLOAT_EQ(slider->thumb->PositionGet().x, 4.0f);
   for (const Change& change : changes)
   {
      EXPECT_TRUE(change.byUser);
   }

   slider->EnabledSet(false);
   increase->OnPress();
   increase->OnHold(3);
   EXPECT_FLOAT_EQ(slider->ValueGet(), 2.0f) << "a disabled slider does not step";
   WidgetDestroy(slider);
}

TEST_F(SliderTest, PagingStopsOnceTheThumbHasPassedThePointer)
{
   SliderWidget* slider = Slider();
   slider->leftPressRecord = Record();
   // Screen x 250 is slider x 150, where the value 75 would put the thumb.
   PointerSet(250, 110, true, false);
   slider->OnPress();
   EXPECT_FLOAT_EQ(slider->ValueGet(), 10.0f);
   for (i32 i = 1; i <= 20; i++)
   {
      slider->OnHold(i);
   }
   // At 70 the thumb covers x 140-160 and holds the pointer; one more page would leave it behind.
   EXPECT_FLOAT_EQ(slider->ValueGet(), 70.0f);
   EXPECT_EQ(changes.size(), 7u);

   // A new press on the low side pages down.
   PointerSet(110, 110, true, false);
   slider->OnPress();
   EXPECT_FLOAT_EQ(slider->ValueGet(), 60.0f);

   // Without the button down nothing pages.
   PointerSet(110, 110, false, true);
   slider->OnHold(1);
   EXPECT_FLOAT_EQ(slider->ValueGet(), 60.0f);
   WidgetDestroy(slider);
}

TEST_F(SliderTest, ADraggedThumbStaysWhereThePointerPutIt)
{
   SliderWidget* slider = Slider();
   SliderThumbWidget* thumb = slider->thumb;
   ASSERT_NE(thumb, nullptr);
   thumb->leftPressRecord = Record();
   PointerSet(105, 105, true, false);
   thumb->OnPress();
   PointerSet(138, 140, true, true);
   thumb->OnDrag();
   // 33 of 200 is 16.5, snapped to 17; the thumb keeps the projection of the pointer.
   EXPECT_FLOAT_EQ(slider->ValueGet(), 17.0f);
   EXPECT_FLOAT_EQ(thumb->PositionGet().x, 33.0f);
   EXPECT_FLOAT_EQ(thumb->PositionGet().y, 0.0f);
   ASSERT_EQ(changes.size(), 1u);
   EXPECT_TRUE(changes[0].byUser);

   // The drag area keeps the thumb on its line.
   PointerSet(900, 105, true, true);
   thumb->OnDrag();
   EXPECT_FLOAT_EQ(slider->ValueGet(), 100.0f);
   EXPECT_FLOAT_EQ(thumb->PositionGet().x, 200.0f);
   WidgetDestroy(slider);
}

TEST_F(SliderTest, NavigationKeysStepAndShowOnTheParts)
{
   SliderWidget* slider = Slider();
   Navigator* navigator = MemoryNew<Navigator>(HEAP_DEFAULT);
   navigator->selection.PushBack(slider);
   GUIManager::navigators.Insert(navigator, GUIManager::navigators.count);
   auto* increase = dynamic_cast<SliderValueChangeButtonWidget*>(slider->ChildGetByName("IncreaseButton"));
   auto* decrease = dynamic_cast<SliderValueChangeButtonWidget*>(slider->ChildGetByName("DecreaseButton"));

   navigator->directionDown[3] = 1; // newly down: one step
   slider->Update(16);
   EXPECT_FLOAT_EQ(slider->ValueGet(), 1.0f);
   EXPECT_EQ(increase->pointerState, BUTTON_POINTER_DOWN_OVER);
   EXPECT_EQ(slider->thumb->pointerState, BUTTON_POINTER_DOWN_OVER);
   EXPECT_EQ(decrease->pointerState, BUTTON_POINTER_UP_OVER);

   navigator->directionWasDown[3] = 1; // still held, no repeat pulse
   slider->Update(16);
   EXPECT_FLOAT_EQ(slider->ValueGet(), 1.0f);
   navigator->directionRepeat[3] = 1;
   slider->Update(16);
   EXPECT_FLOAT_EQ(slider->ValueGet(), 2.0f);

   navigator->directionDown[3] = navigator->directionWasDown[3] = navigator->directionRepeat[3] = 0;
   navigator->directionDown[2] = 1;
   slider->Update(16);
   EXPECT_FLOAT_EQ(slider->ValueGet(), 1.0f);

   // A focus neighbour along the axis takes the keys away from the slider.
   navigator->directionWasDown[2] = 0;
   slider->NeighbourSet(2, increase);
   slider->Update(16);
   EXPECT_FLOAT_EQ(slider->ValueGet(), 1.0f);
   EXPECT_EQ(decrease->pointerState, BUTTON_POINTER_UP_OVER);

   GUIManager::navigators.Remove(navigator);
   MemoryDelete(navigator);
   WidgetDestroy(slider);
}

TEST_F(SliderTest, TheLuaHandlerHearsEveryChange)
{
   ASSERT_TRUE(ScriptManager::Init());
   ASSERT_TRUE(ScriptManager::Execute("GUI = {}"));
   GUIManager::scriptingEnabled = 1;
   SliderWidget* slider = Make<SliderWidget>(R"({"Maximum": 10})", nullptr, "Volume");
   ASSERT_TRUE(
       ScriptManager::Execute("function GUI.Volume.OnValueChange(new, old, byUser) "
                              "LuaVar.heard = string.format('%g %g %s', new, old, tostring(byUser)) end"));
   slider->ValueSet(4.0f, false);
   ASSERT_NE(ScriptManager::LuaVarGet("heard"), nullptr);
   EXPECT_STREQ(ScriptManager::LuaVarGet("heard"), "4 0 false");
   slider->ValueSet(6.0f, true);
   EXPECT_STREQ(ScriptManager::LuaVarGet("heard"), "6 4 true");
   WidgetDestroy(slider);
   GUIManager::scriptingEnabled = 0;
   ScriptManager::Deinit();
}
} // namespace
