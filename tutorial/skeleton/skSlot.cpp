// Slots: the setup pose and attachment changes.
#include "tutorial/skeleton/skSlot.h"

#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSlotData.h"

namespace Corvale
{
skSlot* skSlot_create(skSlotData* data, skBone* bone)
{
   skSlot* self = SK_ALLOC(skSlot, 1);
   if (!self)
   {
      return nullptr;
   }
   self->data = data;
   self->bone = bone;
   self->r = data->r;
   self->g = data->g;
   self->b = data->b;
   self->a = data->a;
   return self;
}

void skSlot_dispose(skSlot* self)
{
   SK_FREE(self->attachmentVertices);
   SK_FREE(self);
}

void skSlot_setAttachment(skSlot* self, skAttachment* attachment)
{
   self->attachment = attachment;
   self->_attachmentTime = self->bone->skeleton->time;
   self->attachmentVerticesCount = 0;
}

void skSlot_setToSetupPose(skSlot* self)
{
   const skSlotData* data = self->data;
   self->r = data->r;
   self->g = data->g;
   self->b = data->b;
   self->a = data->a;
   skAttachment* attachment = nullptr;
   if (data->attachmentName)
   {
      const skSkeleton* skeleton = self->bone->skeleton;
      i32 slotIndex = -1;
      for (i32 i = 0; i < skeleton->data->slotsCount; ++i)
      {
         if (skeleton->data->slots[i] == data)
         {
            slotIndex = i;
            break;
         }
      }
      attachment = skSkeleton_getAttachmentForSlotIndex(skeleton, slotIndex, data->attachmentName);
   }
   skSlot_setAttachment(self, attachment);
}
} // namespace Corvale
