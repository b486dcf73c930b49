// One bone of a posed skeleton: its local pose and the world transform computed from it.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skBoneData;
struct skSkeleton;

struct skBone
{
   skBoneData* data;
   skSkeleton* skeleton;
   skBone* parent;
   float x, y;
   float rotation, rotationIK;
   float scaleX, scaleY;
   i32 flipX, flipY;

   float m00, m01, worldX;
   float m10, m11, worldY;
   float worldRotation;
   float worldScaleX, worldScaleY;
   i32 worldFlipX, worldFlipY;
};
} // namespace Corvale
