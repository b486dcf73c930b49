// One posed instance of skeleton data: bones, slots, draw order and the current skin.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skAttachment;
struct skBone;
struct skIkConstraint;
struct skSkeletonData;
struct skSkin;
struct skSlot;

struct skSkeleton
{
   skSkeletonData* data;
   i32 bonesCount;
   skBone** bones;
   skBone* root;
   i32 slotsCount;
   skSlot** slots;
   skSlot** drawOrder;
   i32 ikConstraintsCount;
   skIkConstraint** ikConstraints;
   skSkin* skin;
   float r, g, b, a;
   float time;
   i32 flipX, flipY;
   float x, y;

   // Bones updated in each pass; IK constraint i runs between pass i and pass i + 1.
   i32 boneCacheCount;
   i32* boneCacheCounts;
   skBone*** boneCache;
};

// A skeleton of the data in its setup pose; null when an allocation fails.
skSkeleton* skSkeleton_create(skSkeletonData* data);
void skSkeleton_dispose(skSkeleton* self);
// Sorts the bones into update passes around the IK constraints; false when an allocation fails,
// which leaves no passes.
i32 skSkeleton_updateCache(skSkeleton* self);
// Recomputes every world transform, parents first, solving the IK constraints between passes.
void skSkeleton_updateWorldTransform(skSkeleton* self);
skBone* skSkeleton_findBone(const skSkeleton* self, const char* boneName);
// The skin's attachment, else the default skin's, else null; slot index -1 finds nothing.
skAttachment* skSkeleton_getAttachmentForSlotIndex(const skSkeleton* self, i32 slotIndex,
                                                   const char* attachmentName);
// Swaps every attachment of the old skin for the new skin's of the same slot and name; without
// an old skin, the slots take the new skin's setup attachments.
void skSkeleton_setSkin(skSkeleton* self, skSkin* skin);
} // namespace Corvale
