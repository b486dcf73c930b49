// Creation and disposal of fired events.
#include "tutorial/skeleton/skEvent.h"

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
skEvent* skEvent_create(skEventData* data)
{
   skEvent* self = SK_ALLOC(skEvent, 1);
   if (self)
   {
      self->data = data;
   }
   return self;
}

void skEvent_dispose(skEvent* self)
{
   SK_FREE(self->stringValue);
   SK_FREE(self);
}
} // namespace Corvale
