// Start-up and shutdown of the engine around the application and its frame loop.
#include "app/Program.h"

#include <clocale>

#include "app/Application.h"
#include "app/ApplicationConsts.h"
#include "app/ApplicationSettings.h"
#include "app/FrameClock.h"
#include "app/FrameLoop.h"
#include "core/Event.h"
#include "core/File.h"
#include "core/FileManager.h"
#include "core/HeapDelegate.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"
#include "platform/FontManager.h"
#include "platform/ImageManagerOpenGL.h"
#include "platform/Keyboard.h"
#include "platform/MouseManager.h"
#include "platform/PlatformShell.h"
#include "platform/Screen.h"
#include "platform/SoundManagerOpenAL.h"
#include "platform/TextureManagerOpenGL.h"

namespace Corvale
{
namespace
{
bool ScreenFocusCheck()
{
   return screen.focusCount > 0;
}

void LogOpen()
{
   if (fileManagerPersistence && !LogFileGet())
   {
      // A save-data folder that refuses the file leaves the program running without a log.
      LogFileSet(fileManagerPersistence->Open("Log.txt", FILE_OPEN_WRITE, HEAP_DEFAULT));
   }
}

void LogClose()
{
   File* file = LogFileGet();
   LogFileSet(nullptr);
   if (file && fileManagerPersistence)
   {
      fileManagerPersistence->Close(file);
   }
}
} // namespace

i32 ProgramRun()
{
   // Numbers in the JSON files and the log are written with '.', whatever the user's locale.
   std::setlocale(LC_NUMERIC, "C");
   PlatformMessageBoxInstall();

   frameClock.Start();
   Memory::Init();
   for (i32 heapId = 0; heapId < HEAP_COUNT; ++heapId)
   {
      if (HeapDelegate* heap = Memory::HeapGet(heapId))
      {
         heap->TrackingBegin();
      }
   }
   Event::SystemInit(HEAP_DEFAULT);

   FileManagersInit();
   ApplicationConstsLoad();
   FileManagersPersistenceInit(consts->ItemGet("SaveDataDeveloperFolder")->StringValueGet(),
                               consts->ItemGet("SaveDataProjectFolder")->StringValueGet());
   ApplicationSettingsLoad();
   LogOpen();

   ScriptManager::Init();

   ScreenSettings screenSettings;
   ApplicationScreenSettingsBuild(&screenSettings, ApplicationWindowProcedure);
   const bool screenReady = screen.Init(screenSettings);
   std::setlocale(LC_NUMERIC, "C");

   i32 exitCode = 1;
   if (screenReady)
   {
      mouseManager.Init();
      KeyboardStateInit();
      keyboardState.initialised = 1;
      // The texture, image and font caches are static and start empty.
      SoundManagerCommon::FocusCheckFunctionSet(&ScreenFocusCheck);
      soundManager.Init(allocatorDefault);

      ApplicationInit();
      FrameLoop loop;
      ScreenFrameLoopHost host;
      exitCode = loop.Run(&host);
      ApplicationDeinit();
   }
   else
   {
      // Without a window nothing could ever end the loop.
      WarningPrintf("ProgramRun -- no window could be opened; the program ends\n");
   }

   ApplicationSettingsSave();
   // A screen whose Init failed has already released itself.
   if (screenReady)
   {
      soundManager.Deinit();
      mouseManager.Deinit();
      screen.Deinit();
   }
   // Front-end step: when updatePageOpenAtExit is set, the update page opens (UpdatePageOpen).
   ApplicationConstsFree();

   FontManager::Deinit();
   imageManager.Deinit();
   textureManager.Deinit();
   ScriptManager::Deinit();
   Event::SystemDeinit();
   LogClose();
   FileManagersDeinit();
   Memory::Deinit();
   return exitCode;
}
} // namespace Corvale
