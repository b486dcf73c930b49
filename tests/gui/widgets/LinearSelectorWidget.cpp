// The linear selector: which neighbours are shown on each side within the horizon, where, and how
// the list runs round at both ends.
#include "gui/widgets/LinearSelectorWidget.h"

#include <string>

#include "tests/gui/WidgetTestSupport.h"
#include "gui/widgets/ItemListSelectorWidget.h"
#include "gui/widgets/RingSelectorWidget.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/SelectorItemWidget.h"

using namespace WidgetTest;

namespace
{
class LinearSelectorTest : public GUITest
{
 protected:
   void TearDown() override
   {
      WidgetDestroy(selector);
      GUITest::TearDown();
   }

   void Build(i32 count, const std::string& keys)
   {
      WidgetDestroy(selector);
      std::string items;
      for (i32 i = 0; i < count; i++)
      {
         items += std::string(i ? ", " : "") + "{\"Name\": \"" + std::to_string(i) + "\"}";
      }
      selector = Make<LinearSelectorWidget>(R"({"ItemSelectedPositionOffset": "100|50",
          "ItemNextPositionOffset": "30|-2", )" +
                                                keys + R"("Items": [)" + items + "]}",
                                            nullptr, "Line");
   }

   // The shown items in list order, each as index@x,y.
   std::string Shown()
   {
      std::string result;
      for (i32 i = 0; i < selector->itemContainer->ChildCountGet(); i++)
      {
         Widget* item = selector->itemContainer->ChildGetAt(i);
         if (item->VisibleCheck())
         {
            Point2F at = item->PositionGet();
            result += (result.empty() ? "" : " ") + std::to_string(i) + "@" +
                      std::to_string(static_cast<int>(at.x)) + "," + std::to_string(static_cast<int>(at.y));
         }
      }
      return result;
   }

   LinearSelectorWidget* selector = nullptr;
};

TEST_F(LinearSelectorTest, TheChosenItemAndItsNeighboursWithinTheHorizon)
{
   const struct
   {
      i32 count;
      const char* keys;
      const char* chosen;
      const char* shown;
   } cases[] = {
       {5, R"("ItemCountHorizon": 1, )", "2", "1@70,52 2@100,50 3@130,48"},
       {5, R"("ItemCountHorizon": 1, )", "0", "0@100,50 1@130,48 4@70,52"},
       // Six items: three after the choice and two before.
       {6, R"("ItemCountHorizon": 3, )", "2", "0@40,54 1@70,52 2@100,50 3@130,48 4@160,46 5@190,44"},
       {6, R"("ItemCountHorizon": 3, )", "5", "0@130,48 1@160,46 2@190,44 3@40,54 4@70,52 5@100,50"},
       {6, R"("ItemCountHorizon": 1.9, )", "0", "0@100,50 1@130,48 5@70,52"},
       {3, "", "1", "1@100,50"},
       {3, R"("ItemCountHorizon": -2, )", "1", "1@100,50"},
       {1, R"("ItemCountHorizon": 4, )", "0", "0@100,50"},
       {2, R"("ItemCountHorizon": 4, )", "0", "0@100,50 1@130,48"},
       // The list runs round whatever "WrapAround" says.
       {4, R"("ItemCountHorizon": 2, "WrapAround": false, )", "3", "0@130,48 1@160,46 2@70,52 3@100,50"},
   };
   for (const auto& c : cases)
   {
      Build(c.count, c.keys);
      ASSERT_TRUE(selector->SelectionSetByName(c.chosen, false));
      selector->Update(16);
      EXPECT_EQ(Shown(), c.shown) << c.count << " items, " << c.keys << "chosen " << c.chosen;
   }
}

TEST_F(LinearSelectorTest, StepsFollowTheListAndAnEmptyChoiceLeavesItAlone)
{
   Build(5, R"("ItemCountHorizon": 1, )");
   selector->SelectionStep(-1, true);
   selector->Update(16);
   EXPECT_STREQ(selector->SelectionNameGet(), "4");
   EXPECT_EQ(Shown(), "0@130,48 3@70,52 4@100,50");
   selector->TransitionsFinish();
   EXPECT_EQ(Shown(), "0@130,48 3@70,52 4@100,50");

   selector->SelectionClear();
   selector->Update(16);
   EXPECT_EQ(Shown(), "0@130,48 3@70,52 4@100,50") << "nothing is laid out without a choice";

   Build(0, R"("ItemCountHorizon": 1, )");
   selector->Update(16);
   EXPECT_EQ(Shown(), "");
}
TEST_F(LinearSelectorTest, TheThreeSelectorsAreRegisteredUnderTheirLayerNames)
{
   GUIManager::WidgetTypesRegister();
   const struct
   {
      const char* type;
      const char* typeName;
   } types[] = {{"ItemListSelector", "ItemListSelectorWidget"},
                {"RingSelector", "RingSelectorWidget"},
                {"LinearSelector", "LinearSelectorWidget"}};
   for (const auto& t : types)
   {
      WidgetCreateFunction create = GUIManager::WidgetTypeFind(t.type);
      ASSERT_NE(create, nullptr) << t.type;
      Widget* widget = create(t.type, HEAP_DEFAULT);
      EXPECT_NE(dynamic_cast<SelectorWidget*>(widget), nullptr) << t.type;
      EXPECT_STREQ(widget->TypeNameGet(), t.typeName);
      MemoryDelete(widget);
   }
}
} // namespace
