// The animated background's clock, drawing and shutdown.
#include "platform/sprite/AnimatedBackgroundManager.h"

#include "core/Memory.h"

namespace Corvale
{
u8 AnimatedBackgroundManager::initialised = 0;
u8 AnimatedBackgroundManager::paused = 0;
AnimatedBackground* AnimatedBackgroundManager::background = nullptr;
void* AnimatedBackgroundManager::buffer = nullptr;
ColorRGBA8 AnimatedBackgroundManager::tint;

void AnimatedBackgroundManager::Init(const ColorRGBA8& tintColor)
{
   if (initialised)
   {
      return;
   }
   background = nullptr;
   initialised = 1;
   paused = 0;
   buffer = nullptr;
   tint = tintColor;
}

void AnimatedBackgroundManager::ClockStep(i32 deltaMs)
{
   if (!initialised || !background || paused)
   {
      return;
   }
   background->time += deltaMs;
   if (background->period != 0)
   {
      background->time %= background->period;
   }
}

void AnimatedBackgroundManager::Draw()
{
   if (!initialised || !background)
   {
      return;
   }
   for (i32 i = 0; i < background->layers.count; ++i)
   {
      if (background->layers[i])
      {
         background->layers[i]->Draw(background->time);
      }
   }
}

void AnimatedBackgroundManager::Deinit()
{
   if (background)
   {
      for (i32 i = 0; i < background->layers.count; ++i)
      {
         AnimatedBackgroundLayer* layer = background->layers[i];
         if (layer)
         {
            layer->Deinit();
            MemoryDelete(layer);
         }
      }
      MemoryFree(background->buffer);
      MemoryDelete(background);
      background = nullptr;
   }
   MemoryFree(buffer);
   buffer = nullptr;
   initialised = 0;
}
} // namespace Corvale
