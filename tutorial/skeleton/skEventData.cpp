// Creation and disposal of event data.
#include "tutorial/skeleton/skEventData.h"

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
skEventData* skEventData_create(const char* name)
{
   return _skNamedCreate<skEventData>(name);
}

void skEventData_dispose(skEventData* self)
{
   SK_FREE(self->name);
   SK_FREE(self->stringValue);
   SK_FREE(self);
}
} // namespace Corvale
