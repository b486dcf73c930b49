// The item list selector: items laid out in a column or a row, the cursor placed at once on the
// first choice and eased to later ones, its bob, scrolling the choice to the middle of the view,
// and a list without a scroll box.
#include "gui/widgets/ItemListSelectorWidget.h"

#include <string>

#include "tests/gui/WidgetTestSupport.h"
#include "core/Progression.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/ScrollBoxWidget.h"
#include "gui/widgets/SelectorItemWidget.h"

using namespace WidgetTest;

namespace
{
// count items named 0, 1, ... of the given bounds.
std::string Items(int count, const char* bounds)
{
   std::string items = "\"Items\": [";
   for (int i = 0; i < count; i++)
   {
      items += std::string(i ? ", " : "") + "{\"Name\": \"" + std::to_string(i) + "\", \"Bounds\": \"" +
               bounds + "\"}";
   }
   return items + "]";
}

const char* const scrollBox = R"("ScrollBox": {"Bounds": "0|0|100|100",
    "ClipContainer": {"Bounds": "0|0|100|500", "ClipArea": "0|0|100|100"}}, )";
const char* const cursorSprite =
    R"("CursorSprite": {"Bounds": "0|0|10|10"}, "CursorOffsetFromItem": "-20|5", )";

class ItemListSelectorTest : public GUITest
{
 protected:
   void TearDown() override
   {
      WidgetDestroy(selector);
      GUITest::TearDown();
   }

   void Build(const std::string& body)
   {
      WidgetDestroy(selector);
      selector = Make<ItemListSelectorWidget>("{" + body + "}", nullptr, "List");
   }

   Point2F Cursor() { return selector->cursor->PositionGet(); }

   void Run(u32 total, u32 frame = 10)
   {
      for (u32 t = 0; t < total; t += frame)
      {
         selector->Update(frame);
      }
   }

   ItemListSelectorWidget* selector = nullptr;
};

TEST_F(ItemListSelectorTest, ItemsStepByTheirOwnSizeAndTheSpacing)
{
   const struct
   {
      const char* keys;
      const char* bounds;
      Point2F third;
   } cases[] = {
       {R"("ItemSpacing": "0|10", )", "0|0|100|40", {0.0f, 100.0f}},
       {R"("ItemSpacing": "3|10", "ItemPositioningType": "Vertical", )", "0|0|100|40", {6.0f, 100.0f}},
       {R"("ItemSpacing": "5|0", "ItemPositioningType": "Horizontal", )", "0|0|60|30", {130.0f, 0.0f}},
       {R"("ItemPositioningType": "Diagonal", )", "0|0|60|30", {0.0f, 60.0f}},
   };
   for (const auto& c : cases)
   {
      Build(std::string(scrollBox) + c.keys + Items(4, c.bounds));
      Widget* first = selector->itemContainer->ChildGetAt(0);
      Widget* third = selector->itemContainer->ChildGetAt(2);
      EXPECT_FLOAT_EQ(first->PositionGet().x, 0.0f) << c.keys;
      EXPECT_FLOAT_EQ(first->PositionGet().y, 0.0f) << c.keys;
      EXPECT_FLOAT_EQ(third->PositionGet().x, c.third.x) << c.keys;
      EXPECT_FLOAT_EQ(third->PositionGet().y, c.third.y) << c.keys;
   }
   EXPECT_EQ(selector->itemContainer->ParentGet(), selector->scrollBox->ClipContainerGet());
}

TEST_F(ItemListSelectorTest, TheFirstChoicePlacesTheCursorAndLaterOnesEaseItOver)
{
   Build(std::string(scrollBox) + cursorSprite + R"("ItemSpacing": "0|10",
       "CursorPositionTransitionDuration": 200, )" +
         Items(4, "0|0|100|40"));
   ASSERT_NE(selector->cursor, nullptr);
   EXPECT_TRUE(selector->cursor->VisibleCheck());
   EXPECT_EQ(selector->cursor->ParentGet(), selector->scrollBox->ClipContainerGet());
   EXPECT_FLOAT_EQ(Cursor().x, -20.0f) << "at the first item at once";
   EXPECT_FLOAT_EQ(Cursor().y, 5.0f);
   selector->Update(10);
   EXPECT_FLOAT_EQ(Cursor().y, 5.0f);

   selector->SelectionStep(1, true);
   Run(50);
   EXPECT_NEAR(Cursor().y, 5.0f + 50.0f * progressionSmooth.ValueGet(0.25f), 1e-3f) << "on the Smooth curve";
   Run(50);
   EXPECT_NEAR(Cursor().y, 30.0f, 1e-3f);
   Run(100);
   EXPECT_FLOAT_EQ(Cursor().y, 55.0f);
   EXPECT_TRUE(selector->cursorPositionTrack.finished);

   // Choosing again what is chosen re-places the cursor without a move; finishing jumps.
   selector->SelectionSetByName("1", false);
   Run(50);
   EXPECT_FLOAT_EQ(Cursor().y, 55.0f);
   selector->SelectionStep(2, true);
   Run(20);
   selector->TransitionsFinish();
   selector->Update(0);
   EXPECT_FLOAT_EQ(Cursor().y, 155.0f);

   // No choice hides the cursor; the next shows it again.
   selector->SelectionClear();
   EXPECT_FALSE(selector->cursor->VisibleCheck());
   selector->SelectionStep(1, true);
   EXPECT_TRUE(selector->cursor->VisibleCheck());
}

TEST_F(ItemListSelectorTest, TheCursorBobsOutToHalfTheOffsetAndBackOncePerPeriod)
{
   Build(std::string(scrollBox) + cursorSprite + Items(2, "0|0|100|40"));
   Run(1000);
   EXPECT_FLOAT_EQ(Cursor().x, -20.0f) << "a bobbing duration of 0 keeps the cursor still";
   EXPECT_FLOAT_EQ(Cursor().y, 5.0f);

   Build(std::string(scrollBox) + cursorSprite + R"("CursorBobbingTransitionDuration": 400,
       "CursorBobbingTransitionOffset": "8|-4", )" +
         Items(2, "0|0|100|40"));
   const struct
   {
      u32 after;
      float x, y;
   } path[] = {{200, -16.0f, 3.0f}, {200, -20.0f, 5.0f}, {200, -16.0f, 3.0f}, {200, -20.0f, 5.0f}};
   for (const auto& p : path)
   {
      Run(p.after, 50);
      EXPECT_NEAR(Cursor().x, p.x, 1e-3f);
      EXPECT_NEAR(Cursor().y, p.y, 1e-3f);
   }
}

TEST_F(ItemListSelectorTest, TheChoiceIsScrolledToTheMiddleWithinTheContent)
{
   Build(std::string(scrollBox) + R"("ItemSpacing": "0|10", "CursorPositionTransitionDuration": 100, )" +
         Items(10, "0|0|100|40"));
   const struct
   {
      const char* name;
      float offsetY;
   } cases[] = {{"5", 220.0f}, {"9", 400.0f}, {"1", 20.0f}, {"0", 0.0f}};
   for (const auto& c : cases)
   {
      selector->SelectionSetByName(c.name, false);
      Run(50);
      float halfway = selector->scrollBox->ContentOffsetGet().y;
      Run(60);
      EXPECT_FLOAT_EQ(selector->scrollBox->ContentOffsetGet().y, c.offsetY) << c.name;
      EXPECT_NE(halfway, c.offsetY) << c.name << ": the scroll takes the cursor's time";
   }
}

TEST_F(ItemListSelectorTest, WithoutAScrollBoxTheListLogsAndStillWorks)
{
   LogCapture log;
   Build(std::string(cursorSprite) + R"("CursorPositionTransitionDuration": true, )" +
         Items(3, "0|0|100|40"));
   EXPECT_TRUE(log.Contains("ItemListSelectorWidget::Init -- Missing ScrollBox definition.\n")) << log.text;
   EXPECT_EQ(selector->scrollBox, nullptr);
   EXPECT_EQ(selector->itemContainer->ParentGet(), selector);
   EXPECT_EQ(selector->cursor->ParentGet(), selector);
   EXPECT_STREQ(selector->SelectionNameGet(), "0");
   selector->SelectionStep(-1, true);
   EXPECT_STREQ(selector->SelectionNameGet(), "2");
   selector->Update(1);
   EXPECT_FLOAT_EQ(Cursor().y, 85.0f) << "a duration of true is one millisecond";

   // A list without items says so, and has no choice and no cursor shown.
   LogCapture second;
   Build(std::string(scrollBox) + cursorSprite + R"("ItemSpacing": "0|0")");
   EXPECT_TRUE(
       second.Contains("SelectorWidget::ItemsAddLast -- Items not specified as a JSON array for selector "
                       "List.\n"))
       << second.text;
   EXPECT_EQ(selector->SelectionGet(), nullptr);
   EXPECT_FALSE(selector->cursor->VisibleCheck());
}
} // namespace
