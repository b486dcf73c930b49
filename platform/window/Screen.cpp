// Screen set-up and teardown: the window, the OpenGL context (with multisampling stepped down
// until one is had), the display mode and the graphics state.
#include <epoxy/gl.h>

#include "platform/window/Screen.h"

#include <chrono>

#include "core/Allocator.h"
#include "core/File.h"
#include "core/FileManager.h"
#include "core/GraphicsPathManager.h"
#include "core/Log.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "platform/window/PlatformShell.h"

namespace Corvale
{
Screen screen;

namespace
{
// A swap that returns sooner did not wait for a retrace: it only handed the frame over. Copying a
// frame to a virtual display costs well under this; a display's wait is most of a refresh.
constexpr std::chrono::microseconds SWAP_WAIT_MIN{2000};
} // namespace

bool Screen::Init(const ScreenSettings& settings)
{
   GraphicsPathManager::Set(0, settings.graphicsPath0);
   if (settings.graphicsPath1)
   {
      GraphicsPathManager::Set(1, settings.graphicsPath1);
   }
   heapId = settings.heapId;
   MatrixStackInit();
   trianglesThisFrame = 0;
   trianglesPeak = 0;
   SettingsApply(settings);

   // Multisampling steps down one level at a time until a window and context are had.
   const i32 requested =
       settings.multisampleLevel >= 0 && settings.multisampleLevel <= 5 ? settings.multisampleLevel : 0;
   bool created = false;
   for (i32 level = requested; level >= 0 && !created; --level)
   {
      if (!window.Create(settings.title, fullscreen != 0, clientWidth, clientHeight,
                         level > 0 ? 1 << level : 0, settings.windowProcedure))
      {
         continue;
      }
      if (!window.ContextCreate())
      {
         window.Destroy();
         continue;
      }
      multisampleLevel = level;
      created = true;
   }
   if (!created)
   {
      if (!window.Create(settings.title, fullscreen != 0, clientWidth, clientHeight, 0,
                         settings.windowProcedure))
      {
         PlatformMessageBox("Error", "ChoosePixelFormat failed", true);
      }
      else
      {
         PlatformMessageBox("Error", "SetPixelFormat failed", true);
      }
      Deinit();
      return false;
   }

   if (settings.iconId != 0)
   {
      IconLoad();
   }
   if (fullscreen)
   {
      DisplayModeApply();
   }
   WindowSizeSet(clientWidth, clientHeight);
   focusCount = window.FocusCheck() ? 1 : 0;
   initialised = 1;

   GraphicsInit(settings);
   if (multisampleLevel > 0)
   {
      glEnable(GL_MULTISAMPLE);
   }
   window.SwapIntervalSet(settings.swapIntervalOn ? 1 : 0);
   return true;
}

void Screen::BuffersSwap()
{
   const auto start = std::chrono::steady_clock::now();
   window.BuffersSwap();
   // A display that waits does so at every swap; a busy virtual display is now and then as slow
   // for one.
   const bool slow = std::chrono::steady_clock::now() - start >= SWAP_WAIT_MIN;
   swapWaited = slow && swapSlowBefore ? 1 : 0;
   swapSlowBefore = slow ? 1 : 0;
}

void Screen::IconLoad()
{
   File* file =
       fileManagerResource ? fileManagerResource->Open(SCREEN_ICON_PATH, FILE_OPEN_READ, HEAP_TEMP) : nullptr;
   if (!file)
   {
      WarningPrintf("Screen::IconLoad -- unable to open \"%s\"\n", SCREEN_ICON_PATH);
      return;
   }
   Bitmap* bitmap = bitmapLoaderPNG.Load(file, allocatorDefault, HEAP_DEFAULT, HEAP_TEMP);
   fileManagerResource->Close(file);
   if (!bitmap || bitmap->format != BITMAP_FORMAT_RGBA8)
   {
      WarningPrintf("Screen::IconLoad -- \"%s\" is not an RGBA PNG\n", SCREEN_ICON_PATH);
   }
   else
   {
      window.IconSet(bitmap->pixels, bitmap->width, bitmap->height);
   }
   Bitmap::Destroy(bitmap);
}

void Screen::Deinit()
{
   initialised = 0;
   if (window.CreatedCheck())
   {
      ShadersDestroy();
   }
   if (!cursorShown)
   {
      PlatformWindow::CursorShow(true);
      cursorShown = 1;
   }
   if (cursorClipped)
   {
      window.CursorClipSet(nullptr);
      cursorClipped = 0;
   }
   DisplayModeRestore();
   window.Destroy();
   MatrixStackDeinit();
   // A later Init may be given another desktop (an override, or a different monitor).
   desktopSizeKnown = 0;
}
} // namespace Corvale
