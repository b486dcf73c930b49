// Everything read from a skeleton file: bones, slots, skins, events, animations and IK
// constraints, shared by every skeleton made from it.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skAnimation;
struct skBoneData;
struct skEventData;
struct skIkConstraintData;
struct skSkin;
struct skSlotData;

struct skSkeletonData
{
   char* version;
   char* hash;
   float width, height;

   i32 bonesCount;
   skBoneData** bones; // parents before children

   i32 slotsCount;
   skSlotData** slots; // setup draw order

   i32 skinsCount;
   skSkin** skins;
   skSkin* defaultSkin; // one of skins, or null

   i32 eventsCount;
   skEventData** events;

   i32 animationsCount;
   skAnimation** animations;

   i32 ikConstraintsCount;
   skIkConstraintData** ikConstraints;
};

// Empty data; null when the allocation fails.
skSkeletonData* skSkeletonData_create();
// Frees everything the data holds; null entries of its arrays are skipped.
void skSkeletonData_dispose(skSkeletonData* self);

// Lookups compare names exactly and return the first match in array order.
skBoneData* skSkeletonData_findBone(const skSkeletonData* self, const char* boneName);
i32 skSkeletonData_findBoneIndex(const skSkeletonData* self, const char* boneName);
i32 skSkeletonData_findSlotIndex(const skSkeletonData* self, const char* slotName);
skSkin* skSkeletonData_findSkin(const skSkeletonData* self, const char* skinName);
skEventData* skSkeletonData_findEvent(const skSkeletonData* self, const char* eventName);
skIkConstraintData* skSkeletonData_findIkConstraint(const skSkeletonData* self, const char* ikConstraintName);
// The animation named "animation", the only one the tutorials play.
skAnimation* skSkeletonData_findAnimation(const skSkeletonData* self);
} // namespace Corvale
