// Shared pieces of the tests that push one test layer in a real window with the build's own fonts
// and drive it as a player would: the resource root, the window and the GUI started and stopped,
// frames run with the pointer moved or clicked on a widget.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/TestSupport.h"
#include "tests/platform/ScreenTestSupport.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/Memory.h"
#include "core/ProgressionManager.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"
#include "gui/widgets/Widget.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/input/PlatformKeys.h"
#include "platform/sprite/FontManager.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/window/Screen.h"

namespace window_layer_test_support
{
using namespace Corvale;

// The keys of a widget that fills its bounds with one colour ("r|g|b|a").
inline std::string Filled(const char* color)
{
   return std::string(R"("BoundsFilledDraw": true, "BoundsFilledColor": ")") + color + "\"";
}

class WindowLayerTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
      Event::SystemInit();
   }

   static void TearDownTestSuite() { Event::SystemDeinit(); }

   // The layer (its Widgets.json, no sprites) under a fresh resource root that borrows the build's
   // fonts, a window that takes typing, and the GUI started.
   void LayerStart(const std::string& layerName, const std::string& widgets)
   {
      char pattern[] = "/tmp/corvale-layer-XXXXXX";
      folder = mkdtemp(pattern);
      const std::string data = TestSupport::BuildDataFolderGet();
      ASSERT_TRUE(std::filesystem::exists(data + "/Graphics/Fonts/SansRegular.json")) << data;
      const std::string layer = folder + "/Graphics/GUI/" + layerName;
      std::filesystem::create_directories(layer);
      std::filesystem::create_directory_symlink(data + "/Graphics/Fonts", folder + "/Graphics/Fonts");
      std::ofstream(layer + "/Widgets.json") << widgets;
      std::ofstream(layer + "/Sprites.json") << "{}";
      fileManagerStdioResource.BaseFolderSet((folder + "/").c_str());
      fileManagerResource = &fileManagerStdioResource;
      GraphicsPathManager::Set(0, "Graphics");
      ASSERT_TRUE(screen.Init(TestSupport::WindowSettingsGet(&TestSupport::WindowProcedureTyping)))
          << "needs a display (run under xvfb-run)";
      opened = true;
      KeyboardStateInit();
      mouseStateSystem = MouseState();
      mouseStateSystem.present = 1;
      FadeManager::Reset();
      ProgressionManager::Init();
      GUIManager::Init();
   }

   void TearDown() override
   {
      GUIManager::Deinit();
      ProgressionManager::Deinit();
      FontManager::Deinit();
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0);
      imageManager.Deinit();
      textureManager.Deinit();
      PlatformKeyStateClear();
      if (opened)
      {
         screen.Deinit();
      }
      fileManagerResource = nullptr;
      if (!folder.empty())
      {
         std::filesystem::remove_all(folder);
      }
   }

   // The window's events become this frame's keys and characters, then the GUI runs.
   void FrameRun(u32 elapsed)
   {
      screen.MessagesPump();
      KeyboardStateUpdate(true);
      GUIManager::Update(elapsed);
   }

   void PointerFrame(const Point2F& at, u32 buttonsNow, u32 buttonsBefore)
   {
      mouseStateSystem.previousX = mouseStateSystem.x;
      mouseStateSystem.previousY = mouseStateSystem.y;
      mouseStateSystem.x = static_cast<i32>(at.x);
      mouseStateSystem.y = static_cast<i32>(at.y);
      mouseStateSystem.frameButtons = buttonsNow;
      mouseStateSystem.previousButtons = buttonsBefore;
      FrameRun(16);
   }

   // Pressed and released in the middle of the widget.
   void Click(Widget* widget)
   {
      ASSERT_NE(widget, nullptr);
      const Point2F at = widget->PositionAbsoluteGet();
      const Box2F bounds = widget->BoundsGet();
      const Point2F middle{at.x + bounds.x + bounds.width / 2.0f, at.y + bounds.y + bounds.height / 2.0f};
      PointerFrame(middle, MOUSE_BUTTON_LEFT, 0);
      PointerFrame(middle, 0, MOUSE_BUTTON_LEFT);
   }

   std::string folder;
   bool opened = false;
};
} // namespace window_layer_test_support
