// Creation and disposal of IK constraint setup data.
#include "tutorial/skeleton/skIkConstraintData.h"

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
skIkConstraintData* skIkConstraintData_create(const char* name)
{
   skIkConstraintData* self = _skNamedCreate<skIkConstraintData>(name);
   if (!self)
   {
      return nullptr;
   }
   self->bendDirection = 1;
   self->mix = 1;
   return self;
}

void skIkConstraintData_dispose(skIkConstraintData* self)
{
   SK_FREE(self->name);
   SK_FREE(self->bones);
   SK_FREE(self);
}
} // namespace Corvale
