// A test layer with a JSON editor drawn with our own fonts under Xvfb and used with the pointer: a
// number typed into one value entry is written when a click moves the focus to the next entry,
// an edit button steps into a list of players and the back button steps out. The frames are kept
// as JSONEditor1.png and JSONEditor2.png beside the test program for a person to look at.
#include <string>
#include <vector>

#include "tests/gui/WindowLayerTestSupport.h"
#include "tests/core/JSONTestSupport.h"
#include "core/Log.h"
#include "gui/widgets/JSONEditorWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/TextEntryWidget.h"
#include "platform/window/ScreenshotWriter.h"

using namespace Corvale;
using JSONTest::TextParse;
using JSONTest::ValuePointer;
using window_layer_test_support::Filled;
using window_layer_test_support::WindowLayerTest;

namespace
{
std::string LayerGet()
{
   const std::string button =
       R"("Bounds": "0|0|100|30", "TextAlignment": "Center", )" + Filled("70|78|96|255");
   return R"({"Font": "SansRegular", "Children": [
   {"Type": "Container", "Name": "Backdrop", "Bounds": "0|0|960|720", )" +
          Filled("18|22|34|255") + R"(},
   {"Type": "JSONEditor", "Name": "Editor", "PositionOffset": "40|40", "Bounds": "0|0|600|460",
    "ScrollBox": {"Bounds": "0|0|600|400", "Columns": {}, "ClipContainer": {"ClipArea": "0|0|600|400"}},
    "RowTemplate": {"Bounds": "0|0|600|40", "Cells": {}},
    "ItemKeyReadOnlyTemplate": {"Bounds": "0|0|240|36", "TextAlignment": "Left", "TextBounds": "10|0|220|36", )" +
          Filled("32|38|56|255") + R"(},
    "ItemStringTemplate": {"PositionOffset": "250|0", "Bounds": "0|0|340|36", "CanHaveFocus": true,
                           "TextAlignment": "Left", "TextBounds": "10|0|320|36", )" +
          Filled("44|52|76|255") + R"(},
    "ItemStringReadOnlyTemplate": {"PositionOffset": "250|0", "Bounds": "0|0|340|36", "TextAlignment": "Left",
                                   "TextBounds": "10|0|320|36", )" +
          Filled("30|34|44|255") + R"(},
    "ItemEditButtonTemplate": {"PositionOffset": "250|0", "Text": "Edit", )" +
          button + R"(},
    "ItemEnumerationTemplate": {"PositionOffset": "250|0", "Bounds": "0|0|160|36",
       "OpenButton": {"Bounds": "0|0|160|36", "TextAlignment": "Center", )" +
          Filled("52|104|170|255") + R"(},
       "ScrollBox": {"Position": "0|36", "Bounds": "0|0|160|72", "ClipContainer": {"ClipArea": "0|0|160|72"}},
       "ItemTemplate": {"Bounds": "0|0|160|36", "TextAlignment": "Center", )" +
          Filled("60|68|90|255") + R"(}},
    "BackButton": {"PositionOffset": "0|420", "Text": "Back", )" +
          button + R"(}}]})";
}

const char* const schemaText = R"({
   "Settings": {"Type": "Object", "Children": [
      {"Name": "Rounds", "Type": "Number"},
      {"Name": "Speed", "Type": "Number"},
      {"Name": "Title", "Type": "String"},
      {"Name": "Version", "Type": "String", "ReadOnly": true},
      {"Name": "Sound", "Type": "Boolean"},
      {"Name": "Players", "Type": "Players"}]},
   "Players": {"Type": "Array", "Children": {"Type": "Player", "PrimaryKey": "Name"}},
   "Player": {"Type": "Object", "Children": [{"Name": "Name", "Type": "String"},
                                             {"Name": "Wins", "Type": "Number"}]}})";

const char* const documentText = R"({"Rounds": 3, "Speed": 2.5, "Title": "Evening game", "Version": "1.0",
   "Sound": true, "Players": [{"Name": "Ann", "Wins": 4}, {"Name": "Bob", "Wins": 7}]})";

class JSONEditorLayerTest : public WindowLayerTest
{
 protected:
   void SetUp() override { LayerStart("JSONEditor", LayerGet()); }

   Widget* Value(i32 row)
   {
      TableRowWidget* at = editor->RowGet(row);
      return at ? at->ChildGetByName("Value") : nullptr;
   }

   std::string KeyText(i32 row)
   {
      TableRowWidget* at = editor->RowGet(row);
      auto* key = at ? dynamic_cast<PressButtonWidget*>(at->ChildGetByName("Key")) : nullptr;
      return key && key->TextGet() ? key->TextGet() : "(none)";
   }

   // The frame drawn now, kept beside the test program; the count of bright text pixels in a box.
   std::vector<u8> Shot(const char* name)
   {
      screen.clearedThisFrame = 0;
      screen.ClearColorSet(ColorRGBA8{0, 0, 0, 255});
      screen.Clear();
      GUIManager::Draw();
      std::vector<u8> frame = TestSupport::FrameRead();
      FileManagerStdio shots;
      shots.BaseFolderSet((TestSupport::ProgramFolderGet() + "/").c_str());
      EXPECT_TRUE(ScreenshotWrite(&shots, name, frame.data(), screen.clientWidth, screen.clientHeight));
      return frame;
   }

   static int Bright(const std::vector<u8>& frame, int left, int top, int right, int bottom)
   {
      int count = 0;
      for (int y = top; y < bottom; y++)
      {
         for (int x = left; x < right; x++)
         {
            TestSupport::Pixel p = TestSupport::PixelAt(frame, x, y);
            count += (p.r > 180 && p.g > 180 && p.b > 180) ? 1 : 0;
         }
      }
      return count;
   }

   JSONEditorWidget* editor = nullptr;
};

TEST_F(JSONEditorLayerTest, APlayerEditsAValueAndStepsIntoAList)
{
   TestSupport::LogCapture log;
   ASSERT_TRUE(GUIManager::Push("JSONEditor", nullptr, nullptr));
   editor = dynamic_cast<JSONEditorWidget*>(GUIManager::WidgetGetByPath("JSONEditor.Editor"));
   ASSERT_NE(editor, nullptr);
   ValuePointer schema = TextParse(schemaText);
   ValuePointer document = TextParse(documentText);
   ASSERT_TRUE(editor->DataSet(schema.get(), document.get(), "Settings"));
   ASSERT_EQ(editor->RowCountGet(), 6);
   std::vector<i32> changes;
   editor->changeCallback = [](JSONEditorWidget*, void* argument, i32 row)
   { static_cast<std::vector<i32>*>(argument)->push_back(row); };
   editor->changeCallbackArgument = &changes;

   // Typed into the first entry, written when a click takes the focus to the second.
   auto* rounds = dynamic_cast<TextEntryWidget*>(Value(0));
   auto* speed = dynamic_cast<TextEntryWidget*>(Value(1));
   ASSERT_TRUE(rounds && speed);
   Click(rounds);
   EXPECT_EQ(GUIManager::focus, rounds);
   rounds->TextSet("5");
   Click(speed);
   EXPECT_EQ(GUIManager::focus, speed) << "the entry left behind took the focus away";
   EXPECT_EQ(document->ItemGet("Rounds")->DoubleValueGet(), 5.0);
   EXPECT_EQ(changes, (std::vector<i32>{0}));

   std::vector<u8> frame = Shot("JSONEditor1.png");
   // Key and value texts in the first row, the edit button's caption in the last.
   EXPECT_GT(Bright(frame, 50, 42, 280, 76), 20) << "no key text";
   EXPECT_GT(Bright(frame, 290, 42, 630, 76), 5) << "no value text";
   EXPECT_GT(Bright(frame, 290, 242, 390, 276), 5) << "no edit button";

   // The edit button of the players, then back.
   Click(Value(5));
   ASSERT_EQ(editor->DataGet(), document->ItemGet("Players"));
   ASSERT_EQ(editor->RowCountGet(), 2);
   EXPECT_EQ(KeyText(0), "Ann");
   EXPECT_EQ(KeyText(1), "Bob");
   frame = Shot("JSONEditor2.png");
   EXPECT_GT(Bright(frame, 50, 42, 280, 76), 10) << "no player name";
   Click(editor->backButton);
   EXPECT_EQ(editor->DataGet(), document.get());
   EXPECT_EQ(editor->RowCountGet(), 6);
   EXPECT_EQ(log.text, "");
}
} // namespace
