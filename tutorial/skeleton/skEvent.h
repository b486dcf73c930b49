// An event fired by an animation, with the values of its key, and the kinds of notification
// the animation state gives its listener.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skEventData;

enum skEventType
{
   SK_ANIMATION_START = 0,
   SK_ANIMATION_END = 1,
   SK_ANIMATION_COMPLETE = 2,
   SK_ANIMATION_EVENT = 3
};

struct skEvent
{
   skEventData* data;
   i32 intValue;
   float floatValue;
   char* stringValue;
};

// An event of the data with values 0 and no text; null when the allocation fails.
skEvent* skEvent_create(skEventData* data);
void skEvent_dispose(skEvent* self);
} // namespace Corvale
