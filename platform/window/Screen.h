// The single screen: the window, its OpenGL context and the display mode, with all drawing state.
#pragma once

#include "platform/window/ScreenOpenGL.h"

namespace Corvale
{
class Screen : public ScreenOpenGL
{
 public:
   // Creates the window and the context; false (after Deinit) when either is not to be had.
   bool Init(const ScreenSettings& settings);
   void Deinit();
   // Presents the finished frame.
   void BuffersSwap() { window.BuffersSwap(); }
   // Dispatches the window's pending events to the window procedure.
   bool MessagesPump() { return window.MessagesPump(); }
};

extern Screen screen;
} // namespace Corvale
