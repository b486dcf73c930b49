// The per-frame record of one pointer: the system pointer or one of eight individual mice.
#pragma once

#include "core/Point.h"
#include "core/Types.h"
#include "platform/window/PlatformWindow.h"

namespace Corvale
{
enum MouseButton : u32
{
   MOUSE_BUTTON_LEFT = 1,
   MOUSE_BUTTON_RIGHT = 2,
   MOUSE_BUTTON_MIDDLE = 4
};

struct MouseState
{
   // Live state, changed as messages and events arrive.
   u32 buttons;
   // Latched for this frame and for the previous frame.
   u32 frameButtons;
   u32 previousButtons;
   // Whole wheel notches of this frame, positive away from the user.
   i32 wheel;
   u8 present;
   // Set while the pointer's custom cursor is not to be drawn.
   u8 hidden;
   u8 touchActive;
   // Position in virtual units, at the start of this frame, and this frame's whole movement.
   i32 x;
   i32 y;
   i32 previousX;
   i32 previousY;
   i32 dx;
   i32 dy;
   // Positions are clamped into this rectangle.
   PlatformRect area;
   float frameMotionX;
   float frameMotionY;
   // Accumulated since the last frame; fractions carry over to the next.
   float pendingX;
   float pendingY;
   float pendingWheel;
   u8 pendingTouch;
   // Presses and releases since the last frame, so that a click within one frame is not lost.
   u32 pressesLatched;
   u32 releasesLatched;

   void Init(const Point2I& position, const PlatformRect& areaUsed, bool touchActiveNow);
   void FrameAdvance(bool active);
   // A live change of the buttons in bit, as a message or event reports it.
   void ButtonSet(u32 bit, bool down);

   bool PressedCheck(u32 button) const { return (frameButtons & button) && !(previousButtons & button); }
   bool ReleasedCheck(u32 button) const { return !(frameButtons & button) && (previousButtons & button); }
};
} // namespace Corvale
