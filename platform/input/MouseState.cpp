// Latching one pointer's buttons, motion and wheel at the frame boundary.
#include "platform/input/MouseState.h"

#include <cmath>

#include "platform/input/InputLatch.h"

namespace Corvale
{
namespace
{
i32 Clamp(i32 value, i32 low, i32 size)
{
   const i32 high = low + size - 1;
   if (value > high)
   {
      value = high;
   }
   // The lower bound wins when the area is empty.
   if (value < low)
   {
      value = low;
   }
   return value;
}
} // namespace

void MouseState::Init(const Point2I& position, const PlatformRect& areaUsed, bool touchActiveNow)
{
   buttons = frameButtons = previousButtons = 0;
   pressesLatched = releasesLatched = 0;
   wheel = 0;
   present = 0;
   hidden = 0;
   x = previousX = position.x;
   y = previousY = position.y;
   dx = dy = 0;
   area = areaUsed;
   frameMotionX = frameMotionY = 0.0f;
   pendingX = pendingY = pendingWheel = 0.0f;
   touchActive = touchActiveNow ? 1 : 0;
   pendingTouch = touchActive;
}

void MouseState::FrameAdvance(bool active)
{
   if (active)
   {
      wheel = static_cast<i32>(std::trunc(pendingWheel));
      frameMotionX = pendingX;
      frameMotionY = pendingY;
      dx = static_cast<i32>(std::trunc(frameMotionX));
      dy = static_cast<i32>(std::trunc(frameMotionY));
   }
   // Whole parts are used or dropped; the fractions carry over, keeping their sign.
   pendingX = std::fmod(pendingX, 1.0f);
   pendingY = std::fmod(pendingY, 1.0f);
   pendingWheel = std::fmod(pendingWheel, 1.0f);
   touchActive = pendingTouch;
   if (active)
   {
      x = Clamp(x + dx, area.x, area.width);
      y = Clamp(y + dy, area.y, area.height);
      previousButtons = frameButtons;
      frameButtons = InputLatchAdvance(frameButtons, buttons, &pressesLatched, &releasesLatched);
   }
   else
   {
      // Buttons do not latch while inactive: what happened meanwhile is not a click.
      pressesLatched = releasesLatched = 0;
   }
}

void MouseState::ButtonSet(u32 bit, bool down)
{
   if (down)
   {
      pressesLatched |= bit & ~buttons;
      buttons |= bit;
   }
   else
   {
      releasesLatched |= bit & buttons;
      buttons &= ~bit;
   }
}
} // namespace Corvale
