// Creation and disposal of slot setup data.
#include "tutorial/skeleton/skSlotData.h"

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
skSlotData* skSlotData_create(const char* name, skBoneData* boneData)
{
   skSlotData* self = _skNamedCreate<skSlotData>(name);
   if (!self)
   {
      return nullptr;
   }
   self->boneData = boneData;
   self->r = self->g = self->b = self->a = 1;
   self->blendMode = SK_BLEND_MODE_NORMAL;
   return self;
}

void skSlotData_dispose(skSlotData* self)
{
   SK_FREE(self->name);
   SK_FREE(self->attachmentName);
   SK_FREE(self);
}

i32 skSlotData_setAttachmentName(skSlotData* self, const char* attachmentName)
{
   SK_FREE(self->attachmentName);
   self->attachmentName = _skCopyString(attachmentName);
   return !attachmentName || self->attachmentName;
}
} // namespace Corvale
