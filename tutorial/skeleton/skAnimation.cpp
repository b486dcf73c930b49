// Animations: a timeline table applied in order, each timeline disposed through its own kind.
#include "tutorial/skeleton/skAnimation.h"

#include <cmath>

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
skAnimation* skAnimation_create(const char* name, i32 timelinesCount)
{
   skAnimation* self = timelinesCount >= 0 ? _skNamedCreate<skAnimation>(name) : nullptr;
   if (!self)
   {
      return nullptr;
   }
   self->timelines = timelinesCount > 0 ? SK_ALLOC(skTimeline*, timelinesCount) : nullptr;
   if (timelinesCount > 0 && !self->timelines)
   {
      SK_FREE(self->name);
      SK_FREE(self);
      return nullptr;
   }
   self->timelinesCount = timelinesCount;
   return self;
}

void skAnimation_dispose(skAnimation* self)
{
   for (i32 i = 0; i < self->timelinesCount; ++i)
   {
      if (self->timelines[i])
      {
         skTimeline_dispose(self->timelines[i]);
      }
   }
   SK_FREE(self->timelines);
   SK_FREE(self->name);
   SK_FREE(self);
}

void skAnimation_apply(const skAnimation* self, skSkeleton* skeleton, float lastTime, float time, i32 loop,
                       skEvent** events, i32* eventsCount)
{
   skAnimation_mix(self, skeleton, lastTime, time, loop, events, eventsCount, 1);
}

void skAnimation_mix(const skAnimation* self, skSkeleton* skeleton, float lastTime, float time, i32 loop,
                     skEvent** events, i32* eventsCount, float alpha)
{
   if (loop && self->duration != 0)
   {
      time = std::fmod(time, self->duration);
      lastTime = std::fmod(lastTime, self->duration);
   }
   for (i32 i = 0; i < self->timelinesCount; ++i)
   {
      if (self->timelines[i])
      {
         skTimeline_apply(self->timelines[i], skeleton, lastTime, time, events, eventsCount, alpha);
      }
   }
}
} // namespace Corvale
