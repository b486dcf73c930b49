// Animations: creation with a timeline table, and disposal through each timeline's own kind.
#include "tutorial/skeleton/skAnimation.h"

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
void skTimeline_dispose(skTimeline* self)
{
   self->_dispose(self);
}

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
} // namespace Corvale
