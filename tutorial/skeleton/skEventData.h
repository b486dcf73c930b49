// A named event with the default values its keys in an animation start from.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skEventData
{
   char* name;
   i32 intValue;
   float floatValue;
   char* stringValue;
};

// Values 0 and no text; null when the name can't be copied.
skEventData* skEventData_create(const char* name);
void skEventData_dispose(skEventData* self);
} // namespace Corvale
