// The JSON editor over a small schema: what each kind of member shows, which typed texts are
// written back, growing arrays, primary-key labels, stepping in and out with the scroll position,
// schema faults that leave the document byte for byte, browsing that writes nothing, the change
// notice and the focus passing between two value entries.
#include "gui/widgets/JSONEditorWidget.h"

#include <cstdio>
#include <string>
#include <vector>

#include "tests/gui/WidgetTestSupport.h"
#include "core/Log.h"
#include "gui/widgets/DropDownListWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/TextEntryWidget.h"

using namespace WidgetTest;
using JSONTest::TextWrite;
using testing_support::LogCapture;

namespace
{
const char* const list = R"({"Bounds": "0|0|100|20",
   "ScrollBox": {"Position": "0|20", "Bounds": "0|0|100|60", "ClipContainer": {"ClipArea": "0|0|100|60"}},
   "OpenButton": {"Bounds": "0|0|100|20"}, "ItemTemplate": {"Bounds": "0|0|100|20"}})";

// An editor whose rows are 20 high in a window 100 high; keyTemplate false leaves out the key
// template.
std::string EditorSpec(bool keyTemplate = true)
{
   return std::string(R"({"Bounds": "0|0|400|140",
      "ScrollBox": {"Bounds": "0|0|400|120", "Columns": {}, "ClipContainer": {"ClipArea": "0|20|400|100"}},
      "RowTemplate": {"Bounds": "0|0|400|20", "Cells": {}},)") +
          (keyTemplate ? R"("ItemKeyReadOnlyTemplate": {"Bounds": "0|0|150|20"},)" : "") +
          R"("ItemStringTemplate": {"PositionOffset": "160|0", "Bounds": "0|0|200|20", "CanHaveFocus": true},
      "ItemStringReadOnlyTemplate": {"PositionOffset": "160|0", "Bounds": "0|0|200|20"},
      "ItemEditButtonTemplate": {"PositionOffset": "160|0", "Bounds": "0|0|40|20"},
      "ItemEnumerationTemplate": )" +
          list + R"(,
      "BackButton": {"Position": "0|120", "Bounds": "0|0|60|20"}})";
}

const char* const schemaText = R"({
   "Settings": {"Type": "Object", "Children": [
      {"Name": "Count", "Type": "Number"},
      {"Name": "Ratio", "Type": "Number"},
      {"Name": "Huge", "Type": "Number"},
      {"Name": "Title", "Type": "String", "Default": "Untitled"},
      {"Name": "Id", "Type": "String", "ReadOnly": true},
      {"Name": "On", "Type": "Boolean"},
      {"Name": "Mode", "Type": "Number", "Values": [1, 2, 4]},
      {"Name": "Scores", "Type": "Scores"},
      {"Name": "Players", "Type": "Players"},
      {"Name": "Extra", "Type": "Players"},
      {"Name": "Broken", "Type": "NoChildren"},
      {"Type": "Number"}]},
   "Scores": {"Type": "Array", "Children": {"Type": "Number", "Default": -1}},
   "Players": {"Type": "Array", "Children": {"Type": "Player", "PrimaryKey": "Name"}},
   "Player": {"Type": "Object", "Children": [{"Name": "Name", "Type": "String"},
                                             {"Name": "Level", "Type": "Number", "Default": 1}]},
   "NoChildren": {"Type": "Object"}})";

const char* const documentText = R"({"Count": 3, "Ratio": 2.5, "Huge": 1e300, "Id": "abc-1", "On": true,
   "Mode": 2, "Scores": [10, "x", 30], "Players": [{"Name": "Ann", "Level": 3}, {"Level": 5}]})";

class JSONEditorTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      PressButtonWidget::TypeRegister();
      TextEntryWidget::TypeRegister();
      DropDownListWidget::TypeRegister();
      schema = TextParse(schemaText);
      document = TextParse(documentText);
      ASSERT_TRUE(schema && document);
      original = TextWrite(document.get());
   }

   void TearDown() override
   {
      GUIManager::focus = nullptr;
      WidgetDestroy(editor);
      GUITest::TearDown();
   }

   // The editor over the document, its changes noted.
   void Build(bool keyTemplate = true)
   {
      editor = Make<JSONEditorWidget>(EditorSpec(keyTemplate));
      editor->changeCallback = [](JSONEditorWidget*, void* argument, i32 row)
      { static_cast<std::vector<i32>*>(argument)->push_back(row); };
      editor->changeCallbackArgument = &changes;
      ASSERT_TRUE(editor->DataSet(schema.get(), document.get(), "Settings"));
   }

   Widget* Part(i32 row, const char* name)
   {
      TableRowWidget* at = editor->RowGet(row);
      return at ? at->ChildGetByName(name) : nullptr;
   }
   std::string KeyText(i32 row)
   {
      auto* key = dynamic_cast<PressButtonWidget*>(Part(row, "Key"));
      return key && key->TextGet() ? key->TextGet() : "(none)";
   }
   TextEntryWidget* Entry(i32 row) { return dynamic_cast<TextEntryWidget*>(Part(row, "Value")); }
   DropDownListWidget* List(i32 row) { return dynamic_cast<DropDownListWidget*>(Part(row, "Value")); }
   // The typed text committed with Enter.
   void Type(i32 row, const char* text)
   {
      TextEntryWidget* entry = Entry(row);
      ASSERT_NE(entry, nullptr) << row;
      entry->TextSet(text);
      entry->OnEnterPress();
   }

   ValuePointer schema;
   ValuePointer document;
   std::string original;
   JSONEditorWidget* editor = nullptr;
   std::vector<i32> changes;
};

TEST_F(JSONEditorTest, EachKindOfMemberShowsItsValue)
{
   LogCapture log;
   Build();
   // Members without a string "Name" are left out.
   ASSERT_EQ(editor->RowCountGet(), 11);
   const char* const keys[] = {"Count", "Ratio",  "Huge",    "Title", "Id",    "On",
                               "Mode",  "Scores", "Players", "Extra", "Broken"};
   for (i32 i = 0; i < 11; i++)
   {
      EXPECT_EQ(KeyText(i), keys[i]);
   }
   char huge[256];
   std::snprintf(huge, sizeof(huge), "%.20g", 1e300);
   EXPECT_STREQ(Entry(0)->TextGet(), "3");
   EXPECT_STREQ(Entry(1)->TextGet(), "2.5");
   EXPECT_STREQ(Entry(2)->TextGet(), huge);
   EXPECT_STREQ(Entry(3)->TextGet(), "Untitled") << "an absent member shows its default";
   auto* readOnly = dynamic_cast<PressButtonWidget*>(Part(4, "Value"));
   ASSERT_NE(readOnly, nullptr);
   EXPECT_EQ(dynamic_cast<TextEntryWidget*>(readOnly), nullptr);
   EXPECT_STREQ(readOnly->TextGet(), "abc-1");
   ASSERT_NE(List(5), nullptr);
   EXPECT_EQ(List(5)->ItemCountGet(), 2);
   EXPECT_STREQ(List(5)->SelectionNameGet(), "true");
   ASSERT_NE(List(6), nullptr);
   EXPECT_EQ(List(6)->ItemCountGet(), 3);
   EXPECT_STREQ(List(6)->SelectionNameGet(), "2");
   for (i32 row : {7, 8, 9, 10})
   {
      EXPECT_NE(dynamic_cast<PressButtonWidget*>(Part(row, "Value")), nullptr)
          << "an edit button in row " << row;
   }
   EXPECT_EQ(log.text, "");
   EXPECT_EQ(TextWrite(document.get()), original) << "showing writes nothing";
   EXPECT_TRUE(changes.empty());
}

TEST_F(JSONEditorTest, OnlyAWholeFiniteNumberIsWrittenBack)
{
   Build();
   const struct
   {
      const char* typed;
      // The document's "Count" afterwards, and what the entry shows.
      double stored;
      const char* shown;
   } cases[] = {
       {"abc", 3, "3"},
       {"12abc", 3, "3"},
       {"inf", 3, "3"},
       {"nan", 3, "3"},
       {"1e999", 3, "3"},
       {"", 3, "3"},
       {" 7 ", 7, "7"},
       {"-0.25", -0.25, "-0.25"},
       // Past the 64-bit range a whole number is shown through "%.20g", not "%lld".
       {"1e20", 1e20, "1e+20"},
       {"1e19", 1e19, "10000000000000000000"},
   };
   for (const auto& c : cases)
   {
      Type(0, "3");
      changes.clear();
      Type(0, c.typed);
      EXPECT_EQ(document->ItemGet("Count")->DoubleValueGet(), c.stored) << c.typed;
      EXPECT_STREQ(Entry(0)->TextGet(), c.shown) << c.typed;
      EXPECT_EQ(changes.size(), c.stored == 3 ? 0u : 1u) << c.typed;
   }
   // A string is written as typed.
   Type(3, "Hello");
   EXPECT_STREQ(document->ItemGet("Title")->StringValueGet(), "Hello");
   EXPECT_EQ(changes.back(), 3) << "the notice names the row";
}

TEST_F(JSONEditorTest, ChoicesAreWrittenOnlyWhenTheUserMakesThem)
{
   Build();
   List(5)->SelectionSetByName("false", false);
   List(6)->SelectionSetByName("4", false);
   EXPECT_EQ(TextWrite(document.get()), original) << "the editor's own selections write nothing";
   List(5)->SelectionSetByName("false", true);
   EXPECT_TRUE(document->ItemGet("On")->TypeGet() == JSONValue::TYPE_BOOL);
   EXPECT_FALSE(document->ItemGet("On")->BoolValueGet());
   List(6)->SelectionSetByName("1", true);
   EXPECT_EQ(document->ItemGet("Mode")->DoubleValueGet(), 1.0);
   EXPECT_EQ(changes, (std::vector<i32>{5, 6}));
}

TEST_F(JSONEditorTest, ArraysGrowAndElementsAreLabelled)
{
   Build();
   ASSERT_TRUE(editor->DataPush("Scores"));
   ASSERT_EQ(editor->RowCountGet(), 3);
   EXPECT_EQ(KeyText(1), "1");
   EXPECT_STREQ(Entry(1)->TextGet(), "-1") << "an element that is not a number shows the default";

   // Rows for eight elements, then the array shrinks behind the editor's back.
   JSONValue* scores = document->ItemGet("Scores");
   scores->CountSet(8);
   editor->DataRefresh();
   ASSERT_EQ(editor->RowCountGet(), 8);
   scores->CountSet(3);
   Type(7, "70");
   ASSERT_EQ(scores->CountGet(), 8);
   EXPECT_EQ(scores->ElementGet(7)->DoubleValueGet(), 70.0);
   EXPECT_EQ(changes, (std::vector<i32>{7}));

   ASSERT_TRUE(editor->DataPop());
   ASSERT_TRUE(editor->DataPush("Players"));
   ASSERT_EQ(editor->RowCountGet(), 2);
   EXPECT_EQ(KeyText(0), "Ann");
   EXPECT_EQ(KeyText(1), "1") << "without a string under the primary key, the index";
   ASSERT_TRUE(editor->DataPush(1));
   EXPECT_STREQ(Entry(1)->TextGet(), "5");
   Type(0, "Bob");
   EXPECT_STREQ(document->ItemGet("Players")->ElementGet(1)->ItemGet("Name")->StringValueGet(), "Bob");
   ASSERT_TRUE(editor->DataPop());
   EXPECT_EQ(KeyText(1), "Bob");
}

TEST_F(JSONEditorTest, SteppingInAndOutKeepsTheScrollPosition)
{
   Build();
   ScrollBoxWidget* box = editor->scrollBox;
   box->ContentOffsetSet(0.0f, 60.0f);
   ASSERT_TRUE(editor->DataPush("Players"));
   EXPECT_EQ(box->ContentOffsetGet().y, 0.0f);
   EXPECT_EQ(editor->DataGet(), document->ItemGet("Players"));
   ASSERT_TRUE(editor->DataPush(0));
   box->ContentOffsetSet(0.0f, 5.0f);
   // The back button steps out, and does nothing more on the root level.
   editor->backButton->OnPress();
   EXPECT_EQ(box->ContentOffsetGet().y, 0.0f);
   editor->backButton->OnPress();
   EXPECT_EQ(box->ContentOffsetGet().y, 60.0f);
   EXPECT_EQ(editor->DataGet(), document.get());
   editor->backButton->OnPress();
   EXPECT_FALSE(editor->DataPop());
   EXPECT_EQ(editor->DataGet(), document.get());
   EXPECT_EQ(editor->RowCountGet(), 11);
   EXPECT_EQ(box->ContentOffsetGet().y, 60.0f);
   // A refresh keeps it too.
   editor->DataRefresh();
   EXPECT_EQ(box->ContentOffsetGet().y, 60.0f);
   EXPECT_EQ(TextWrite(document.get()), original);
}

TEST_F(JSONEditorTest, BrowsingWritesNothing)
{
   Build();
   for (i32 row : {0, 1, 2, 3})
   {
      GUIManager::FocusSet(Entry(row));
      EXPECT_EQ(GUIManager::focus, Entry(row));
   }
   GUIManager::FocusSet(nullptr);
   // The key buttons select nothing; clearing still works.
   dynamic_cast<PressButtonWidget*>(Part(2, "Key"))->OnPress();
   EXPECT_EQ(editor->SelectionGet(), -1);
   editor->SelectionClear();
   editor->Sort(0, false);
   EXPECT_EQ(KeyText(0), "Count") << "sorting keeps the document's order";
   for (const char* key : {"Scores", "Players"})
   {
      ASSERT_TRUE(editor->DataPush(key));
      for (i32 row = 0; row < editor->RowCountGet(); row++)
      {
         GUIManager::FocusSet(Entry(row));
      }
      GUIManager::FocusSet(nullptr);
      ASSERT_TRUE(editor->DataPop());
   }
   EXPECT_EQ(TextWrite(document.get()), original);
   EXPECT_TRUE(changes.empty());
}

TEST_F(JSONEditorTest, TheFocusMovesFromOneEntryToTheNext)
{
   Build();
   TextEntryWidget* first = Entry(0);
   TextEntryWidget* second = Entry(1);
   GUIManager::FocusSet(first);
   first->TextSet("5");
   GUIManager::FocusSet(second);
   EXPECT_EQ(GUIManager::focus, second) << "the entry left behind must not take the focus away";
   EXPECT_EQ(document->ItemGet("Count")->DoubleValueGet(), 5.0) << "leaving commits the edit";
   EXPECT_EQ(changes, (std::vector<i32>{0}));
   // Told that it lost the focus while still holding it, an entry gives it up.
   second->OnFocusLose();
   EXPECT_EQ(GUIManager::focus, nullptr);
}

TEST_F(JSONEditorTest, SchemaFaultsLeaveTheDocumentAlone)
{
   struct Case
   {
      const char* schema;
      const char* document;
      const char* typeName;
      // A member key or element index to step into after the document is set; none when null
      // and negative.
      const char* pushKey;
      i32 pushIndex;
      const char* log;
   };
   const Case cases[] = {
       {R"({})", R"({})", "Nope", nullptr, -1,
        "JSONEditorWidget::DataSetHelper -- type not defined in schema: Nope\n"},
       {R"({"T": {}})", R"({})", "T", nullptr, -1,
        "JSONEditorWidget::DataSetHelper -- \"Type\" not defined in schema for T\n"},
       {R"({"T": {"Type": "Array", "Children": {"Type": "Number"}}})", R"({})", "T", nullptr, -1,
        "JSONEditorWidget::DataSetHelper -- Declared \"Type\" for T does not match JSONValue type.\n"},
       {R"({"T": {"Type": "Object"}})", R"({})", "T", nullptr, -1,
        "JSONEditorWidget::DataSetHelper -- Children array not defined for T.\n"},
       {R"({"T": {"Type": "Array", "Children": []}})", R"([1])", "T", nullptr, -1,
        "JSONEditorWidget::DataSetHelper -- Children object not defined for T.\n"},
       {R"({"T": {"Type": "Array", "Children": {}}})", R"([1])", "T", nullptr, -1,
        "JSONEditorWidget::ItemWidgetsAdd -- item type not specified.\n"},
       {R"({"T": {"Type": "Array", "Children": {"Type": "Missing"}}})", R"([1])", "T", nullptr, -1,
        "JSONEditorWidget::ItemWidgetsAdd -- base type not specified.\n"},
       {R"({"T": {"Type": "Array", "Children": {"Type": "Odd"}}, "Odd": {"Type": "Colour"}})", R"([1])", "T",
        nullptr, -1, "JSONEditorWidget::ItemWidgetsAdd -- unrecognized type: Colour\n"},
       {R"({"T": {"Type": "Object", "Children": [{"Name": "N", "Type": "Number"}]}})", R"({})", "T", "N", -1,
        "JSONEditorWidget::DataPush -- Child must be either an object or an array.\n"},
       {R"({"T": {"Type": "Object", "Children": [{"Name": "N"}]}})", R"({})", "T", "N", -1,
        "JSONEditorWidget::ItemWidgetsAdd -- item type not specified.\n"
        "JSONEditorWidget::DataPush -- \"Type\" not defined in schema for N\n"},
       {R"({"T": {"Type": "Object", "Children": []}})", R"({})", "T", "Unknown", -1,
        "JSONEditorWidget::DataPush -- \"Type\" not defined in schema for Unknown\n"},
       {R"({"T": {"Type": "Array", "Children": {}}})", R"([])", "T", nullptr, 0,
        "JSONEditorWidget::DataPush -- \"Type\" not defined in schema for children of T\n"},
       {R"({"T": {"Type": "Object", "Children": []}})", R"({})", "T", nullptr, 0,
        "JSONEditorWidget::DataPush -- Children object not defined for T.\n"},
       {R"({"T": {"Type": "Array", "Children": {"Type": "Number"}}})", R"([])", "T", "N", -1,
        "JSONEditorWidget::DataPush -- Children array not defined for T.\n"},
       // Members and elements made for the step are taken away again.
       {R"({"T": {"Type": "Object", "Children": [{"Name": "B", "Type": "E"}]}, "E": {"Type": "Object"}})",
        R"({"A": 1})", "T", "B", -1,
        "JSONEditorWidget::DataSetHelper -- Children array not defined for E.\n"},
       {R"({"T": {"Type": "Object", "Children": [{"Name": "B", "Type": "E"}]}, "E": {"Type": "Object"}})",
        R"({"B": null})", "T", "B", -1,
        "JSONEditorWidget::DataSetHelper -- Children array not defined for E.\n"},
       {R"({"T": {"Type": "Array", "Children": {"Type": "E"}}, "E": {"Type": "Array"}})", R"([[1]])", "T",
        nullptr, 4, "JSONEditorWidget::DataSetHelper -- Children object not defined for E.\n"},
       {R"({"T": {"Type": "Array", "Children": {"Type": "E"}}, "E": {"Type": "Array"}})", R"([null, [1]])",
        "T", nullptr, 0, "JSONEditorWidget::DataSetHelper -- Children object not defined for E.\n"},
   };
   editor = Make<JSONEditorWidget>(EditorSpec());
   for (const Case& c : cases)
   {
      ValuePointer caseSchema = TextParse(c.schema);
      ValuePointer caseDocument = TextParse(c.document);
      ASSERT_TRUE(caseSchema && caseDocument) << c.schema;
      const std::string before = TextWrite(caseDocument.get());
      std::string logged;
      {
         LogCapture log;
         editor->DataSet(caseSchema.get(), caseDocument.get(), c.typeName);
         const i32 rows = editor->RowCountGet();
         if (c.pushKey)
         {
            EXPECT_FALSE(editor->DataPush(c.pushKey)) << c.schema;
         }
         else if (c.pushIndex >= 0)
         {
            EXPECT_FALSE(editor->DataPush(c.pushIndex)) << c.schema;
         }
         EXPECT_EQ(editor->RowCountGet(), rows) << "the level is shown as it was: " << c.schema;
         EXPECT_EQ(editor->DataGet(), caseDocument.get()) << c.schema;
         logged = log.text;
      }
      // Table set-up lines aside, exactly the fault's line.
      EXPECT_NE(logged.find(c.log), std::string::npos) << c.schema << "\n" << logged;
      EXPECT_EQ(TextWrite(caseDocument.get()), before) << c.schema;
      editor->DataSet(nullptr, nullptr, nullptr);
   }
   WidgetDestroy(editor);
   editor = nullptr;

   // Without the key template, rows stay empty.
   LogCapture log;
   Build(false);
   EXPECT_EQ(Part(0, "Value"), nullptr);
   EXPECT_NE(log.text.find("JSONEditorWidget::ItemWidgetsAdd -- ItemKeyReadOnlyTemplate not specified.\n"),
             std::string::npos);
}

TEST_F(JSONEditorTest, AnAbsentLevelIsMadeWhenSteppedInto)
{
   Build();
   ASSERT_TRUE(editor->DataPush("Extra"));
   EXPECT_TRUE(document->ItemGet("Extra")->TypeGet() == JSONValue::TYPE_ARRAY);
   EXPECT_EQ(editor->RowCountGet(), 0);
   ASSERT_TRUE(editor->DataPush(2));
   EXPECT_EQ(document->ItemGet("Extra")->CountGet(), 3);
   EXPECT_EQ(editor->RowCountGet(), 2);
   EXPECT_STREQ(Entry(1)->TextGet(), "1") << "the default of a missing member";
}
} // namespace
