// Bones: creation in the setup pose and the conversions between local and world space.
#include "tutorial/skeleton/skBone.h"

#include <cmath>

#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skSkeleton.h"

namespace Corvale
{
i32 yDown = 0;

namespace
{
const float DEG_RAD = 0.017453292f;
}

skBone* skBone_create(skBoneData* data, skSkeleton* skeleton, skBone* parent)
{
   skBone* self = SK_ALLOC(skBone, 1);
   if (!self)
   {
      return nullptr;
   }
   self->data = data;
   self->skeleton = skeleton;
   self->parent = parent;
   self->x = data->x;
   self->y = data->y;
   self->rotation = self->rotationIK = data->rotation;
   self->scaleX = data->scaleX;
   self->scaleY = data->scaleY;
   self->flipX = data->flipX;
   self->flipY = data->flipY;
   return self;
}

void skBone_dispose(skBone* self)
{
   SK_FREE(self);
}

void skBone_updateWorldTransform(skBone* self)
{
   const skBone* parent = self->parent;
   if (parent)
   {
      self->worldX = self->x * parent->m00 + self->y * parent->m01 + parent->worldX;
      self->worldY = self->x * parent->m10 + self->y * parent->m11 + parent->worldY;
      if (self->data->inheritScale)
      {
         self->worldScaleX = parent->worldScaleX * self->scaleX;
         self->worldScaleY = parent->worldScaleY * self->scaleY;
      }
      else
      {
         self->worldScaleX = self->scaleX;
         self->worldScaleY = self->scaleY;
      }
      self->worldRotation =
          self->data->inheritRotation ? parent->worldRotation + self->rotationIK : self->rotationIK;
      // Any flag other than 0 counts as set, as at the root.
      self->worldFlipX = (parent->worldFlipX != 0) != (self->flipX != 0);
      self->worldFlipY = (parent->worldFlipY != 0) != (self->flipY != 0);
   }
   else
   {
      const skSkeleton* skeleton = self->skeleton;
      const i32 skeletonFlipX = skeleton->flipX != 0;
      const i32 skeletonFlipY = skeleton->flipY != 0;
      self->worldX = skeletonFlipX ? -self->x : self->x;
      self->worldY = skeletonFlipY != (yDown != 0) ? -self->y : self->y;
      self->worldScaleX = self->scaleX;
      self->worldScaleY = self->scaleY;
      self->worldRotation = self->rotationIK;
      self->worldFlipX = skeletonFlipX != (self->flipX != 0);
      self->worldFlipY = skeletonFlipY != (self->flipY != 0);
   }
   const float radians = self->worldRotation * DEG_RAD;
   const float cosine = std::cos(radians);
   const float sine = std::sin(radians);
   if (self->worldFlipX)
   {
      self->m00 = -cosine * self->worldScaleX;
      self->m01 = sine * self->worldScaleY;
   }
   else
   {
      self->m00 = cosine * self->worldScaleX;
      self->m01 = -sine * self->worldScaleY;
   }
   self->m10 = sine * self->worldScaleX;
   self->m11 = cosine * self->worldScaleY;
   if (self->worldFlipY != (yDown != 0))
   {
      self->m10 = -self->m10;
      self->m11 = -self->m11;
   }
}

void skBone_worldToLocal(const skBone* self, float worldX, float worldY, float* localX, float* localY)
{
   // The true inverse of the world matrix: flips and unequal scales are undone with the rest.
   const float dx = worldX - self->worldX;
   const float dy = worldY - self->worldY;
   const float det = self->m00 * self->m11 - self->m01 * self->m10;
   if (det == 0)
   {
      *localX = *localY = 0; // a bone scaled to nothing has no inside
      return;
   }
   const float invDet = 1 / det;
   *localX = (dx * self->m11 - dy * self->m01) * invDet;
   *localY = (dy * self->m00 - dx * self->m10) * invDet;
}

void skBone_localToWorld(const skBone* self, float localX, float localY, float* worldX, float* worldY)
{
   *worldX = localX * self->m00 + localY * self->m01 + self->worldX;
   *worldY = localX * self->m10 + localY * self->m11 + self->worldY;
}
} // namespace Corvale
