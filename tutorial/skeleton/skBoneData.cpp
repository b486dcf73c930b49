// Creation and disposal of bone setup data.
#include "tutorial/skeleton/skBoneData.h"

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
skBoneData* skBoneData_create(const char* name, skBoneData* parent)
{
   skBoneData* self = _skNamedCreate<skBoneData>(name);
   if (!self)
   {
      return nullptr;
   }
   self->parent = parent;
   self->scaleX = 1;
   self->scaleY = 1;
   self->inheritScale = 1;
   self->inheritRotation = 1;
   return self;
}

void skBoneData_dispose(skBoneData* self)
{
   SK_FREE(self->name);
   SK_FREE(self);
}
} // namespace Corvale
