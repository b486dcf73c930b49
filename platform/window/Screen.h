// The single screen: the window, its OpenGL context and the display mode, with all drawing state.
#pragma once

#include "platform/window/ScreenOpenGL.h"

namespace Corvale
{
// The window icon, drawn by our art tool; read when the settings ask for an icon.
constexpr const char* SCREEN_ICON_PATH = "Graphics/Icon.png";

class Screen : public ScreenOpenGL
{
 public:
   // Creates the window and the context; false (after Deinit) when either is not to be had.
   bool Init(const ScreenSettings& settings);
   void Deinit();
   // Presents the finished frame and notes whether the swap waited for the display.
   void BuffersSwap();
   // Dispatches the window's pending events to the window procedure.
   bool MessagesPump() { return window.MessagesPump(); }

   // The last swap took long enough to have waited for the display's retrace; where it returns at
   // once (a virtual display, a driver that ignores the interval) the frame loop paces itself.
   u8 swapWaited = 0;
   u8 swapSlowBefore = 0;

 private:
   // Reads the icon through the resource file manager and gives it to the window.
   void IconLoad();
};

extern Screen screen;
} // namespace Corvale
