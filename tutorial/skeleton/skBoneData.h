// The setup pose of one bone, shared by every skeleton made from the data.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skBoneData
{
   char* name;
   skBoneData* parent;
   float length;
   float x, y;
   float rotation;
   float scaleX, scaleY;
   i32 flipX, flipY;
   i32 inheritScale, inheritRotation;
};

// Scales 1 and both inherit flags set; null when the name can't be copied.
skBoneData* skBoneData_create(const char* name, skBoneData* parent);
void skBoneData_dispose(skBoneData* self);
} // namespace Corvale
