// One posed instance of skeleton data: bones, slots, draw order and the current skin.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skBone;
struct skIkConstraint;
struct skSkeletonData;
struct skSkin;
struct skSlot;

struct skSkeleton
{
   skSkeletonData* data;
   i32 bonesCount;
   skBone** bones;
   skBone* root;
   i32 slotsCount;
   skSlot** slots;
   skSlot** drawOrder;
   i32 ikConstraintsCount;
   skIkConstraint** ikConstraints;
   skSkin* skin;
   float r, g, b, a;
   float time;
   i32 flipX, flipY;
   float x, y;
};
} // namespace Corvale
