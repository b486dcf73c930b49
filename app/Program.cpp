// Start-up and shutdown of the engine around the application and its frame loop.
#include "app/Program.h"

#include <climits>
#include <clocale>
#include <cstdio>

#include <unistd.h>

#include "app/Application.h"
#include "app/ApplicationConsts.h"
#include "app/ApplicationSettings.h"
#include "app/FrameClock.h"
#include "app/FrameLoop.h"
#include "app/MainMenu.h"
#include "cardgame/Card.h"
#include "core/Event.h"
#include "core/File.h"
#include "core/FileManager.h"
#include "core/HeapDelegate.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"
#include "platform/sprite/FontManager.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/window/PlatformShell.h"
#include "platform/window/Screen.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/image/TextureManagerOpenGL.h"

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
      LogFileSet(fileManagerPersistence->Open("Log.txt", FILE_OPEN_WRITE, HEAP_DEFAULT));
   }
   // Without a save-data folder, or one that refuses the file, the program runs on with its log on
   // the terminal.
   if (!LogFileGet())
   {
      LogStandardErrorUse();
   }
}

// The constants are the first thing read: without them there is no archive or tree to run from.
bool ResourcesFoundCheck()
{
   // A missing file needs no line of its own before the one that says so; one that is there but
   // can't be opened does.
   const char* path = "Scripts/BuildConsts.json";
   File* file = fileManagerResource && fileManagerResource->Exists(path)
                    ? fileManagerResource->Open(path, FILE_OPEN_READ, HEAP_TEMP)
                    : nullptr;
   if (!file)
   {
      return false;
   }
   fileManagerResource->Close(file);
   return true;
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
   // The constants and Settings.json are read, and may be found damaged, before Log.txt can open.
   LogHoldBegin();

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
   if (!ResourcesFoundCheck())
   {
      // Started from the wrong folder, most likely: say where we looked, before any window opens
      // or any save folder is made, after what the file managers found on the way.
      LogStandardErrorUse();
      char folder[PATH_MAX];
      std::fprintf(stderr,
                   "ProgramRun -- no resources in the working folder \"%s\": neither a usable resource.dat "
                   "nor a readable Scripts/BuildConsts.json\n",
                   getcwd(folder, sizeof(folder)) ? folder : "?");
      Event::SystemDeinit();
      FileManagersDeinit();
      Memory::Deinit();
      return 1;
   }
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
   if (updatePageOpenAtExit)
   {
      UpdatePageOpen();
   }
   // The cards read the constants until here.
   Card::ConstsLoad(nullptr);
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
