// The Lua GUI functions with scripting forced on: each reaches a widget of its class by path,
// another class gets the one-line complaint, nil and unknown paths do nothing, and none of them
// exists after a plain Init.
#include "tests/gui/GUIManagerTestSupport.h"

#include <functional>

#include "core/ScriptManager.h"
#include "gui/widgets/DropDownListWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/ProgressBarWidget.h"
#include "gui/widgets/SliderWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TableWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"

using namespace GUIManagerTest;

namespace
{
const char* const layer = R"({"Children": [
   {"Type": "Container", "Name": "Box", "Bounds": "0|0|10|10", "CanHaveFocus": true},
   {"Type": "Label", "Name": "Title", "Text": "Old"},
   {"Type": "NumberLabel", "Name": "Score", "Value": 3},
   {"Type": "Slider", "Name": "Volume", "Minimum": 0, "Maximum": 100, "Value": 10},
   {"Type": "StateContainer", "Name": "Pages", "Children": [
      {"Type": "Container", "Name": "A"}, {"Type": "Container", "Name": "B"}]},
   {"Type": "TextDocument", "Name": "Doc", "Text": "Old", "ClipContainer": {"ClipArea": "0|0|100|60"}},
   {"Type": "ToggleButton", "Name": "Toggle"},
   {"Type": "DropDownList", "Name": "List", "Bounds": "0|0|100|30",
    "ScrollBox": {"Position": "0|30", "Bounds": "0|0|100|100", "ClipContainer": {"ClipArea": "0|0|100|100"}},
    "OpenButton": {"Bounds": "0|0|100|30"}, "ItemTemplate": {"Bounds": "0|0|100|30"}},
   {"Type": "ProgressBar", "Name": "Bar", "Minimum": 0, "Maximum": 10, "ProgressSprite": {}},
   {"Type": "Table", "Name": "Rows", "ScrollBox": {"Columns": {}, "ClipContainer": {"ClipArea": "0|0|100|100"}},
    "RowTemplate": {"Bounds": "0|0|100|20", "Cells": {"Children": [{"Type": "Label", "Name": "Cell"}]}}}]})";

class GUILuaFunctionsTest : public GUIManagerFixture
{
 protected:
   void SetUp() override
   {
      GUIManagerFixture::SetUp();
      ASSERT_TRUE(ScriptManager::Init());
   }

   void TearDown() override
   {
      GUIManager::scriptingEnabled = 0;
      GUIManagerFixture::TearDown();
      ScriptManager::Deinit();
   }

   void Start()
   {
      GUIManager::scriptingEnabled = 1;
      ASSERT_TRUE(GUIManager::LuaFunctionsRegister());
      LayerWrite("L", layer);
      ASSERT_TRUE(GUIManager::Push("L", nullptr, nullptr));
   }

   // The log without the text document's complaints about the fonts this tree does not have.
   static std::string Lines(const std::string& text)
   {
      std::string kept;
      size_t start = 0;
      while (start < text.size())
      {
         size_t end = text.find('\n', start);
         end = end == std::string::npos ? text.size() : end + 1;
         std::string line = text.substr(start, end - start);
         if (line.rfind("TextDocumentWidget::TextProcess -- Unable to get default font.", 0) != 0)
         {
            kept += line;
         }
         start = end;
      }
      return kept;
   }

   template <class T> T* At(const char* path) { return dynamic_cast<T*>(GUIManager::WidgetGetByPath(path)); }

   // The Lua expression's value as text, "nil" for nil.
   static std::string Value(const std::string& expression)
   {
      EXPECT_TRUE(ScriptManager::Execute(("LuaVar.r = tostring(" + expression + ")").c_str())) << expression;
      const char* text = ScriptManager::LuaVarGet("r");
      return text ? text : "(not set)";
   }
};

TEST_F(GUILuaFunctionsTest, EachFunctionReachesItsWidget)
{
   Start();
   LogCapture log;
   struct Case
   {
      // Run first (may be empty), then the expression is read back.
      const char* statement;
      const char* expression;
      const char* expected;
      // What the widget holds afterwards, read natively; empty when the expression says it all.
      std::function<std::string()> native;
   };
   auto* list = At<DropDownListWidget>("L.List");
   const Case cases[] = {
       {"GUIDropDownListItemAdd('L.List', 'a', 'Alpha')", "GUIDropDownListSelectionGet('L.List')", "nil",
        [&] { return std::to_string(list->ItemCountGet()); }},
       {"GUIDropDownListItemExpressionAdd('L.List', 'b', '\"Be\" .. \"ta\"')",
        "GUIDropDownListSelectionGet('L.List')", "nil", [&] { return std::to_string(list->ItemCountGet()); }},
       {"GUIDropDownListSelectionSet('L.List', 'b')", "GUIDropDownListSelectionGet('L.List')", "b", nullptr},
       {"GUIDropDownListSelectionClear('L.List')", "GUIDropDownListSelectionGet('L.List')", "nil", nullptr},
       {"GUIDropDownListItemRemove('L.List', 'a')", "GUIDropDownListSelectionGet('L.List')", "nil",
        [&] { return std::to_string(list->ItemCountGet()); }},
       {"GUIFocusSet('L.Box')", "GUIWidgetEnabledCheck('L.Box')", "true",
        [&] { return std::string(GUIManager::focus == At<Widget>("L.Box") ? "focused" : "not focused"); }},
       {"GUILabelTextSet('L.Title', 'New')", "GUILabelTextGet('L.Title')", "New",
        [&] { return std::string(At<LabelWidget>("L.Title")->TextGet()); }},
       {"GUILabelTextExpressionSet('L.Title', '\"Ex\" .. \"pr\"')", "GUILabelTextExpressionGet('L.Title')",
        "\"Ex\" .. \"pr\"", nullptr},
       {"GUINumberLabelValueSet('L.Score', 2.5)", "GUINumberLabelValueGet('L.Score')", "2.5",
        [&] { return std::to_string(At<NumberLabelWidget>("L.Score")->ValueGet()); }},
       {"GUINumberLabelTextFormatExpressionSet('L.Score', 'function(v) return v .. \" pts\" end')",
        "GUINumberLabelTextFormatExpressionGet('L.Score')", "function(v) return v .. \" pts\" end",
        [&] { return std::string(At<LabelWidget>("L.Score")->TextGet()); }},
       // A number label is a label.
       {"", "GUILabelTextExpressionGet('L.Score')", "nil", nullptr},
       {"GUIProgressBarValueSet('L.Bar', 4)", "GUIProgressBarValueGet('L.Bar')", "4",
        [&] { return std::to_string(At<ProgressBarWidget>("L.Bar")->ValueGet()); }},
       {"GUIProgressBarIndeterminateSet('L.Bar', true)", "GUIProgressBarIndeterminateGet('L.Bar')", "true",
        [&] { return std::string(At<ProgressBarWidget>("L.Bar")->IndeterminateGet() ? "on" : "off"); }},
       {"GUISliderValueSet('L.Volume', 40)", "GUISliderValueGet('L.Volume')", "40",
        [&] { return std::to_string(At<SliderWidget>("L.Volume")->ValueGet()); }},
       {"GUIStateContainerStateSet('L.Pages', 'B')", "GUIStateContainerStateGet('L.Pages')", "B", nullptr},
       {"GUITableRowAdd('L.Rows') GUITableRowAdd('L.Rows') GUITableRowAdd('L.Rows')",
        "GUITableRowCountGet('L.Rows')", "3",
        [&] { return std::to_string(At<TableWidget>("L.Rows")->RowCountGet()); }},
       // Rows count from 1 in Lua; 0 is no selection.
       {"", "GUITableSelectionGet('L.Rows')", "0", nullptr},
       {"GUITableSelectionSet('L.Rows', 3)", "GUITableSelectionGet('L.Rows')", "3",
        [&] { return std::to_string(At<TableWidget>("L.Rows")->SelectionGet()); }},
       {"GUITableRowRemove('L.Rows', 1)", "GUITableSelectionGet('L.Rows')", "2",
        [&] { return std::to_string(At<TableWidget>("L.Rows")->RowCountGet()); }},
       // No Lua event is being handled.
       {"", "GUITableEventRowIndexGet('L.Rows')", "0", nullptr},
       {"GUITextDocumentTextSet('L.Doc', 'Words')", "GUITextDocumentTextGet('L.Doc')", "Words",
        [&] { return std::string(At<TextDocumentWidget>("L.Doc")->TextGet()); }},
       {"GUITextDocumentTextExpressionSet('L.Doc', '\"a\" .. \"b\"')",
        "GUITextDocumentTextExpressionGet('L.Doc')", "\"a\" .. \"b\"", nullptr},
       {"GUIToggleButtonOnSet('L.Toggle', true)", "GUIToggleButtonOnGet('L.Toggle')", "true",
        [&] { return std::string(At<ToggleButtonWidget>("L.Toggle")->OnGet() ? "on" : "off"); }},
       {"GUIWidgetEnabledSet('L.Toggle', false)", "GUIWidgetEnabledCheck('L.Toggle')", "false",
        [&] { return std::string(At<Widget>("L.Toggle")->enabled ? "enabled" : "disabled"); }},
   };
   const char* const natives[] = {
       "1",  "2",         "", "",  "1", "focused", "New", "", "2.500000", "2.5 pts", "",   "4.000000",
       "on", "40.000000", "", "3", "",  "2",       "2",   "", "Words",    "",        "on", "disabled"};
   i32 i = 0;
   for (const Case& c : cases)
   {
      if (c.statement[0])
      {
         EXPECT_TRUE(ScriptManager::Execute(c.statement)) << c.statement;
      }
      EXPECT_EQ(Value(c.expression), c.expected) << c.statement;
      if (c.native)
      {
         EXPECT_EQ(c.native(), natives[i]) << c.statement;
      }
      i++;
   }
   EXPECT_EQ(Lines(log.text), "");

   // Layers by name.
   ASSERT_TRUE(ScriptManager::Execute("GUIPreload('L')"));
   EXPECT_NE(GUIManager::preloadedLayers.Find("L"), GUIManager::preloadedLayers.End());
   ASSERT_TRUE(ScriptManager::Execute("GUIUndoPreload('L')"));
   EXPECT_EQ(GUIManager::preloadedLayers.Find("L"), GUIManager::preloadedLayers.End());
   ASSERT_TRUE(ScriptManager::Execute("GUIPush('L') GUIPush('L')"));
   EXPECT_EQ(GUIManager::LayerNameCountGet("L"), 3);
   ASSERT_TRUE(ScriptManager::Execute("GUIPop()"));
   ASSERT_TRUE(ScriptManager::Execute("GUIRemove('L')"));
   GUIManager::Update(16);
   EXPECT_EQ(GUIManager::LayerNameCountGet("L"), 1);
   ASSERT_TRUE(ScriptManager::Execute("GUIPush('Nope')"));
   EXPECT_EQ(Lines(log.text), "GUIManager::Push -- GUI layer not found: \"Nope\"\n");
}

TEST_F(GUILuaFunctionsTest, FailuresSayWhatWentWrong)
{
   Start();
   struct Case
   {
      const char* statement;
      const char* log;
   };
   const Case cases[] = {
       {"GUILabelTextSet('L.Box', 'x')", "GUILabelTextSet -- Widget is not a Label: \"L.Box\"\n"},
       {"GUINumberLabelValueSet('L.Title', 1)",
        "GUINumberLabelValueSet -- Widget is not a NumberLabel: \"L.Title\"\n"},
       {"GUISliderValueGet('L.Box')", "GUISliderValueGet -- Widget is not a slider: \"L.Box\"\n"},
       {"GUIToggleButtonOnSet('L.Box', true)",
        "GUIToggleButtonOnSet -- Widget is not a toggle button: \"L.Box\"\n"},
       {"GUIDropDownListSelectionClear('L.Doc')",
        "GUIDropDownListSelectionClear -- Widget is not a DropDownList: \"L.Doc\"\n"},
       {"GUIStateContainerStateGet('L.Box')",
        "GUIStateContainerStateGet -- Widget is not a StateContainer: \"L.Box\"\n"},
       {"GUITextDocumentTextGet('L.Title')",
        "GUITextDocumentTextGet -- Widget is not a TextDocument: \"L.Title\"\n"},
       {"GUIProgressBarValueSet('L.Box', 1)",
        "GUIProgressBarValueSet -- Widget is not a progress bar: \"L.Box\"\n"},
       {"GUITableRowAdd('L.Bar')", "GUITableRowAdd -- Widget is not a TableWidget: \"L.Bar\"\n"},
       {"GUITableSelectionSet('L.Title', 1)",
        "GUITableSelectionSet -- Widget is not a TableWidget: \"L.Title\"\n"},
       // Rows that do not exist are left alone.
       {"GUITableRowRemove('L.Rows', 0) GUITableRowRemove('L.Rows', 1e30) GUITableSelectionSet('L.Rows', -5)",
        ""},
       {"GUIStateContainerStateSet('L.Pages', nil)",
        "GUIStateContainerStateSet -- state 'name' not provided.\"L.Pages\"\n"},
       {"GUIStateContainerStateSet('L.Pages', 'C')",
        "GUIStateContainerStateSet -- \"C\" is not a child of \"L.Pages\"\n"},
       {"GUIDropDownListSelectionSet('L.List', 'z')",
        "GUIDropDownListSelectionSet -- DropDownList \"L.List\" does not contain the option \"z\"\n"},
       {"GUIDropDownListItemRemove('L.List', 'z')",
        "GUIDropDownListItemRemove -- DropDownList \"L.List\" does not contain the option \"z\"\n"},
   };
   for (const Case& c : cases)
   {
      LogCapture log;
      EXPECT_TRUE(ScriptManager::Execute(c.statement)) << c.statement;
      EXPECT_EQ(Lines(log.text), c.log) << c.statement;
   }
   EXPECT_STREQ(At<LabelWidget>("L.Title")->TextGet(), "Old");
   EXPECT_STREQ(At<StateContainerWidget>("L.Pages")->StateNameGet(), "A");
}

TEST_F(GUILuaFunctionsTest, NilAndUnknownPathsDoNothing)
{
   Start();
   LogCapture log;
   ASSERT_TRUE(ScriptManager::Execute(R"(
      local names = {"GUIDropDownListItemAdd", "GUIDropDownListItemExpressionAdd", "GUIDropDownListItemRemove",
         "GUIDropDownListSelectionClear", "GUIDropDownListSelectionGet", "GUIDropDownListSelectionSet",
         "GUIFocusSet", "GUILabelTextExpressionGet", "GUILabelTextExpressionSet", "GUILabelTextGet",
         "GUILabelTextSet", "GUINumberLabelTextFormatExpressionGet", "GUINumberLabelTextFormatExpressionSet",
         "GUINumberLabelValueGet", "GUINumberLabelValueSet", "GUIProgressBarIndeterminateGet",
         "GUIProgressBarIndeterminateSet", "GUIProgressBarValueGet", "GUIProgressBarValueSet",
         "GUISliderValueGet", "GUISliderValueSet",
         "GUIStateContainerStateGet", "GUIStateContainerStateSet", "GUITableEventRowIndexGet",
         "GUITableRowAdd", "GUITableRowCountGet", "GUITableRowRemove", "GUITableSelectionGet",
         "GUITableSelectionSet", "GUITextDocumentTextExpressionGet",
         "GUITextDocumentTextExpressionSet", "GUITextDocumentTextGet", "GUITextDocumentTextSet",
         "GUIToggleButtonOnGet", "GUIToggleButtonOnSet", "GUIWidgetEnabledCheck", "GUIWidgetEnabledSet"}
      LuaVar.r = ""
      for _, name in ipairs(names) do
         for _, path in ipairs({"L.Nothing", "Nowhere.Title", "L.Title.Deeper"}) do
            local result = _G[name](path, "B", "x")
            LuaVar.r = LuaVar.r .. tostring(result) .. " "
         end
         local result = _G[name](nil, "B", "x")
         LuaVar.r = LuaVar.r .. tostring(result) .. " "
      end)"));
   std::string results = ScriptManager::LuaVarGet("r");
   for (const char* allowed : {"nil ", "0 ", "false "})
   {
      for (size_t at = results.find(allowed); at != std::string::npos; at = results.find(allowed))
      {
         results.erase(at, std::strlen(allowed));
      }
   }
   EXPECT_EQ(results, "") << "a result other than nil, 0 or false";
   EXPECT_EQ(Lines(log.text), "");
   EXPECT_EQ(GUIManager::focus, nullptr);
   EXPECT_STREQ(At<StateContainerWidget>("L.Pages")->StateNameGet(), "A");
}

TEST_F(GUILuaFunctionsTest, APlainInitLeavesThemOut)
{
   // The fixture's Init ran with scripting off.
   EXPECT_TRUE(ScriptManager::ExpressionNilCheckf("GUIPush"));
   EXPECT_TRUE(ScriptManager::ExpressionNilCheckf("GUI"));
   EXPECT_EQ(GUIManager::scriptingEnabled, 0);
}
} // namespace
