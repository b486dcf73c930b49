// IK constraints: the one-bone aim and the two-bone reach solved by the law of cosines.
#include "tutorial/skeleton/skIkConstraint.h"

#include <cmath>

#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skIkConstraintData.h"
#include "tutorial/skeleton/skSkeleton.h"

namespace Corvale
{
namespace
{
const float RAD_DEG = 57.295776f;

// One step into -180..180 is enough here: both terms already lie within a turn or so.
float HalfTurnBring(float degrees)
{
   if (degrees > 180)
   {
      return degrees - 360;
   }
   if (degrees < -180)
   {
      return degrees + 360;
   }
   return degrees;
}
} // namespace

skIkConstraint* skIkConstraint_create(skIkConstraintData* data, const skSkeleton* skeleton)
{
   skIkConstraint* self = SK_ALLOC(skIkConstraint, 1);
   if (!self)
   {
      return nullptr;
   }
   self->data = data;
   self->bendDirection = data->bendDirection;
   self->mix = data->mix;
   if (data->bonesCount > 0)
   {
      self->bones = SK_ALLOC(skBone*, data->bonesCount);
      if (!self->bones)
      {
         SK_FREE(self);
         return nullptr;
      }
      self->bonesCount = data->bonesCount;
      for (i32 i = 0; i < data->bonesCount; ++i)
      {
         self->bones[i] = data->bones[i] ? skSkeleton_findBone(skeleton, data->bones[i]->name) : nullptr;
      }
   }
   self->target = data->target ? skSkeleton_findBone(skeleton, data->target->name) : nullptr;
   return self;
}

void skIkConstraint_dispose(skIkConstraint* self)
{
   SK_FREE(self->bones);
   SK_FREE(self);
}

void skIkConstraint_apply(skIkConstraint* self)
{
   const skBone* target = self->target;
   if (!target)
   {
      return;
   }
   if (self->bonesCount == 1 && self->bones[0])
   {
      skIkConstraint_apply1(self->bones[0], target->worldX, target->worldY, self->mix);
   }
   else if (self->bonesCount == 2 && self->bones[0] && self->bones[1])
   {
      skIkConstraint_apply2(self->bones[0], self->bones[1], target->worldX, target->worldY,
                            self->bendDirection, self->mix);
   }
}

void skIkConstraint_apply1(skBone* bone, float targetX, float targetY, float mix)
{
   const float parentRotation =
       bone->data->inheritRotation && bone->parent ? bone->parent->worldRotation : 0.0f;
   const float rotation = bone->rotation;
   float rotationIK = std::atan2(targetY - bone->worldY, targetX - bone->worldX) * RAD_DEG;
   // A mirrored bone draws its x axis at the mirror of its world rotation, so the aim is
   // mirrored back: across the y axis for a flip in x, across the x axis for a flip in y.
   if (bone->worldFlipX)
   {
      rotationIK = 180 - rotationIK;
   }
   if ((bone->worldFlipY != 0) != (yDown != 0))
   {
      rotationIK = -rotationIK;
   }
   bone->rotationIK = rotation + (rotationIK - parentRotation - rotation) * mix;
}

void skIkConstraint_apply2(skBone* parent, skBone* child, float targetX, float targetY, i32 bendDirection,
                           float mix)
{
   if (!child->parent)
   {
      return; // a root can't hang below the first bone; a file can still name one
   }
   const float childRotation = child->rotation;
   const float parentRotation = parent->rotation;
   if (mix == 0)
   {
      child->rotationIK = childRotation;
      parent->rotationIK = parentRotation;
      return;
   }
   // The target in the parent bone's own space, before its rotation.
   float positionX;
   float positionY;
   const skBone* grandparent = parent->parent;
   if (grandparent)
   {
      skBone_worldToLocal(grandparent, targetX, targetY, &positionX, &positionY);
      targetX = (positionX - parent->x) * grandparent->worldScaleX;
      targetY = (positionY - parent->y) * grandparent->worldScaleY;
   }
   else
   {
      // A root lives in the skeleton's space, which the skeleton's flips mirror into the world.
      const skSkeleton* skeleton = parent->skeleton;
      targetX = (skeleton->flipX ? -targetX : targetX) - parent->x;
      targetY = ((skeleton->flipY != 0) != (yDown != 0) ? -targetY : targetY) - parent->y;
   }
   if (child->parent == parent)
   {
      positionX = child->x;
      positionY = child->y;
   }
   else
   {
      float worldX;
      float worldY;
      skBone_localToWorld(child->parent, child->x, child->y, &worldX, &worldY);
      skBone_worldToLocal(parent, worldX, worldY, &positionX, &positionY);
   }
   const float childX = positionX * parent->worldScaleX;
   const float childY = positionY * parent->worldScaleY;
   const float offset = std::atan2(childY, childX);
   const float len1 = std::sqrt(childX * childX + childY * childY);
   const float len2 = child->data->length * child->worldScaleX;
   const float cosDenom = 2 * len1 * len2;
   if (cosDenom < 0.0001f)
   {
      child->rotationIK =
          childRotation + (std::atan2(targetY, targetX) * RAD_DEG - parentRotation - childRotation) * mix;
      return;
   }
   float cosine = (targetX * targetX + targetY * targetY - len1 * len1 - len2 * len2) / cosDenom;
   if (cosine < -1)
   {
      cosine = -1;
   }
   else if (cosine > 1)
   {
      cosine = 1;
   }
   const float childAngle = std::acos(cosine) * static_cast<float>(bendDirection);
   const float adjacent = len1 + len2 * cosine;
   const float opposite = len2 * std::sin(childAngle);
   const float parentAngle =
       std::atan2(targetY * adjacent - targetX * opposite, targetX * adjacent + targetY * opposite);
   float rotation = HalfTurnBring((parentAngle - offset) * RAD_DEG - parentRotation);
   parent->rotationIK = parentRotation + rotation * mix;
   rotation = HalfTurnBring((childAngle + offset) * RAD_DEG - childRotation);
   child->rotationIK =
       childRotation + (rotation + parent->worldRotation - child->parent->worldRotation) * mix;
}
} // namespace Corvale
