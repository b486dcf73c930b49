// An optional background of layers drawn behind the game state at a looping clock. Nothing in
// the program installs one yet; the frame loop steps and draws it only when one is present.
#pragma once

#include "core/Color.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class AnimatedBackgroundLayer
{
 public:
   virtual ~AnimatedBackgroundLayer() = default;
   virtual void Deinit() {}
   virtual void Draw(i32 timeMs) = 0;
};

struct AnimatedBackground
{
   // Owned; freed with the background.
   void* buffer = nullptr;
   i32 time = 0;
   // 0: the clock never wraps.
   i32 period = 0;
   Table<AnimatedBackgroundLayer*> layers;
};

class AnimatedBackgroundManager
{
 public:
   // Start-up, once: no background, not paused; tint is kept for the background's use.
   static void Init(const ColorRGBA8& tintColor);
   // The clock step of every active frame, before drawing.
   static void ClockStep(i32 deltaMs);
   // Right after the screen is cleared: each layer in order at the background's time.
   static void Draw();
   static void Deinit();

   static u8 initialised;
   static u8 paused;
   // Owned (made with MemoryNew); null when none.
   static AnimatedBackground* background;
   static void* buffer;
   static ColorRGBA8 tint;
};
} // namespace Corvale
