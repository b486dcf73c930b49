// The message-box layers of the data, as the build made them, opened in a window of their own:
// the resource tree, our fonts and texts, the GUI and popup managers, and a pointer driven by hand.
#pragma once

#include <unistd.h>

#include <cstdlib>

#include "tests/TestSupport.h"
#include "tests/platform/BitmapTestSupport.h"
#include "tests/platform/SpriteTestSupport.h"
#include "core/GraphicsPathManager.h"
#include "core/ProgressionManager.h"
#include "core/TextManager.h"
#include "gui/widgets/ButtonWidgetChildSprite.h"
#include "gui/GUIManager.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "platform/sprite/FontManager.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/sprite/SpriteManager.h"

namespace DataLayersTestSupport
{
using namespace Corvale;
using sprite_test_support::DrawingTest;
using sprite_test_support::Pixel;
using testing_support::LogCapture;

using TestSupport::BuildDataFolderGet;

class DataLayersTest : public DrawingTest
{
 protected:
   void SetUp() override
   {
      DrawingTest::SetUp();
      data = BuildDataFolderGet() + "/";
      ASSERT_TRUE(std::filesystem::exists(data + "Graphics/GUI/MessageBoxOK/Widgets.json")) << data;
      ASSERT_TRUE(std::filesystem::exists(data + "Graphics/GUI/MessageBox/ButtonUp.png"))
          << "the button art was not drawn";
      fileManagerStdioResource.BaseFolderSet(data.c_str());
      GraphicsPathManager::Set(0, "Graphics");
      textManager.LanguageSet(&language);
      textManager.FileNameAppend("Text");
      textManager.OnLanguageChange();
      mouseStateSystem = MouseState();
      mouseStateSystem.present = 1;
      ProgressionManager::Init();
      GUIManager::Init();
      PopupManager::Init();
   }

   void TearDown() override
   {
      PopupManager::Deinit();
      GUIManager::Deinit();
      ProgressionManager::Deinit();
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a layer's sprite file stayed loaded";
      FontManager::Deinit();
      textManager.Deinit();
      DrawingTest::TearDown();
   }

   static void Tick(u32 elapsed)
   {
      GUIManager::Update(elapsed);
      PopupManager::Update(elapsed);
   }

   static void PointerFrame(const Point2F& at, u32 buttonsNow, u32 buttonsBefore)
   {
      mouseStateSystem.previousX = mouseStateSystem.x;
      mouseStateSystem.previousY = mouseStateSystem.y;
      mouseStateSystem.x = static_cast<i32>(at.x);
      mouseStateSystem.y = static_cast<i32>(at.y);
      mouseStateSystem.frameButtons = buttonsNow;
      mouseStateSystem.previousButtons = buttonsBefore;
      Tick(16);
   }

   // The middle of a widget in screen units.
   static Point2F MiddleGet(Widget* widget)
   {
      Point2F at = widget->PositionAbsoluteGet();
      Box2F bounds = widget->BoundsGet();
      return Point2F{at.x + bounds.x + bounds.width / 2.0f, at.y + bounds.y + bounds.height / 2.0f};
   }

   std::string data;
   u32 language = 0;
};
} // namespace DataLayersTestSupport
