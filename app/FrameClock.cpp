// Frame timing over the millisecond clock.
#include "app/FrameClock.h"

#include "platform/window/ScreenCommon.h"

namespace Corvale
{
FrameClock frameClock;

void FrameClock::Start()
{
   now = clock.Start();
   previous = now;
   elapsed = 0;
   resetPending = 1;
}

void FrameClock::Step(u32 time)
{
   // The screen asks for a reset after full-screen switches, focus loss and screenshots, so that
   // the time they took never reaches the animations.
   if (deltaResetFlag)
   {
      resetPending = 1;
      deltaResetFlag = 0;
   }
   previous = now;
   now = time;
   elapsed = resetPending ? 0 : now - previous;
   resetPending = 0;
   if (frameCountSkip)
   {
      frameCountSkip = 0;
   }
   else
   {
      ++frameCount;
   }
}
} // namespace Corvale
