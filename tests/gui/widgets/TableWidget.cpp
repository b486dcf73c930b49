// Tables: selection with its notices and scrolling, the keys with hold repeat, removing rows,
// row buttons, row paths, sorting by label and number columns through the title buttons, and
// the fatal missing parts.
#include "gui/widgets/TableWidget.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/gui/WidgetTestSupport.h"
#include "core/Log.h"
#include "core/ScriptManager.h"
#include "gui/state/FadeManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TableColumnTitleButtonWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/input/PlatformKeys.h"

using namespace WidgetTest;

namespace
{
// A column header: one title button in each of its three states.
std::string Header(const std::string& name)
{
   std::string states;
   for (const char* state : {"Unsorted", "Ascending", "Descending"})
   {
      states +=
          std::string(states.empty() ? "" : ",") + R"({"Type": "Container", "Name": ")" + state +
          R"(", "Children": [{"Type": "TableColumnTitleButton", "Name": "Title", "Bounds": "0|0|100|30"}]})";
   }
   return R"({"Type": "StateContainer", "Name": ")" + name + R"(", "Children": [)" + states + "]}";
}

// Name and Score columns over a content window 100 high with rows of the given height.
std::string TableSpec(int rowHeight = 20, const std::string& extra = "")
{
   const std::string height = std::to_string(rowHeight);
   return R"({"Bounds": "0|0|300|130", "HoldStartDelay": 300, "HoldIntervalDuration": 100, )" + extra + R"(
      "ScrollBox": {"Bounds": "0|0|300|130",
                    "Columns": {"Children": [)" +
          Header("NameHeader") + "," + Header("ScoreHeader") + R"(]},
                    "ClipContainer": {"ClipArea": "0|30|300|100"}},
      "RowTemplate": {"Bounds": "0|0|300|)" +
          height + R"(", "RowButton": {"Bounds": "0|0|300|)" + height + R"("},
                      "Cells": {"Children": [{"Type": "Label", "Name": "Name"},
                                             {"Type": "NumberLabel", "Name": "Score", "PositionOffset": "100|0"},
                                             {"Type": "PressButton", "Name": "Go", "PositionOffset": "200|0"}]}}})";
}

struct Notice
{
   int newIndex;
   int oldIndex;
   bool byUser;
   bool operator==(const Notice& other) const
   {
      return newIndex == other.newIndex && oldIndex == other.oldIndex && byUser == other.byUser;
   }
};

std::ostream& operator<<(std::ostream& out, const Notice& n)
{
   return out << "(" << n.newIndex << "," << n.oldIndex << "," << n.byUser << ")";
}

class TableTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      std::memset(&keyboardState, 0, sizeof(keyboardState));
      LabelWidget::TypeRegister();
      NumberLabelWidget::TypeRegister();
      PressButtonWidget::TypeRegister();
      StateContainerWidget::TypeRegister();
      TableColumnTitleButtonWidget::TypeRegister();
      FadeManager::fading = 0;
   }

   void TearDown() override
   {
      GUIManager::focus = nullptr;
      WidgetDestroy(table);
      std::memset(&keyboardState, 0, sizeof(keyboardState));
      FadeManager::fading = 0;
      GUITest::TearDown();
   }

   // A focused table with one row per name; a null name leaves the label without text, and the
   // scores count 0, 1, 2... unless given.
   void Build(const std::vector<const char*>& names, const std::vector<double>& scores = {},
              const std::string& extra = "", int rowHeight = 20)
   {
      table = Make<TableWidget>(TableSpec(rowHeight, extra), nullptr, "Table");
      for (size_t i = 0; i < names.size(); i++)
      {
         ASSERT_TRUE(table->RowAdd());
         dynamic_cast<LabelWidget*>(table->CellGet(static_cast<i32>(i), 0))->TextSet(names[i]);
         dynamic_cast<NumberLabelWidget*>(table->CellGet(static_cast<i32>(i), 1))
             ->ValueSet(i < scores.size() ? scores[i] : static_cast<double>(i));
      }
      table->onSelectionChange =
          [](TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser, TableWidget* owner, void* data)
      {
         static_cast<std::vector<Notice>*>(data)->push_back(
             {owner->RowIndexGet(newRow), owner->RowIndexGet(oldRow), byUser});
      };
      table->onSelectionChangeUserData = &notices;
      GUIManager::focus = table;
   }

   // The names of the rows from top to bottom, checking that they are stacked in that order.
   std::string Order()
   {
      std::string order;
      for (i32 i = 0; i < table->RowCountGet(); i++)
      {
         EXPECT_EQ(table->RowGet(i)->PositionGet().y, 20.0f * static_cast<float>(i));
         const char* text = dynamic_cast<LabelWidget*>(table->CellGet(i, 0))->TextGet();
         order += std::string(order.empty() ? "" : " ") + (text ? text : "-");
      }
      return order;
   }

   std::string HeaderState(const char* header)
   {
      auto* state = dynamic_cast<StateContainerWidget*>(
          table->scrollBox->ColumnsContainerGet()->ChildGetByName(header));
      return state && state->StateNameGet() ? state->StateNameGet() : "-";
   }

   void TitleClick(const char* header)
   {
      std::string path = std::string(header) + "." + HeaderState(header) + ".Title";
      auto* title = dynamic_cast<TableColumnTitleButtonWidget*>(
          table->scrollBox->ColumnsContainerGet()->DescendantGetByPath(path.c_str()));
      ASSERT_NE(title, nullptr) << path;
      title->OnClick();
   }

   // One frame in which only the given keys are held (pressed: they were up the frame before).
   void Frame(std::initializer_list<u8> keys, u32 elapsed = 16)
   {
      std::memcpy(keyboardState.previous, keyboardState.current, sizeof(keyboardState.current));
      std::memset(keyboardState.current, 0, sizeof(keyboardState.current));
      for (u8 key : keys)
      {
         keyboardState.current[key] = 1;
      }
      table->Update(elapsed);
   }

   TableWidget* table = nullptr;
   std::vector<Notice> notices;
};

TEST_F(TableTest, SelectionIsReportedOnceAndScrolledIntoView)
{
   ASSERT_TRUE(ScriptManager::Init());
   ASSERT_TRUE(ScriptManager::Execute("GUI = {}"));
   GUIManager::scriptingEnabled = 1;
   Build({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
   ASSERT_TRUE(ScriptManager::Execute("LuaVar.heard = '' function GUI.Table.OnSelectionChange(n, o, byUser) "
                                      "LuaVar.heard = LuaVar.heard .. string.format('(%d,%d,%s)', n, o, "
                                      "tostring(byUser)) end"));
   EXPECT_TRUE(table->SelectionSetByIndex(2, false));
   EXPECT_TRUE(table->SelectionSetByIndex(2, true));
   EXPECT_TRUE(table->RowGet(2)->RowButtonGet()->OnGet());
   EXPECT_FALSE(table->SelectionSetByIndex(10, true));
   EXPECT_TRUE(table->SelectionSetByIndex(8, true));
   EXPECT_FALSE(table->RowGet(2)->RowButtonGet()->OnGet());
   EXPECT_TRUE(table->RowGet(8)->RowButtonGet()->OnGet());
   EXPECT_EQ(table->scrollBox->ContentOffsetGet().y, 80.0f) << "row 9 ends at 180, the window is 100 high";
   table->SelectionClear();
   EXPECT_EQ(table->SelectionGet(), -1);
   EXPECT_STREQ(ScriptManager::LuaVarGet("heard"), "(3,0,false)(9,3,true)(0,9,false)");
   EXPECT_EQ(notices, (std::vector<Notice>{{2, -1, false}, {8, 2, true}, {-1, 8, false}}));
   WidgetDestroy(table);
   table = nullptr;
   GUIManager::scriptingEnabled = 0;
   ScriptManager::Deinit();
}

TEST_F(TableTest, KeysMoveTheSelection)
{
   Build({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
   EXPECT_EQ(table->RowsPerPageGet(), 4) << "100 / 20 - 1";
   Frame({VK_DOWN});
   EXPECT_EQ(table->SelectionGet(), 0) << "the first row when none was selected";
   Frame({});
   Frame({VK_NEXT});
   EXPECT_EQ(table->SelectionGet(), 4);
   Frame({});
   Frame({VK_PRIOR});
   EXPECT_EQ(table->SelectionGet(), 0);
   Frame({});
   Frame({VK_UP});
   EXPECT_EQ(table->SelectionGet(), 0) << "Up on the first row stays";
   Frame({});
   table->SelectionSetByIndex(9, false);
   Frame({VK_DOWN});
   EXPECT_EQ(table->SelectionGet(), 9) << "Down on the last row stays";
   Frame({});
   EXPECT_TRUE(notices.back() == (Notice{9, 0, false}));

   // Only the first held key of Up, Down, Page Up, Page Down, Enter counts.
   table->SelectionSetByIndex(5, false);
   Frame({VK_DOWN, VK_UP});
   EXPECT_EQ(table->SelectionGet(), 4);
}

TEST_F(TableTest, HeldKeysRepeatAfterTheStartDelayThenEachInterval)
{
   Build({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
   table->SelectionSetByIndex(0, false);
   std::vector<int> seen;
   Frame({VK_DOWN});
   seen.push_back(table->SelectionGet());
   for (int i = 0; i < 5; i++)
   {
      Frame({VK_DOWN}, 100);
      seen.push_back(table->SelectionGet());
   }
   EXPECT_EQ(seen, (std::vector<int>{1, 1, 1, 2, 3, 4})) << "at once, after 300 ms, then every 100 ms";
   EXPECT_TRUE(notices.back().byUser);
}

TEST_F(TableTest, EnterIsReportedOncePerHoldAndCanMoveDown)
{
   Build({"a", "b", "c"}, {}, R"("ShiftDownOnEnter": true,)");
   int enters = 0;
   table->onEnterPress = [](TableWidget*, void* data) { ++*static_cast<int*>(data); };
   table->onEnterPressUserData = &enters;
   table->SelectionSetByIndex(2, false);
   Frame({VK_RETURN});
   EXPECT_EQ(enters, 1);
   EXPECT_EQ(table->SelectionGet(), 0) << "from the last row around to the first";
   for (int i = 0; i < 4; i++)
   {
      Frame({VK_RETURN}, 100);
   }
   EXPECT_EQ(enters, 1) << "a held Enter is one press";
   EXPECT_EQ(table->SelectionGet(), 2) << "while the selection moves on each repeat";
   Frame({});
   Frame({VK_RETURN, VK_LMENU});
   Frame({});
   Frame({VK_RETURN, VK_RMENU});
   EXPECT_EQ(enters, 1) << "Alt+Enter is the window's";
   EXPECT_EQ(table->SelectionGet(), 2);
}

TEST_F(TableTest, NoKeysWithoutFocusOrWhileInputIsHeldBack)
{
   Build({"a", "b", "c"});
   table->SelectionSetByIndex(0, false);
   GUIManager::focus = nullptr;
   Frame({VK_DOWN});
   Frame({});
   GUIManager::focus = table;
   FadeManager::fading = 1;
   Frame({VK_DOWN});
   Frame({});
   FadeManager::fading = 0;
   table->EnabledSet(false);
   Frame({VK_DOWN});
   Frame({});
   EXPECT_EQ(table->SelectionGet(), 0);
   table->EnabledSet(true);
   Frame({VK_DOWN});
   EXPECT_EQ(table->SelectionGet(), 1);
}

TEST_F(TableTest, RemovingRowsClearsOnlyTheirOwnSelection)
{
   Build({"a", "b", "c"});
   table->SelectionSetByIndex(1, true);
   EXPECT_TRUE(table->RowRemoveAt(2));
   EXPECT_EQ(table->SelectionGet(), 1);
   EXPECT_FALSE(table->RowRemoveAt(5));
   table->RowRemove(table->SelectedRowGet());
   EXPECT_EQ(table->SelectedRowGet(), nullptr);
   EXPECT_EQ(table->RowCountGet(), 1);
   EXPECT_EQ(table->scrollBox->ClipContainerGet()->BoundsGet().height, 20.0f);
   EXPECT_EQ(notices, (std::vector<Notice>{{1, -1, true}, {-1, 1, false}}));
   table->RowRemoveAt(0);
   EXPECT_EQ(table->scrollBox->ClipContainerGet()->BoundsGet().width, 1.0f) << "no rows: a content 1 wide";
   EXPECT_EQ(table->RowsPerPageGet(), 0);
   table->SelectionMove(1, true, true);
   EXPECT_EQ(notices.size(), 2u);
}

TEST_F(TableTest, RowButtonsSelectAndReportDoubleClicks)
{
   ASSERT_TRUE(ScriptManager::Init());
   ASSERT_TRUE(ScriptManager::Execute("GUI = {}"));
   GUIManager::scriptingEnabled = 1;
   Build({"a", "b", "c"});
   ASSERT_TRUE(ScriptManager::Execute(
       "LuaVar.heard = '' function GUI.Table.OnRowDoubleClick(n) LuaVar.heard = LuaVar.heard .. 'D' .. n end "
       "function GUI.Table.Go.OnClick() LuaVar.heard = LuaVar.heard .. 'G' end"));
   TableRowButtonWidget* button = table->RowGet(1)->RowButtonGet();
   button->OnPress();
   button->OnClick();
   EXPECT_EQ(table->SelectionGet(), 1);
   EXPECT_TRUE(button->OnGet()) << "a click on the selected row leaves it shown as selected";
   button->OnDoubleClick();
   auto* go = dynamic_cast<PressButtonWidget*>(table->DescendantGetByPath("Row3.Go"));
   ASSERT_NE(go, nullptr);
   go->OnClick();
   EXPECT_EQ(table->EventRowIndexGet(), 2) << "the row the cell's event came through";
   EXPECT_STREQ(ScriptManager::LuaVarGet("heard"), "D2G");
   EXPECT_EQ(notices, (std::vector<Notice>{{1, -1, true}}));
   WidgetDestroy(table);
   table = nullptr;
   GUIManager::scriptingEnabled = 0;
   ScriptManager::Deinit();
}

TEST_F(TableTest, PathsNameRowsAndTheirCells)
{
   Build({"a", "b", "c"});
   LogCapture log;
   EXPECT_EQ(table->DescendantGetByPath("Row2.Score"), table->CellGet(1, 1));
   EXPECT_EQ(table->DescendantGetByPath("Row2"), table->RowGet(1));
   EXPECT_EQ(table->DescendantGetByPath("Row0.Name"), nullptr);
   EXPECT_EQ(table->DescendantGetByPath("Row4.Name"), nullptr);
   EXPECT_EQ(table->DescendantGetByPath("Row1.Nothing"), nullptr);
   EXPECT_EQ(log.text, "") << "a missing row or cell only gives null";
   for (const char* wrong : {"Rows.Name", "Row2x.Name", "row2.Name"})
   {
      EXPECT_EQ(table->DescendantGetByPath(wrong), nullptr) << wrong;
   }
   EXPECT_TRUE(log.Has("TableWidget::DescendantGetByPath -- Incorrect path for row of TableWidget \"Table\": "
                       "Rows\nThe correct pattern is \"RowX\".\n"));
   EXPECT_TRUE(log.Has("\"Table\": Row2x\n"));
}

TEST_F(TableTest, TitleClicksSortAndShowTheDirection)
{
   Build({"b", "c", "a"}, {10, 9, 100});
   TitleClick("NameHeader");
   EXPECT_EQ(Order(), "a b c");
   EXPECT_EQ(HeaderState("NameHeader"), "Ascending");
   TitleClick("NameHeader");
   EXPECT_EQ(Order(), "c b a");
   EXPECT_EQ(HeaderState("NameHeader"), "Descending");
   TitleClick("NameHeader");
   EXPECT_EQ(Order(), "a b c");
   TitleClick("ScoreHeader");
   EXPECT_EQ(Order(), "c b a") << "9, 10, 100 by value";
   EXPECT_EQ(HeaderState("ScoreHeader"), "Ascending");
   EXPECT_EQ(HeaderState("NameHeader"), "Unsorted");
   TitleClick("ScoreHeader");
   EXPECT_EQ(Order(), "a b c");
}

TEST_F(TableTest, LabelsCompareByteByByteAndKeepTheOrderOfEqualsAndMissingTexts)
{
   const struct
   {
      std::vector<const char*> names;
      bool ascending;
      const char* expected;
   } cases[] = {
       {{"10", "9", "100"}, true, "10 100 9"},           {{"x", "B", "a"}, true, "B a x"},
       {{"\xC3\xA9", "z", "e"}, true, "e z \xC3\xA9"},   {{nullptr, "b", nullptr, "a"}, true, "a b - -"},
       {{nullptr, "b", nullptr, "a"}, false, "b a - -"},
   };
   for (const auto& c : cases)
   {
      Build(c.names);
      table->Sort(0, c.ascending);
      EXPECT_EQ(Order(), c.expected);
      WidgetDestroy(table);
      table = nullptr;
   }

   // Rows equal by the column keep their order in both directions: the scores tell them apart.
   Build({"k", "k", "j", "k"}, {1, 2, 3, 4});
   for (bool ascending : {true, false})
   {
      table->Sort(0, ascending);
      std::string scores;
      for (i32 i = 0; i < table->RowCountGet(); i++)
      {
         scores +=
             std::to_string(static_cast<int>(dynamic_cast<NumberLabelWidget*>(table->CellGet(i, 1))->value));
      }
      EXPECT_EQ(scores, ascending ? "3124" : "1243");
   }
}

TEST_F(TableTest, HeadersSwitchWithoutRowsAndOtherCellsOnlyRestack)
{
   Build({});
   TitleClick("ScoreHeader");
   EXPECT_EQ(HeaderState("ScoreHeader"), "Ascending");
   TitleClick("ScoreHeader");
   EXPECT_EQ(HeaderState("ScoreHeader"), "Descending");
   WidgetDestroy(table);

   Build({"b", "a"});
   table->SelectionSetByIndex(0, false);
   table->scrollBox->ContentOffsetSet(0.0f, 10.0f);
   table->Sort(2, true);
   EXPECT_EQ(Order(), "b a") << "a button column is not sorted";
   table->Sort(0, true);
   EXPECT_EQ(Order(), "a b");
   EXPECT_EQ(table->SelectionGet(), 1) << "the selection moves with its row";
   EXPECT_EQ(table->scrollBox->ContentOffsetGet().y, 10.0f) << "and is not scrolled into view";
}

TEST_F(TableTest, AMisplacedTitleButtonLogsAndOnlyRestacks)
{
   Build({"b", "a"});
   LogCapture log;
   // One level too deep: inside a container within a header state.
   auto* state = dynamic_cast<ContainerWidget*>(
       table->scrollBox->ColumnsContainerGet()->DescendantGetByPath("NameHeader.Unsorted"));
   ContainerWidget* inner = Make<ContainerWidget>("{}", state, "Inner");
   state->ChildAddLast(inner);
   TableColumnTitleButtonWidget* title =
       Make<TableColumnTitleButtonWidget>(R"({"Bounds": "0|0|10|10"})", inner, "Stray");
   inner->ChildAddLast(title);
   title->OnClick();
   EXPECT_TRUE(log.Has(
       "TableColumnTitleButtonWidget::AncestorsCache -- Can't find corresonding column for \"Stray\""));
   EXPECT_TRUE(log.Has(
       "TableColumnTitleButtonWidget::AncestorsCache -- Can't find corresonding TableWidget for \"Stray\""));
   EXPECT_EQ(Order(), "b a");

   TableColumnTitleButtonWidget* alone = Make<TableColumnTitleButtonWidget>("{}", nullptr, nullptr);
   alone->OnClick();
   // An unnamed widget is named after its type.
   EXPECT_TRUE(log.Has("TableColumnTitleButtonWidget::AncestorsCache -- Incorrect placement of "
                       "\"TableColumnTitleButtonWidget\" in a TableWidget's tree of widgets."));
   WidgetDestroy(alone);

   // A title whose table is found but not its column sorts by no column: the rows only restack.
   table->RowGet(0)->PositionSet(Point2F{0.0f, 55.0f});
   TableColumnTitleButtonWidget* noColumn = Make<TableColumnTitleButtonWidget>("{}", nullptr, "NoColumn");
   noColumn->ancestorsCached = 1;
   noColumn->table = table;
   noColumn->OnClick();
   EXPECT_EQ(Order(), "b a");
   EXPECT_EQ(table->sortColumn, -1);
   WidgetDestroy(noColumn);
}

TEST_F(TableTest, RowsLowerThanAUnitPageByOne)
{
   Build({"a", "b"}, {}, "", 0);
   EXPECT_EQ(table->RowsPerPageGet(), 1);
}

TEST_F(TableTest, OnlyTablesTakeASelectionCallbackByPath)
{
   TableWidget::TypeRegister();
   ContainerWidget* holder =
       Make<ContainerWidget>(R"({"Children": [)" + TableSpec(20, R"("Type": "Table", "Name": "Styles",)") +
                             R"(, {"Type": "Label", "Name": "Other"}]})");
   ContainerWidget* root = GUIManager::root;
   GUIManager::root = holder;
   auto heard = [](TableRowWidget*, TableRowWidget*, bool, TableWidget*, void*) {};
   EXPECT_TRUE(TableWidget::OnSelectionChangeCallbackSet("Styles", heard));
   EXPECT_FALSE(TableWidget::OnSelectionChangeCallbackSet("Other", heard));
   EXPECT_FALSE(TableWidget::OnSelectionChangeCallbackSet("Missing", heard));
   auto* styles = dynamic_cast<TableWidget*>(holder->ChildGetByName("Styles"));
   ASSERT_NE(styles, nullptr);
   EXPECT_NE(styles->onSelectionChange, nullptr);
   EXPECT_TRUE(styles->CanHaveFocusGet()) << "a table takes the focus unless told not to";
   EXPECT_EQ(styles->RowCountGet(), 0) << "the trial row is gone";
   GUIManager::root = root;
   WidgetDestroy(holder);
}

void StderrBox(const char* title, const char* text, bool error)
{
   (void)title;
   (void)error;
   std::fputs(text, stderr);
}

TEST_F(TableTest, AMissingPartEndsTheProgram)
{
   GTEST_FLAG_SET(death_test_style, "threadsafe");
   const struct
   {
      const char* path;
      const char* message;
   } cases[] = {
       {"ScrollBox", "TableWidget::Init -- Missing \"ScrollBox\" for widget \"Broken\""},
       {"RowTemplate", "TableWidget::Init -- Missing \"RowTemplate\" for widget \"Broken\""},
       {"ScrollBox.Columns", "TableScrollBoxWidget::Init -- Missing \"Columns\" for widget \"ScrollBox\""},
       {"RowTemplate.Cells", "TableRowWidget::Init -- Missing \"Cells\" container for widget \"Row\""},
   };
   for (const auto& c : cases)
   {
      ValuePointer spec = TextParse(TableSpec());
      std::string path = c.path;
      JSONValue* holder = spec.get();
      size_t dot = path.find('.');
      if (dot != std::string::npos)
      {
         holder = holder->ItemGet(path.substr(0, dot).c_str());
         path = path.substr(dot + 1);
      }
      holder->ItemStringSet(path.c_str(), "not an object");
      EXPECT_DEATH(
          {
             LogMessageBoxFunctionSet(&StderrBox);
             TableWidget* broken = MemoryNew<TableWidget>(HEAP_DEFAULT);
             broken->Init("Broken", nullptr, spec.get());
          },
          c.message)
          << c.path;
   }
}
} // namespace
