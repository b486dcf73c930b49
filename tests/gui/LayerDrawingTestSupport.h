// Shared pieces of the tests that push a test layer and draw it in a real window: the GUI manager
// started over the fixture's resource root, widgets found by path, and frames read back (and, with
// CORVALE_SNAPSHOT_DIR set, written there as PNG files to look at).
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/platform/SpriteTestSupport.h"
#include "core/GraphicsPathManager.h"
#include "core/ProgressionManager.h"
#include "gui/GUIManager.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/sprite/FontManager.h"
#include "platform/sprite/SpriteManager.h"

namespace layer_drawing_test_support
{
using namespace Corvale;

class LayerDrawingTest : public sprite_test_support::DrawingTest
{
 protected:
   // Once the layer's files are in place under folder/Graphics.
   void GUIStart()
   {
      GraphicsPathManager::Set(0, "Graphics");
      mouseStateSystem = MouseState();
      ProgressionManager::Init();
      GUIManager::Init();
   }

   void TearDown() override
   {
      GUIManager::Deinit();
      ProgressionManager::Deinit();
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "the layer's sprite file stayed loaded";
      FontManager::Deinit();
      DrawingTest::TearDown();
   }

   template <class T> T* Find(const char* path)
   {
      T* widget = dynamic_cast<T*>(GUIManager::WidgetGetByPath(path));
      EXPECT_NE(widget, nullptr) << path;
      return widget;
   }

   std::vector<u8> Shot(const char* name)
   {
      Clear();
      GUIManager::Draw();
      std::vector<u8> frame = Frame();
      const char* snapshots = std::getenv("CORVALE_SNAPSHOT_DIR");
      if (snapshots && snapshots[0])
      {
         Save(frame, std::string(snapshots) + "/" + name + ".png");
      }
      return frame;
   }
};
} // namespace layer_drawing_test_support
