// Skeleton data: disposal of everything read, and the lookups by name.
#include "tutorial/skeleton/skSkeletonData.h"

#include <cstring>

#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skEventData.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skIkConstraintData.h"
#include "tutorial/skeleton/skSkin.h"
#include "tutorial/skeleton/skSlotData.h"

namespace Corvale
{
namespace
{
// Index of the first record named exactly name, or -1.
template <class T> i32 NameIndexFind(T* const* items, i32 count, const char* name)
{
   for (i32 i = 0; i < count; ++i)
   {
      if (items[i] && std::strcmp(items[i]->name, name) == 0)
      {
         return i;
      }
   }
   return -1;
}

template <class T> T* NameFind(T* const* items, i32 count, const char* name)
{
   const i32 index = NameIndexFind(items, count, name);
   return index >= 0 ? items[index] : nullptr;
}

// Disposes every record of an array that a partly read file may have left with gaps.
template <class T> void ArrayDispose(T** items, i32 count, void (*dispose)(T*))
{
   for (i32 i = 0; items && i < count; ++i)
   {
      if (items[i])
      {
         dispose(items[i]);
      }
   }
   SK_FREE(items);
}
} // namespace

skSkeletonData* skSkeletonData_create()
{
   return SK_ALLOC(skSkeletonData, 1);
}

void skSkeletonData_dispose(skSkeletonData* self)
{
   ArrayDispose(self->bones, self->bonesCount, skBoneData_dispose);
   ArrayDispose(self->slots, self->slotsCount, skSlotData_dispose);
   // The default skin is one of the skins: it goes with them.
   ArrayDispose(self->skins, self->skinsCount, skSkin_dispose);
   ArrayDispose(self->events, self->eventsCount, skEventData_dispose);
   ArrayDispose(self->animations, self->animationsCount, skAnimation_dispose);
   ArrayDispose(self->ikConstraints, self->ikConstraintsCount, skIkConstraintData_dispose);
   SK_FREE(self->version);
   SK_FREE(self->hash);
   SK_FREE(self);
}

skBoneData* skSkeletonData_findBone(const skSkeletonData* self, const char* boneName)
{
   return NameFind(self->bones, self->bonesCount, boneName);
}

i32 skSkeletonData_findBoneIndex(const skSkeletonData* self, const char* boneName)
{
   return NameIndexFind(self->bones, self->bonesCount, boneName);
}

i32 skSkeletonData_findSlotIndex(const skSkeletonData* self, const char* slotName)
{
   return NameIndexFind(self->slots, self->slotsCount, slotName);
}

skSkin* skSkeletonData_findSkin(const skSkeletonData* self, const char* skinName)
{
   return NameFind(self->skins, self->skinsCount, skinName);
}

skEventData* skSkeletonData_findEvent(const skSkeletonData* self, const char* eventName)
{
   return NameFind(self->events, self->eventsCount, eventName);
}

skIkConstraintData* skSkeletonData_findIkConstraint(const skSkeletonData* self, const char* ikConstraintName)
{
   return NameFind(self->ikConstraints, self->ikConstraintsCount, ikConstraintName);
}

skAnimation* skSkeletonData_findAnimation(const skSkeletonData* self)
{
   return NameFind(self->animations, self->animationsCount, "animation");
}
} // namespace Corvale
