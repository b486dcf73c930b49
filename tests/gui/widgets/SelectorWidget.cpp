// The selector base, through a minimal selector that keeps its items in one radio container:
// stepping with and without wrap-around, the change buttons with hold, the wheel, detail texts,
// the item template, malformed items, clicks on items, removal and the Lua handler.
#include "gui/widgets/SelectorWidget.h"

#include <string>
#include <vector>

#include "tests/gui/WidgetTestSupport.h"
#include "core/ScriptManager.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/SelectorItemWidget.h"
#include "gui/widgets/SelectorSelectionChangeButtonWidget.h"
#include "gui/widgets/TextDocumentWidget.h"

using namespace WidgetTest;

namespace
{
// The least a concrete selector does: an item container, and "Items" read at Init.
class TestSelector : public SelectorWidget
{
 public:
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override
   {
      SelectorWidget::Init(widgetName, parentWidget, specification);
      container = MemoryNew<RadioButtonContainerWidget>(HEAP_DEFAULT);
      container->InitWithoutSpecification("ItemContainer", this);
      ChildAddLast(container);
      const JSONValue* items = specification ? specification->ItemGet("Items") : &JSONValue::nullValue;
      if (items->TypeGet() != JSONValue::TYPE_NULL)
      {
         ItemsAddLast(items);
      }
   }
   void Deinit() override
   {
      SelectorWidget::Deinit();
      container = nullptr;
   }
   bool LuaEventsEnabledCheck() override { return true; }
   ContainerWidget* ItemsContainerGet() override { return container; }
   void ItemsLayout() override { layouts++; }
   void OnSelectionStep() override { steps++; }

   RadioButtonContainerWidget* container = nullptr;
   int layouts = 0;
   int steps = 0;
};

struct Change
{
   std::string newName;
   std::string oldName;
   bool byUser;
};

std::string NameOf(Widget* widget)
{
   return widget ? widget->NameGet() : "-";
}

void ChangeHeard(SelectorItemWidget* newItem, SelectorItemWidget* oldItem, bool byUser, void* data)
{
   static_cast<std::vector<Change>*>(data)->push_back({NameOf(newItem), NameOf(oldItem), byUser});
}

struct ItemClick
{
   bool wasSelected;
   std::string name;
};

void ItemClickHeard(bool wasSelected, SelectorItemWidget* item, void* data)
{
   static_cast<std::vector<ItemClick>*>(data)->push_back({wasSelected, NameOf(item)});
}

struct ButtonCalls
{
   int presses = 0;
   std::vector<u32> holds;
};

void PressHeard(PressButtonWidget*, void* data)
{
   static_cast<ButtonCalls*>(data)->presses++;
}

void HoldHeard(u32 count, PressButtonWidget*, void* data)
{
   static_cast<ButtonCalls*>(data)->holds.push_back(count);
}

const char* const abc = R"("Items": [{"Name": "A"}, {"Name": "B"}, {"Name": "C"}])";

class SelectorTest : public GUITest
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
      selector = Make<TestSelector>("{" + body + "}", nullptr, "Picker");
      selector->onSelectionChange = &ChangeHeard;
      selector->onSelectionChangeUserData = &changes;
   }

   SelectorItemWidget* Item(const char* name)
   {
      return dynamic_cast<SelectorItemWidget*>(selector->container->ChildGetByName(name));
   }

   // The on-states of the items in order, as a string of 1 and 0.
   std::string On()
   {
      std::string result;
      for (i32 i = 0; i < selector->container->ChildCountGet(); i++)
      {
         result += dynamic_cast<SelectorItemWidget*>(selector->container->ChildGetAt(i))->OnGet() ? '1' : '0';
      }
      return result;
   }

   TestSelector* selector = nullptr;
   std::vector<Change> changes;
};

TEST_F(SelectorTest, TheFirstItemIsChosenAndOnlyTheChoiceIsOn)
{
   Build("");
   ValuePointer items = TextParse(R"([{"Name": "A"}, {"Name": "B"}, {"Name": "C"}])");
   selector->ItemsAddLast(items.get());
   EXPECT_STREQ(selector->SelectionNameGet(), "A");
   EXPECT_EQ(On(), "100");
   ASSERT_EQ(changes.size(), 1u);
   EXPECT_EQ(changes[0].newName, "A");
   EXPECT_EQ(changes[0].oldName, "-");
   EXPECT_FALSE(changes[0].byUser);
   EXPECT_EQ(selector->layouts, 3) << "each added item is laid out";
   EXPECT_EQ(Item("B")->selector, selector);

   EXPECT_TRUE(selector->SelectionSetByName("C", true));
   EXPECT_EQ(On(), "001");
   EXPECT_FALSE(selector->SelectionSetByName("Z", true));
   EXPECT_STREQ(selector->SelectionNameGet(), "C");
   // Switching an item on by any other way also goes through the selector.
   Item("B")->OnSet(true);
   EXPECT_EQ(selector->SelectionGet(), Item("B"));
   EXPECT_EQ(On(), "010");
   ASSERT_EQ(changes.size(), 3u);
   EXPECT_EQ(changes[2].newName, "B");
   EXPECT_EQ(changes[2].oldName, "C");
   EXPECT_FALSE(changes[2].byUser);
}

TEST_F(SelectorTest, StepsWrapAroundOrStopAtTheEnds)
{
   const struct
   {
      bool wrap;
      const char* from;
      i32 delta;
      const char* to;
   } cases[] = {
       {true, "C", 1, "A"},   {true, "A", -1, "C"},  {false, "C", 1, "C"},
       {false, "A", -1, "A"}, {true, "A", 4, "B"},   {true, "A", -5, "B"},
       {false, "A", 5, "C"},  {false, "C", -7, "A"}, {true, "B", 0, "B"},
   };
   for (const auto& c : cases)
   {
      Build(std::string(R"("WrapAround": )") + (c.wrap ? "true" : "false") + "," + abc);
      selector->SelectionSetByName(c.from, false);
      changes.clear();
      selector->SelectionStep(c.delta, true);
      EXPECT_STREQ(selector->SelectionNameGet(), c.to) << c.wrap << " " << c.from << " " << c.delta;
      EXPECT_EQ(selector->steps, 1);
      EXPECT_EQ(changes.size(), std::string(c.from) == c.to ? 0u : 1u);
      if (!changes.empty())
      {
         EXPECT_TRUE(changes[0].byUser);
      }
   }

   // A step with nothing chosen chooses the first item, whatever the step.
   selector->SelectionClear();
   selector->SelectionStep(-1, true);
   EXPECT_STREQ(selector->SelectionNameGet(), "A");
}

TEST_F(SelectorTest, ChangeButtonsStepOnPressAndWhileHeld)
{
   Build(R"("WrapAround": false, "NextButton": {"Bounds": "0|0|20|20"},
            "PreviousButton": {"Bounds": "0|0|20|20"}, "Items": [{"Name": "I0"}, {"Name": "I1"},
            {"Name": "I2"}, {"Name": "I3"}, {"Name": "I4"}, {"Name": "I5"}, {"Name": "I6"},
            {"Name": "I7"}, {"Name": "I8"}, {"Name": "I9"}, {"Name": "I10"}, {"Name": "I11"},
            {"Name": "I12"}, {"Name": "I13"}])");
   ASSERT_NE(selector->nextButton, nullptr);
   ASSERT_NE(selector->previousButton, nullptr);
   EXPECT_EQ(selector->ChildGetAt(0), selector->nextButton);
   EXPECT_EQ(selector->ChildGetAt(1), selector->previousButton);
   EXPECT_TRUE(selector->nextButton->next);
   EXPECT_FALSE(selector->previousButton->next);

   ButtonCalls calls;
   SelectorSelectionChangeButtonWidget* next = selector->nextButton;
   next->onPress = &PressHeard;
   next->onPressUserData = &calls;
   next->onHold = &HoldHeard;
   next->onHoldUserData = &calls;

   // Held for one second in frames of 50 ms: one step at the press, one 500 ms later, then one
   // every 50 ms.
   PointerSet(10, 10, true, false);
   Record()->pressed = next;
   Record()->hovered = next;
   next->OnPress();
   EXPECT_EQ(selector->ItemsContainerGet()->ChildIndexGet(selector->SelectionGet()), 1);
   std::vector<i32> indexes;
   for (int frame = 1; frame <= 20; frame++)
   {
      PointerSet(10, 10, true, true);
      selector->Update(50);
      indexes.push_back(selector->ItemsContainerGet()->ChildIndexGet(selector->SelectionGet()));
   }
   EXPECT_EQ(indexes, (std::vector<i32>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
   EXPECT_EQ(calls.presses, 1);
   EXPECT_EQ(calls.holds, (std::vector<u32>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
   for (const Change& change : changes)
   {
      if (change.oldName != "-")
      {
         EXPECT_TRUE(change.byUser);
      }
   }
   Record()->pressed = nullptr;
   Record()->hovered = nullptr;

   selector->previousButton->OnPress();
   EXPECT_STREQ(selector->SelectionNameGet(), "I10");
   // A disabled button neither steps nor reports.
   next->EnabledSet(false);
   next->OnPress();
   next->OnHold(3);
   EXPECT_STREQ(selector->SelectionNameGet(), "I10");
   EXPECT_EQ(calls.presses, 1);
   EXPECT_EQ(calls.holds.size(), 10u);
}

TEST_F(SelectorTest, TheWheelStepsBackForPositiveAmountsAndTruncates)
{
   const struct
   {
      float coefficient;
      i32 notches;
      const char* to;
   } cases[] = {
       {1.0f, 1, "B"},  {1.0f, -1, "D"}, {0.5f, 1, "C"}, {0.5f, -1, "C"},
       {2.0f, -1, "E"}, {0.5f, -3, "D"}, {1.5f, 1, "B"}, {1.0f, 5, "A"},
   };
   for (const auto& c : cases)
   {
      Build(R"("WrapAround": false, "Items": [{"Name": "A"}, {"Name": "B"}, {"Name": "C"},
               {"Name": "D"}, {"Name": "E"}])");
      selector->SelectionSetByName("C", false);
      selector->MouseScrollCoefficientSet(c.coefficient);
      selector->OnMouseScroll(c.notches);
      EXPECT_STREQ(selector->SelectionNameGet(), c.to) << c.coefficient << " " << c.notches;
   }
}

TEST_F(SelectorTest, ItemsReadTheirDetailAndTheDocumentShowsTheChoice)
{
   LogCapture log;
   Build(R"("DetailTextDocument": {"Bounds": "0|0|200|100", "ClipContainer": {"ClipArea": "0|0|200|100"}},
      "Items": [
        {"Name": "Plain", "DetailText": "Some words"},
        {"Name": "Both", "DetailTextKey": "Key.Detail", "DetailTextFilename": "HelpFile"},
        {"Name": "Key", "DetailTextKey": "Key.Detail", "DetailText": "ignored"},
        {"Name": "Expression", "DetailTextExpression": "'x' .. 1"},
        {"Name": "Number", "DetailTextKey": 12, "DetailText": "not read: the key came first"},
        {"Name": "FileNumber", "DetailTextFilename": 3, "DetailTextKey": "Key.Detail"},
        {"Name": "None"}])");
   const struct
   {
      const char* name;
      const char* text;
      i32 kind;
   } cases[] = {
       {"Plain", "Some words", SELECTOR_DETAIL_TEXT},
       {"Both", "HelpFile", SELECTOR_DETAIL_TEXT_FILENAME},
       {"Key", "Key.Detail", SELECTOR_DETAIL_TEXT_KEY},
       {"Expression", "'x' .. 1", SELECTOR_DETAIL_TEXT_EXPRESSION},
       {"Number", nullptr, SELECTOR_DETAIL_TEXT_KEY},
       {"FileNumber", "Key.Detail", SELECTOR_DETAIL_TEXT_KEY},
       {"None", nullptr, SELECTOR_DETAIL_TEXT},
   };
   for (const auto& c : cases)
   {
      SelectorItemWidget* item = Item(c.name);
      ASSERT_NE(item, nullptr) << c.name;
      EXPECT_EQ(item->DetailKindGet(), c.kind) << c.name;
      EXPECT_EQ(item->DetailTextGet() ? std::string(item->DetailTextGet()) : "-", c.text ? c.text : "-")
          << c.name;
   }

   TextDocumentWidget* document = selector->detailTextDocument;
   ASSERT_NE(document, nullptr);
   EXPECT_STREQ(document->TextGet(), "Some words");
   selector->SelectionSetByName("Both", false);
   EXPECT_STREQ(document->TextFilenameGet(), "HelpFile");
   selector->SelectionSetByName("Key", false);
   EXPECT_STREQ(document->TextKeyGet(), "Key.Detail");
   EXPECT_EQ(document->TextFilenameGet(), nullptr);
   selector->SelectionSetByName("Expression", false);
   EXPECT_STREQ(document->TextExpressionGet(), "'x' .. 1");
   selector->SelectionSetByName("None", false);
   EXPECT_EQ(document->TextExpressionGet(), nullptr);
   EXPECT_TRUE(document->TextGet() == nullptr || document->TextGet()[0] == '\0') << "cleared";

   // A new detail of the chosen item shows at once; another item's waits for its turn.
   Item("None")->DetailTextSet("Now some", SELECTOR_DETAIL_TEXT);
   EXPECT_STREQ(document->TextGet(), "Now some");
   Item("Plain")->DetailTextSet("Changed", SELECTOR_DETAIL_TEXT);
   EXPECT_STREQ(document->TextGet(), "Now some");
}

TEST_F(SelectorTest, ItemsTakeTheTemplateUnderTheirOwnKeys)
{
   Build(R"("ItemTemplate": {"Bounds": "0|0|50|20", "DetailText": "From the template"},
            "Items": [{"Name": "A"}, {"Name": "B", "DetailText": "Own", "Bounds": "0|0|80|30"}])");
   EXPECT_STREQ(Item("A")->DetailTextGet(), "From the template");
   EXPECT_FLOAT_EQ(Item("A")->BoundsGet().width, 50.0f);
   EXPECT_STREQ(Item("B")->DetailTextGet(), "Own");
   EXPECT_FLOAT_EQ(Item("B")->BoundsGet().width, 80.0f);
   ASSERT_NE(selector->itemTemplate, nullptr);
   EXPECT_EQ(selector->itemTemplate->ItemGet("Name")->TypeGet(), JSONValue::TYPE_NULL)
       << "the template is not changed by a merge";
}

TEST_F(SelectorTest, MalformedItemsAreSkippedWithAWarning)
{
   LogCapture log;
   Build(R"("Items": [{"Name": "A"}, "B", {"Title": "C"}, {"Name": 4}, {"Name": "E"}])");
   EXPECT_EQ(selector->container->ChildCountGet(), 2);
   EXPECT_NE(Item("E"), nullptr);
   EXPECT_TRUE(
       log.Has("SelectorWidget::ItemCreate -- Item not specified as a JSON object for selector Picker.\n"));
   EXPECT_TRUE(log.Has("SelectorWidget::ItemCreate -- Name not specified for item for selector Picker.\n"));

   ValuePointer notArray = TextParse(R"({"Name": "F"})");
   selector->ItemsAddLast(notArray.get());
   EXPECT_TRUE(
       log.Has("SelectorWidget::ItemsAddLast -- Items not specified as a JSON array for selector Picker.\n"));
   EXPECT_EQ(selector->container->ChildCountGet(), 2);
}

TEST_F(SelectorTest, ClickingAnItemChoosesItAndReportsWhetherItWasChosen)
{
   Build(abc);
   std::vector<ItemClick> clicks;
   selector->onItemClick = &ItemClickHeard;
   selector->onItemClickUserData = &clicks;
   changes.clear();

   Item("B")->OnClick();
   EXPECT_STREQ(selector->SelectionNameGet(), "B");
   EXPECT_EQ(On(), "010");
   Item("B")->OnClick();
   EXPECT_STREQ(selector->SelectionNameGet(), "B");
   EXPECT_EQ(On(), "010") << "a click never turns the chosen item off";

   ASSERT_EQ(clicks.size(), 2u);
   EXPECT_FALSE(clicks[0].wasSelected);
   EXPECT_EQ(clicks[0].name, "B");
   EXPECT_TRUE(clicks[1].wasSelected);
   ASSERT_EQ(changes.size(), 1u) << "the second click changes nothing";
   EXPECT_EQ(changes[0].newName, "B");
   EXPECT_EQ(changes[0].oldName, "A");
}

TEST_F(SelectorTest, RemovingTheChoiceLeavesNoneUntilTheNextStep)
{
   Build(R"("DetailTextDocument": {"ClipContainer": {"ClipArea": "0|0|200|100"}},
            "Items": [{"Name": "A", "DetailText": "a"}, {"Name": "B"}, {"Name": "C"}])");
   changes.clear();
   EXPECT_TRUE(selector->ItemRemoveByName("A"));
   EXPECT_EQ(selector->SelectionGet(), nullptr);
   ASSERT_EQ(changes.size(), 1u);
   EXPECT_EQ(changes[0].newName, "-");
   EXPECT_EQ(changes[0].oldName, "A");
   EXPECT_FALSE(changes[0].byUser);
   EXPECT_TRUE(selector->detailTextDocument->TextGet() == nullptr ||
               selector->detailTextDocument->TextGet()[0] == '\0');
   EXPECT_FALSE(selector->ItemRemoveByName("A"));
   EXPECT_FALSE(selector->ItemRemove(nullptr));

   changes.clear();
   EXPECT_TRUE(selector->ItemRemoveByName("C"));
   EXPECT_TRUE(changes.empty()) << "an item that was not chosen goes quietly";
   selector->SelectionStep(1, true);
   EXPECT_STREQ(selector->SelectionNameGet(), "B");
}

TEST_F(SelectorTest, TheLuaHandlerHearsQuotedNamesAndTheFlag)
{
   ASSERT_TRUE(ScriptManager::Init());
   ASSERT_TRUE(ScriptManager::Execute("GUI = {}"));
   GUIManager::scriptingEnabled = 1;
   Build("");
   ASSERT_TRUE(ScriptManager::Execute("LuaVar.heard = '' "
                                      "function GUI.Picker.OnSelectionChange(new, old, byUser) "
                                      "LuaVar.heard = LuaVar.heard .. string.format('(%s,%s,%s)', "
                                      "tostring(new), tostring(old), tostring(byUser)) end"));
   ValuePointer items = TextParse(R"([{"Name": "One"}, {"Name": "Say \"two\""}])");
   selector->ItemsAddLast(items.get());
   selector->SelectionStep(1, true);
   selector->SelectionClear();
   ASSERT_NE(ScriptManager::LuaVarGet("heard"), nullptr);
   EXPECT_STREQ(ScriptManager::LuaVarGet("heard"),
                "(One,nil,false)(Say \"two\",One,true)(nil,Say \"two\",false)");
   WidgetDestroy(selector);
   selector = nullptr;
   GUIManager::scriptingEnabled = 0;
   ScriptManager::Deinit();
}
} // namespace
