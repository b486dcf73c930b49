// The application's clock and the frame timing that every animating part reads: this frame's
// time, the previous one's and the milliseconds between them.
#pragma once

#include "core/Clock.h"
#include "core/Types.h"

namespace Corvale
{
class FrameClock
{
 public:
   // Starts the millisecond clock; the first step after it reports 0 elapsed.
   void Start();
   // One active frame at time milliseconds: elapsed is 0 after a reset (ours or the screen's
   // deltaResetFlag), else the time since the previous active frame.
   void Step(u32 time);
   u32 TimeGet() { return clock.TimeGet(); }

   Clock clock;
   u32 now = 0;
   u32 previous = 0;
   u32 elapsed = 0;
   u8 resetPending = 1;
   u8 frameCountSkip = 0;
   u32 frameCount = 0;
};

extern FrameClock frameClock;
} // namespace Corvale
