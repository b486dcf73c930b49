// One IK constraint of a posed skeleton, over the skeleton's own bones.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skBone;
struct skIkConstraintData;
struct skSkeleton;

struct skIkConstraint
{
   skIkConstraintData* data;
   i32 bonesCount;
   skBone** bones;
   skBone* target;
   i32 bendDirection;
   float mix;
};

// The constraint over the skeleton's bones of the data's bone names; null when an allocation
// fails.
skIkConstraint* skIkConstraint_create(skIkConstraintData* data, const skSkeleton* skeleton);
void skIkConstraint_dispose(skIkConstraint* self);
// Solves a chain of one or two bones towards the target; other chains are left alone.
void skIkConstraint_apply(skIkConstraint* self);
// Both solvers write only rotationIK, so the animated rotation survives for the next frame.
void skIkConstraint_apply1(skBone* bone, float targetX, float targetY, float mix);
void skIkConstraint_apply2(skBone* parent, skBone* child, float targetX, float targetY, i32 bendDirection,
                           float mix);
} // namespace Corvale
