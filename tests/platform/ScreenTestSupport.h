// The window every drawing test and benchmark opens (run under Xvfb), and the frame read back
// from it as RGB bytes.
#pragma once

#include <vector>

#include "core/Types.h"
#include "platform/input/Keyboard.h"
#include "platform/window/Screen.h"
#include "platform/window/WindowMessages.h"

namespace Corvale
{
namespace TestSupport
{
// Hands every window message to the screen alone.
inline uptr WindowProcedureScreen(PlatformWindow* window, u32 message, uptr wParam, uptr lParam)
{
   uptr result = 0;
   screen.WindowMessageHandle(window, message, wParam, lParam, &result);
   return result;
}

// As the program's window procedure does for typing: characters join the frame's queue, then the
// screen sees the message.
inline uptr WindowProcedureTyping(PlatformWindow* window, u32 message, uptr wParam, uptr lParam)
{
   if (message == MESSAGE_CHAR)
   {
      KeyboardCharacterAdd(static_cast<u32>(wParam));
   }
   return WindowProcedureScreen(window, message, wParam, lParam);
}

// A 960 by 720 window (one pixel per unit) that never waits for the vertical blank nor touches
// the cursor, so that frames cost only their drawing.
inline ScreenSettings WindowSettingsGet(WindowProcedure procedure)
{
   ScreenSettings settings;
   settings.width = 960;
   settings.height = 720;
   settings.fullscreen = 0;
   settings.swapIntervalOn = 0;
   settings.cursorHide = 0;
   settings.cursorClipMode = 0;
   settings.windowProcedure = procedure;
   return settings;
}

struct Pixel
{
   int r, g, b;
};

// The client area as rows of RGB bytes.
inline std::vector<u8> FrameRead()
{
   std::vector<u8> pixels(static_cast<size_t>(screen.clientWidth) * screen.clientHeight * 3);
   screen.FrameRead(pixels.data(), screen.clientWidth, screen.clientHeight, 0);
   return pixels;
}

inline Pixel PixelAt(const std::vector<u8>& frame, int x, int y)
{
   const u8* p = &frame[(static_cast<size_t>(y) * screen.clientWidth + x) * 3];
   return Pixel{p[0], p[1], p[2]};
}
} // namespace TestSupport
} // namespace Corvale
