// The window, texts and GUI that a card game's on-screen tests run in, opened and closed in the
// program's order, and one frame as the program runs it.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "core/ProgressionManager.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/input/PlatformKeys.h"
#include "platform/sprite/FontManager.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/window/Screen.h"
#include "tests/cardgame/GameHarness.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
class CardTableWindow
{
 public:
   // The window, English texts, input, the fade and the GUI; false without a display.
   bool Open()
   {
      if (!screen.Init(WindowSettingsGet(WindowProcedureScreen)))
      {
         return false;
      }
      opened = true;
      static const u32 english = 0;
      textManager.Init();
      textManager.LanguageSet(&english);
      textManager.FileAdd("Text");
      KeyboardStateInit();
      mouseStateSystem = MouseState();
      mouseStateSystem.present = 1;
      FadeManager::Reset();
      ProgressionManager::Init();
      GUIManager::Init();
      return true;
   }

   // Leaves the game, runs afterLeave, then closes everything in reverse; no sprite file may stay.
   void Close(GameHarness& harness, const std::function<void()>& afterLeave = nullptr)
   {
      harness.Leave();
      if (afterLeave)
      {
         afterLeave();
      }
      GUIManager::Deinit();
      ProgressionManager::Deinit();
      textManager.Deinit();
      textManager.LanguageSet(nullptr);
      FontManager::Deinit();
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a sprite file stayed loaded";
      imageManager.Deinit();
      textureManager.Deinit();
      PlatformKeyStateClear();
      if (opened)
      {
         screen.Deinit();
         opened = false;
      }
   }

   // One frame as the program runs it: window events, keys, the GUI's pointer input, the game.
   static void FrameRun(GameHarness& harness)
   {
      screen.MessagesPump();
      KeyboardStateUpdate(true);
      GUIManager::Update(16);
      harness.Frame();
   }

   bool opened = false;
};
} // namespace TestSupport
} // namespace Corvale
