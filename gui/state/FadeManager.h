// The full-screen colour fade between game states and menus: a colour that blends from where it
// stands to a target over half a second, drawn over the visible screen once a frame.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/Types.h"

namespace Corvale
{
// The box that full-screen overlays cover: the visible window when scissoring is off, the visible
// part of the prepared area where the screen uses one, else the virtual area.
Box2F ScreenCoverAreaGet();

class FadeManager
{
 public:
   // Not fading, no duration, both colours transparent.
   static void Reset();
   static void BoundsUpdate();
   // The overlay colour: the end colour when no fade runs, else start and end mixed by progress.
   static ColorRGBA8 ColorGet();
   // A 500 ms fade from the colour shown now to the given colour.
   static void FadeStart(const ColorRGBA8& color);
   // Once a frame: the running fade advances and stops once it has run its duration.
   static void Update(u32 elapsedMilliseconds);
   // The overlay over bounds, when it is not transparent.
   static void Draw();
   static void OnWindowChange();
   static void EventRegister();
   static void EventUnregister();

   static Box2F bounds;
   static u8 boundsLocked;
   static u8 fading;
   static u32 duration;
   static u32 elapsed;
   static ColorRGBA8 startColor;
   static ColorRGBA8 endColor;
};

constexpr u32 FADE_DURATION = 500;
} // namespace Corvale
