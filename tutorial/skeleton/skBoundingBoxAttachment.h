// A polygon in bone space that is never drawn: a hit area.
#pragma once

#include "tutorial/skeleton/skAttachment.h"

namespace Corvale
{
struct skBoundingBoxAttachment : skAttachment
{
   i32 verticesCount; // floats: x, y pairs
   float* vertices;
};

// No vertices yet; null when an allocation fails.
skBoundingBoxAttachment* skBoundingBoxAttachment_create(const char* name);
} // namespace Corvale
