// Mix durations: a list of from-animations, each with its list of to-animations.
#include "tutorial/skeleton/skAnimationStateData.h"

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
skAnimationStateData* skAnimationStateData_create(skSkeletonData* skeletonData)
{
   skAnimationStateData* self = SK_ALLOC(skAnimationStateData, 1);
   if (self)
   {
      self->skeletonData = skeletonData;
   }
   return self;
}

void skAnimationStateData_dispose(skAnimationStateData* self)
{
   for (_skFromEntry* from = self->entries; from;)
   {
      for (_skToEntry* to = from->toEntries; to;)
      {
         _skToEntry* next = to->next;
         SK_FREE(to);
         to = next;
      }
      _skFromEntry* next = from->next;
      SK_FREE(from);
      from = next;
   }
   SK_FREE(self);
}

float skAnimationStateData_getMix(const skAnimationStateData* self, const skAnimation* from,
                                  const skAnimation* to)
{
   for (const _skFromEntry* fromEntry = self->entries; fromEntry; fromEntry = fromEntry->next)
   {
      if (fromEntry->animation != from)
      {
         continue;
      }
      for (const _skToEntry* toEntry = fromEntry->toEntries; toEntry; toEntry = toEntry->next)
      {
         if (toEntry->animation == to)
         {
            return toEntry->duration;
         }
      }
   }
   return self->defaultMix;
}
} // namespace Corvale
