// The program brought up in-process on a built resource tree as far as its first states, without
// a save-data folder so that nothing is kept, and taken down again: for the tests and benchmarks
// that run the program's real frames under Xvfb.
#pragma once

#include <unistd.h>

#include "app/Application.h"
#include "app/ApplicationConsts.h"
#include "app/ApplicationSettings.h"
#include "app/FrameLoop.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sprite/FontManager.h"
#include "platform/window/Screen.h"

namespace Corvale
{
namespace ProgramInProcess
{
// False without the folder or a display; nothing needs taking down then.
inline bool Start(const char* dataFolder)
{
   if (chdir(dataFolder) != 0)
   {
      return false;
   }
   Memory::Init();
   Event::SystemInit(HEAP_DEFAULT);
   FileManagersInit();
   ApplicationConstsLoad();
   ApplicationSettingsLoad();
   ScriptManager::Init();
   ScreenSettings screenSettings;
   ApplicationScreenSettingsBuild(&screenSettings, ApplicationWindowProcedure);
   if (!screen.Init(screenSettings))
   {
      return false;
   }
   mouseManager.Init();
   KeyboardStateInit();
   keyboardState.initialised = 1;
   soundManager.Init(allocatorDefault);
   ApplicationInit();
   return true;
}

inline void Stop()
{
   ApplicationDeinit();
   MemoryDelete(settings);
   settings = nullptr;
   soundManager.Deinit();
   mouseManager.Deinit();
   screen.Deinit();
   ApplicationConstsFree();
   FontManager::Deinit();
   imageManager.Deinit();
   textureManager.Deinit();
   ScriptManager::Deinit();
   Event::SystemDeinit();
   FileManagersDeinit();
   Memory::Deinit();
}
} // namespace ProgramInProcess
} // namespace Corvale
