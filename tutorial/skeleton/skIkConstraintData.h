// The setup of one IK constraint: the one or two bones it bends towards a target bone.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skBoneData;

struct skIkConstraintData
{
   char* name;
   i32 bonesCount;
   skBoneData** bones;
   skBoneData* target;
   i32 bendDirection;
   float mix;
};

// No bones yet, bend direction +1 and mix 1; null when the name can't be copied.
skIkConstraintData* skIkConstraintData_create(const char* name);
void skIkConstraintData_dispose(skIkConstraintData* self);
} // namespace Corvale
