// One bone of a posed skeleton: its local pose and the world transform computed from it.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skBoneData;
struct skSkeleton;

// Whether the world's y axis points down; it enters every flip decision. Nothing sets it, so
// y points up.
extern i32 yDown;

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

// A bone in its data's setup pose; null when the allocation fails.
skBone* skBone_create(skBoneData* data, skSkeleton* skeleton, skBone* parent);
void skBone_dispose(skBone* self);
// From the local pose and the parent's world transform (or the skeleton's flips for a root).
void skBone_updateWorldTransform(skBone* self);
void skBone_worldToLocal(const skBone* self, float worldX, float worldY, float* localX, float* localY);
void skBone_localToWorld(const skBone* self, float localX, float localY, float* worldX, float* worldY);
} // namespace Corvale
