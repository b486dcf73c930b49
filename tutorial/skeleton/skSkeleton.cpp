// Skeletons: creation in the setup pose, the update passes around IK constraints, the world
// update and skin switching.
#include "tutorial/skeleton/skSkeleton.h"

#include <cstring>

#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skIkConstraint.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSkin.h"
#include "tutorial/skeleton/skSlot.h"
#include "tutorial/skeleton/skSlotData.h"

namespace Corvale
{
namespace
{
skBone* BoneOfData(const skSkeleton* self, const skBoneData* data)
{
   for (i32 i = 0; i < self->bonesCount; ++i)
   {
      if (self->bones[i] && self->bones[i]->data == data)
      {
         return self->bones[i];
      }
   }
   return nullptr;
}

void CacheFree(skSkeleton* self)
{
   for (i32 i = 0; i < self->boneCacheCount; ++i)
   {
      SK_FREE(self->boneCache[i]);
   }
   SK_FREE(self->boneCache);
   SK_FREE(self->boneCacheCounts);
   self->boneCache = nullptr;
   self->boneCacheCounts = nullptr;
   self->boneCacheCount = 0;
}

// Whether the bone lies on the constraint's chain: from its last bone up to its first. The walk
// also ends at the root, since a file may name a first bone that is no ancestor of the last.
bool ChainHolds(const skIkConstraint* constraint, const skBone* bone)
{
   if (constraint->bonesCount <= 0)
   {
      return false;
   }
   const skBone* first = constraint->bones[0];
   for (const skBone* link = constraint->bones[constraint->bonesCount - 1]; link; link = link->parent)
   {
      if (link == bone)
      {
         return true;
      }
      if (link == first)
      {
         break;
      }
   }
   return false;
}

// The constraint whose chain holds the bone or its nearest ancestor on any chain, or -1.
i32 ConstraintAbove(const skSkeleton* self, const skBone* bone)
{
   for (const skBone* current = bone; current; current = current->parent)
   {
      for (i32 i = 0; i < self->ikConstraintsCount; ++i)
      {
         if (ChainHolds(self->ikConstraints[i], current))
         {
            return i;
         }
      }
   }
   return -1;
}
} // namespace

skSkeleton* skSkeleton_create(skSkeletonData* data)
{
   skSkeleton* self = SK_ALLOC(skSkeleton, 1);
   if (!self)
   {
      return nullptr;
   }
   self->data = data;
   self->r = self->g = self->b = self->a = 1;
   bool built = (data->bonesCount == 0 || (self->bones = SK_ALLOC(skBone*, data->bonesCount))) &&
                (data->slotsCount == 0 || ((self->slots = SK_ALLOC(skSlot*, data->slotsCount)) &&
                                           (self->drawOrder = SK_ALLOC(skSlot*, data->slotsCount)))) &&
                (data->ikConstraintsCount == 0 ||
                 (self->ikConstraints = SK_ALLOC(skIkConstraint*, data->ikConstraintsCount)));
   // Counts grow with each record made, so that dispose frees exactly what exists.
   for (i32 i = 0; built && i < data->bonesCount; ++i)
   {
      skBoneData* boneData = data->bones[i];
      skBone* bone =
          skBone_create(boneData, self, boneData->parent ? BoneOfData(self, boneData->parent) : nullptr);
      built = bone != nullptr;
      self->bones[self->bonesCount] = bone;
      self->bonesCount += built;
   }
   self->root = self->bonesCount > 0 ? self->bones[0] : nullptr;
   for (i32 i = 0; built && i < data->slotsCount; ++i)
   {
      skBone* bone = BoneOfData(self, data->slots[i]->boneData);
      skSlot* slot = bone ? skSlot_create(data->slots[i], bone) : nullptr;
      built = slot != nullptr;
      if (slot)
      {
         self->slots[self->slotsCount++] = slot;
         self->drawOrder[i] = slot;
         skSlot_setToSetupPose(slot);
      }
   }
   for (i32 i = 0; built && i < data->ikConstraintsCount; ++i)
   {
      skIkConstraint* constraint = skIkConstraint_create(data->ikConstraints[i], self);
      built = constraint != nullptr;
      self->ikConstraints[self->ikConstraintsCount] = constraint;
      self->ikConstraintsCount += built;
   }
   if (!built || !skSkeleton_updateCache(self))
   {
      skSkeleton_dispose(self);
      return nullptr;
   }
   return self;
}

void skSkeleton_dispose(skSkeleton* self)
{
   CacheFree(self);
   for (i32 i = 0; i < self->ikConstraintsCount; ++i)
   {
      skIkConstraint_dispose(self->ikConstraints[i]);
   }
   SK_FREE(self->ikConstraints);
   for (i32 i = 0; i < self->bonesCount; ++i)
   {
      skBone_dispose(self->bones[i]);
   }
   SK_FREE(self->bones);
   for (i32 i = 0; i < self->slotsCount; ++i)
   {
      skSlot_dispose(self->slots[i]);
   }
   SK_FREE(self->slots);
   SK_FREE(self->drawOrder);
   SK_FREE(self);
}

i32 skSkeleton_updateCache(skSkeleton* self)
{
   CacheFree(self);
   const i32 passes = self->ikConstraintsCount + 1;
   self->boneCacheCounts = SK_ALLOC(i32, passes);
   self->boneCache = SK_ALLOC(skBone**, passes);
   if (!self->boneCacheCounts || !self->boneCache)
   {
      SK_FREE(self->boneCacheCounts);
      SK_FREE(self->boneCache);
      self->boneCacheCounts = nullptr;
      self->boneCache = nullptr;
      return 0;
   }
   self->boneCacheCount = passes;
   for (i32 i = 0; i < self->bonesCount; ++i)
   {
      const i32 constraint = ConstraintAbove(self, self->bones[i]);
      if (constraint < 0)
      {
         self->boneCacheCounts[0]++;
      }
      else
      {
         self->boneCacheCounts[constraint]++;
         self->boneCacheCounts[constraint + 1]++;
      }
   }
   for (i32 pass = 0; pass < passes; ++pass)
   {
      if (self->boneCacheCounts[pass] > 0 &&
          !(self->boneCache[pass] = SK_ALLOC(skBone*, self->boneCacheCounts[pass])))
      {
         CacheFree(self);
         return 0;
      }
      self->boneCacheCounts[pass] = 0; // refilled below
   }
   for (i32 i = 0; i < self->bonesCount; ++i)
   {
      skBone* bone = self->bones[i];
      const i32 constraint = ConstraintAbove(self, bone);
      if (constraint < 0)
      {
         self->boneCache[0][self->boneCacheCounts[0]++] = bone;
      }
      else
      {
         self->boneCache[constraint][self->boneCacheCounts[constraint]++] = bone;
         self->boneCache[constraint + 1][self->boneCacheCounts[constraint + 1]++] = bone;
      }
   }
   return 1;
}

void skSkeleton_updateWorldTransform(skSkeleton* self)
{
   for (i32 i = 0; i < self->bonesCount; ++i)
   {
      self->bones[i]->rotationIK = self->bones[i]->rotation;
   }
   const i32 last = self->boneCacheCount - 1;
   for (i32 pass = 0; pass <= last; ++pass)
   {
      for (i32 i = 0; i < self->boneCacheCounts[pass]; ++i)
      {
         skBone_updateWorldTransform(self->boneCache[pass][i]);
      }
      if (pass < last)
      {
         skIkConstraint_apply(self->ikConstraints[pass]);
      }
   }
}

skBone* skSkeleton_findBone(const skSkeleton* self, const char* boneName)
{
   for (i32 i = 0; i < self->bonesCount; ++i)
   {
      if (std::strcmp(self->bones[i]->data->name, boneName) == 0)
      {
         return self->bones[i];
      }
   }
   return nullptr;
}

skAttachment* skSkeleton_getAttachmentForSlotIndex(const skSkeleton* self, i32 slotIndex,
                                                   const char* attachmentName)
{
   if (slotIndex == -1)
   {
      return nullptr;
   }
   if (self->skin)
   {
      skAttachment* attachment = skSkin_getAttachment(self->skin, slotIndex, attachmentName);
      if (attachment)
      {
         return attachment;
      }
   }
   return self->data->defaultSkin ? skSkin_getAttachment(self->data->defaultSkin, slotIndex, attachmentName)
                                  : nullptr;
}

void skSkeleton_setSkin(skSkeleton* self, skSkin* skin)
{
   if (skin)
   {
      if (self->skin)
      {
         for (const skSkinEntry* entry = self->skin->entries; entry; entry = entry->next)
         {
            if (entry->slotIndex < 0 || entry->slotIndex >= self->slotsCount)
            {
               continue;
            }
            skSlot* slot = self->slots[entry->slotIndex];
            if (entry->attachment && slot->attachment == entry->attachment)
            {
               skAttachment* attachment = skSkin_getAttachment(skin, entry->slotIndex, entry->name);
               if (attachment)
               {
                  skSlot_setAttachment(slot, attachment);
               }
            }
         }
      }
      else
      {
         for (i32 i = 0; i < self->slotsCount; ++i)
         {
            const char* name = self->slots[i]->data->attachmentName;
            if (name)
            {
               skAttachment* attachment = skSkin_getAttachment(skin, i, name);
               if (attachment)
               {
                  skSlot_setAttachment(self->slots[i], attachment);
               }
            }
         }
      }
   }
   self->skin = skin;
}
} // namespace Corvale
