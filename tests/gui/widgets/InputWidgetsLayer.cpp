// A test layer with a sortable table, text entries and an on-screen keyboard, drawn with our own
// fonts under Xvfb and driven as a player would: pointer clicks on titles, rows and keys, and real
// window text events typed into the focused entry. The frame is kept as InputWidgets.png beside
// the test program for a person to look at.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/TestSupport.h"
#include "tests/gui/WindowLayerTestSupport.h"
#include "tests/gui/widgets/NameCharactersTestSupport.h"
#include "tests/platform/ScreenTestSupport.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/Memory.h"
#include "core/ProgressionManager.h"
#include "core/StringHelpers.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"
#include "gui/widgets/KeyboardWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TableWidget.h"
#include "gui/widgets/TextEntryWidget.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/input/PlatformKeys.h"
#include "platform/sprite/Font.h"
#include "platform/sprite/FontManager.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/window/PlatformWindow.h"
#include "platform/window/Screen.h"
#include "platform/window/ScreenshotWriter.h"
#include "platform/window/WindowMessages.h"

using namespace Corvale;
using window_layer_test_support::Filled;
using window_layer_test_support::WindowLayerTest;
using name_characters_test_support::NameCharactersGet;

namespace
{
// A header state: the title button with the column's caption.
std::string HeaderState(const char* state, const std::string& caption)
{
   return std::string(R"({"Type": "Container", "Name": ")") + state +
          R"(", "Children": [{"Type": "TableColumnTitleButton", "Name": "Title", "Bounds": "0|0|190|34",
             "Font": "AauxProBOutlined", "Text": ")" +
          caption + R"(", "TextAlignment": "Left", "TextBounds": "8|0|180|34", )" + Filled("40|48|70|255") +
          "}]}";
}

std::string Header(const char* name, int x, const std::string& caption)
{
   return std::string(R"({"Type": "StateContainer", "Name": ")") + name + R"(", "PositionOffset": ")" +
          std::to_string(x) + R"(|0", "Children": [)" + HeaderState("Unsorted", caption) + "," +
          HeaderState("Ascending", caption + " \xE2\x86\x91") + "," +
          HeaderState("Descending", caption + " \xE2\x86\x93") + "]}";
}

std::string Key(const std::string& name, int x, int y, int width = 40, const std::string& caption = "")
{
   return R"({"Type": "PressButton", "Name": ")" + name + R"(", "PositionOffset": ")" + std::to_string(x) +
          "|" + std::to_string(y) + R"(", "Bounds": "0|0|)" + std::to_string(width - 4) +
          R"(|36", "Font": "SansRegular", "Text": ")" + (caption.empty() ? name : caption) +
          R"(", "TextAlignment": "Center", )" + Filled("70|78|96|255") + "}";
}

std::string KeySetState(const char* name, char first)
{
   std::string keys;
   for (int i = 0; i < 26; i++)
   {
      keys += std::string(keys.empty() ? "" : ",") +
              Key(std::string(1, static_cast<char>(first + i)), (i % 10) * 44, (i / 10) * 40, 44);
   }
   return std::string(R"({"Type": "Container", "Name": ")") + name + R"(", "Children": [)" + keys + "]}";
}

std::string LayerGet()
{
   return R"({"Children": [
   {"Type": "Container", "Name": "Backdrop", "Bounds": "0|0|960|720", )" +
          Filled("18|22|34|255") + R"(},
   {"Type": "Table", "Name": "Scores", "PositionOffset": "30|40", "Bounds": "0|0|400|330",
    "ScrollBox": {"Bounds": "0|0|400|330",
                  "Columns": {"Children": [)" +
          Header("NameHeader", 0, "Name") + "," + Header("ScoreHeader", 200, "Score") + R"(]},
                  "ClipContainer": {"ClipArea": "0|40|400|280"}},
    "RowTemplate": {"Bounds": "0|0|390|35",
                    "RowButton": {"Bounds": "0|0|390|33", "BoundsFilledDraw": true, "Font": "SansRegular",
                                  "OffUpOutState": {"BoundsFilledColor": "32|38|56|255"},
                                  "OnUpOutState": {"BoundsFilledColor": "52|104|170|255"}},
                    "Cells": {"PointTestEnabled": false, "Children": [
                       {"Type": "Label", "Name": "Name", "PositionOffset": "10|0", "Bounds": "0|0|180|33",
                        "TextAlignment": "Left"},
                       {"Type": "NumberLabel", "Name": "Score", "PositionOffset": "210|0",
                        "Bounds": "0|0|160|33", "TextAlignment": "Right"}]}}},
   {"Type": "TextEntry", "Name": "PlayerName", "PositionOffset": "470|40", "Bounds": "0|0|460|40",
    "CanHaveFocus": true, "Font": "SansRegular", "TextAlignment": "Left", "TextBounds": "10|0|440|40",
    "TextScaleDownToFit": false, "TextLengthMax": 24, "CharactersAllowed": ")" +
          NameCharactersGet() + R"(", )" + Filled("44|52|76|255") + R"(},
   {"Type": "TextEntry", "Name": "Secret", "PositionOffset": "470|100", "Bounds": "0|0|460|40",
    "CanHaveFocus": true, "Password": true, "Font": "SansRegular", "TextAlignment": "Center",
    "Text": "hidden", )" +
          Filled("44|52|76|255") + R"(},
   {"Type": "Keyboard", "Name": "Keys", "PositionOffset": "470|170", "TextLengthMax": 20, "Text": "On",
    "Children": [
       {"Type": "TextEntry", "Name": "TextDisplay", "Bounds": "0|0|440|40", "Font": "SansRegular",
        "TextAlignment": "Left", "TextBounds": "10|0|420|40", )" +
          Filled("60|44|44|255") + R"(},
       {"Type": "StateContainer", "Name": "KeySet", "PositionOffset": "0|50", "Children": [)" +
          KeySetState("Uppercase", 'A') + "," + KeySetState("Lowercase", 'a') + R"(]},
       )" +
          Key("CapsLock", 0, 180, 110, "Caps") + "," + Key("Space", 110, 180, 160, "Space") + "," +
          Key("Backspace", 270, 180, 100, "\xE2\x86\x90") + "," + Key("Clear", 370, 180, 70) + R"(]}
]})";
}

class InputWidgetsLayerTest : public WindowLayerTest
{
 protected:
   void SetUp() override { LayerStart("InputWidgets", LayerGet()); }

   // One frame in which the pointer stays as it was.
   void Tick(u32 elapsed = 16)
   {
      mouseStateSystem.previousX = mouseStateSystem.x;
      mouseStateSystem.previousY = mouseStateSystem.y;
      mouseStateSystem.previousButtons = mouseStateSystem.frameButtons;
      FrameRun(elapsed);
   }

   Widget* At(const char* path) { return GUIManager::WidgetGetByPath(path); }

   std::string Names(TableWidget* table)
   {
      std::string names;
      for (i32 i = 0; i < table->RowCountGet(); i++)
      {
         names += std::string(names.empty() ? "" : ",") +
                  dynamic_cast<LabelWidget*>(table->CellGet(i, 0))->TextGet();
      }
      return names;
   }

};

TEST_F(InputWidgetsLayerTest, APlayerSortsSelectsTypesAndUsesTheKeysOnScreen)
{
   ASSERT_TRUE(GUIManager::Push("InputWidgets", nullptr, nullptr));
   auto* table = dynamic_cast<TableWidget*>(At("InputWidgets.Scores"));
   auto* name = dynamic_cast<TextEntryWidget*>(At("InputWidgets.PlayerName"));
   auto* keyboard = dynamic_cast<KeyboardWidget*>(At("InputWidgets.Keys"));
   ASSERT_NE(table, nullptr);
   ASSERT_NE(name, nullptr);
   ASSERT_NE(keyboard, nullptr);

   const struct
   {
      const char* name;
      double score;
   } rows[] = {{"Zo\xC3\xAB", 1250},
               {"J\xC3\xBCrgen", 980},
               {"\xD0\x81\xD0\xB6\xD0\xB8\xD0\xBA", 3100},
               {"Ann", 75},
               {"Brigitte", 980},
               {"Olaf", 2400},
               {"Pierre-Yves", 12},
               {"Mar\xC3\xAD"
                "a",
                640},
               {"Niels", 1800}};
   for (const auto& row : rows)
   {
      ASSERT_TRUE(table->RowAdd());
      const i32 last = table->RowCountGet() - 1;
      dynamic_cast<LabelWidget*>(table->CellGet(last, 0))->TextSet(row.name);
      dynamic_cast<NumberLabelWidget*>(table->CellGet(last, 1))->ValueSet(row.score);
   }

   // Two clicks on the score title: highest first.
   // Paths below a table name its rows; the headers are found through its scroll box.
   ContainerWidget* columns = table->scrollBox->ColumnsContainerGet();
   Click(columns->DescendantGetByPath("ScoreHeader.Unsorted.Title"));
   Click(columns->DescendantGetByPath("ScoreHeader.Ascending.Title"));
   auto* header = dynamic_cast<StateContainerWidget*>(columns->ChildGetByName("ScoreHeader"));
   ASSERT_NE(header, nullptr);
   EXPECT_STREQ(header->StateNameGet(), "Descending");
   EXPECT_EQ(Names(table), "\xD0\x81\xD0\xB6\xD0\xB8\xD0\xBA,Olaf,Niels,Zo\xC3\xAB,J\xC3\xBCrgen,Brigitte,"
                           "Mar\xC3\xAD"
                           "a,Ann,Pierre-Yves")
       << "equal scores keep their order";

   // A click on the third row selects it; the keys then move on from there.
   Click(table->RowGet(2)->RowButtonGet());
   EXPECT_EQ(table->SelectionGet(), 2);
   EXPECT_EQ(GUIManager::focus, table);
   EXPECT_TRUE(PlatformKeyEventPush(VK_DOWN, true));
   Tick();
   EXPECT_TRUE(PlatformKeyEventPush(VK_DOWN, false));
   Tick();
   EXPECT_EQ(table->SelectionGet(), 3);

   // The name entry takes the focus from a click and the typing of this frame.
   Click(name);
   ASSERT_EQ(GUIManager::focus, name);
   EXPECT_TRUE(PlatformTextEventPush("Zo\xC3\xAB \xD0\x81\xD0\xB6\xD0\xB8\xD0\xBA!"));
   Tick();
   EXPECT_STREQ(name->TextGet(), "Zo\xC3\xAB \xD0\x81\xD0\xB6\xD0\xB8\xD0\xBA")
       << "\"!\" is not a name letter";

   // The on-screen keys type into their own display, whatever has the focus.
   for (const char* key : {"KeySet.Uppercase.K", "CapsLock", "KeySet.Lowercase.a", "KeySet.Lowercase.i",
                           "Space", "KeySet.Lowercase.x", "Backspace"})
   {
      Click(keyboard->DescendantGetByPath(key));
   }
   EXPECT_STREQ(keyboard->textDisplay->TextGet(), "OnKai ");
   EXPECT_NE(GUIManager::focus, keyboard->textDisplay) << "the display never takes the focus";
   EXPECT_TRUE(PlatformTextEventPush("n"));
   Tick();
   EXPECT_STREQ(keyboard->textDisplay->TextGet(), "OnKai ") << "typing does not reach the display";
   Click(name);
   EXPECT_TRUE(PlatformTextEventPush("n"));
   Tick(260);
   EXPECT_STREQ(name->TextGet(), "Zo\xC3\xAB \xD0\x81\xD0\xB6\xD0\xB8\xD0\xBAn");
   EXPECT_EQ(std::string(name->TextDrawnGet()), std::string(name->TextGet()) + "|") << "the caret shows";

   // Every typed letter is drawn by the entry's font, and the frame is kept.
   Font::missingCharacterRecording = 1;
   screen.clearedThisFrame = 0;
   screen.ClearColorSet(ColorRGBA8{0, 0, 0, 255});
   screen.Clear();
   GUIManager::Draw();
   Font::missingCharacterRecording = 0;
   EXPECT_EQ(name->FontGet()->missingCharacters.count, 0) << "a glyph of the typed text is missing";
   std::vector<u8> frame = TestSupport::FrameRead();
   FileManagerStdio shots;
   shots.BaseFolderSet((TestSupport::ProgramFolderGet() + "/").c_str());
   EXPECT_TRUE(
       ScreenshotWrite(&shots, "InputWidgets.png", frame.data(), screen.clientWidth, screen.clientHeight));

   // Bright text pixels inside the name entry and the selected row's colour in the table.
   int bright = 0;
   for (int x = 480; x < 900; x++)
   {
      for (int y = 45; y < 75; y++)
      {
         TestSupport::Pixel p = TestSupport::PixelAt(frame, x, y);
         bright += p.r > 180 && p.g > 180 && p.b > 180;
      }
   }
   EXPECT_GT(bright, 50);
   TestSupport::Pixel selected = TestSupport::PixelAt(frame, 412, 40 + 40 + 3 * 35 + 5);
   EXPECT_EQ(selected.b, 170) << "the fourth row is drawn as selected";

   // Text wider than its box while edited: its end and the caret stay in view at the right edge.
   EXPECT_EQ(name->TextOffsetDisplayGet().x, 0.0f);
   name->TextSet("Wolfgang Amadeus Mozart-Salzburg von Hohenzollern-Sigmaringen");
   EXPECT_LT(name->TextOffsetDisplayGet().x, -50.0f);
   GUIManager::FocusSet(nullptr);
   EXPECT_EQ(name->TextOffsetDisplayGet().x, 0.0f) << "only while edited";

   // The whole name alphabet has glyphs in the entry's font.
   name->TextLengthMaxSet(1000);
   name->TextSet(NameCharactersGet().c_str());
   EXPECT_EQ(name->TextGet(), NameCharactersGet());
   Font::missingCharacterRecording = 1;
   GUIManager::Draw();
   Font::missingCharacterRecording = 0;
   EXPECT_EQ(name->FontGet()->missingCharacters.count, 0) << "a name letter has no glyph";
}
} // namespace
