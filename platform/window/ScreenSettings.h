// The settings start-up fills in before the screen creates the window; read once by Screen::Init.
#pragma once

#include "core/Types.h"
#include "platform/window/WindowMessages.h"

namespace Corvale
{
struct ScreenSettings
{
   // Replacement GLSL sources: textured vertex, textured fragment, flat vertex, flat fragment;
   // null keeps the built-in source.
   const char* shaderSources[4] = {nullptr, nullptr, nullptr, nullptr};
   u8 fullscreen = 1;
   // 1 keeps the aspect ratio (letterbox); any other value stretches.
   i32 aspectMode = 1;
   u8 scissorDisabled = 0;
   i32 width = 1024;
   i32 height = 768;
   const char* title = "Corvale";
   u8 swapIntervalOn = 1;
   // 0 off; 1 to 5 ask for 2, 4, 8, 16, 32 samples.
   i32 multisampleLevel = 0;
   i32 screenshotKey = 120;
   u8 cursorHide = 1;
   // 0 none; 1 pin to the client centre while focused; 2 confine to the client area while
   // focused; 3 as 1 but only in full screen.
   i32 cursorClipMode = 3;
   u8 preparedAreaFullscreenEnabled = 0;
   u8 preparedAreaWindowedEnabled = 0;
   i32 preparedArea[4] = {0, 0, 0, 0};
   u8 desktopOverride = 0;
   i32 desktopOverrideSize[2] = {1024, 768};
   // Window-class resources of the desktop build; nothing on Linux reads them.
   i32 iconId = 0;
   i32 cursorId = 0;
   const char* graphicsPath0 = "Graphics";
   const char* graphicsPath1 = nullptr;
   void* instance = nullptr;
   WindowProcedure windowProcedure = nullptr;
   i32 showCommand = 0;
   u8 menuBarReserved = 0;
   i32 heapId = 0;
};
} // namespace Corvale
