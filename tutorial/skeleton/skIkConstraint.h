// One IK constraint of a posed skeleton, over the skeleton's own bones.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skBone;
struct skIkConstraintData;

struct skIkConstraint
{
   skIkConstraintData* data;
   i32 bonesCount;
   skBone** bones;
   skBone* target;
   i32 bendDirection;
   float mix;
};
} // namespace Corvale
