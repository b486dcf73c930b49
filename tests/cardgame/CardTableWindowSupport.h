// The real GUI that the card table window tests run a game on: the window, the build's English
// texts, the keyboard and pointer, fades, progressions, the GUI manager and the card widget types,
// started and stopped again.
#pragma once

#include "cardgame/CardWidget.h"
#include "core/ProgressionManager.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/sprite/FontManager.h"
#include "platform/window/Screen.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
// False without a display; the texts come from "Text" under the resource folder.
inline bool CardTableWindowStart()
{
   if (!screen.Init(WindowSettingsGet(WindowProcedureScreen)))
   {
      return false;
   }
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
   CardWidgetTypesRegister();
   return true;
}

// The GUI and texts stopped; the fonts and images let go. The window closes apart.
inline void CardTableWindowGUIStop()
{
   GUIManager::Deinit();
   ProgressionManager::Deinit();
   textManager.Deinit();
   textManager.LanguageSet(nullptr);
   FontManager::Deinit();
}
} // namespace TestSupport
} // namespace Corvale
