// Region attachments: corner geometry from placement and trim, texture coordinates, and the
// corners posed by a bone.
#include "tutorial/skeleton/skRegionAttachment.h"

#include <cmath>

#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skSkeleton.h"

namespace Corvale
{
namespace
{
void RegionAttachmentDispose(skAttachment* attachment)
{
   skRegionAttachment* self = static_cast<skRegionAttachment*>(attachment);
   SK_FREE(self->name);
   SK_FREE(self->path);
   SK_FREE(self);
}
} // namespace

skRegionAttachment* skRegionAttachment_create(const char* name)
{
   skRegionAttachment* self =
       _skAttachment_create<skRegionAttachment>(name, SK_ATTACHMENT_REGION, RegionAttachmentDispose);
   if (self)
   {
      self->scaleX = 1;
      self->scaleY = 1;
      self->r = self->g = self->b = self->a = 1;
   }
   return self;
}

void skRegionAttachment_setUVs(skRegionAttachment* self, float u, float v, float u2, float v2, i32 rotate)
{
   // Bottom left, top left, top right, bottom right; a rotated region shows each corner's
   // coordinates one corner later.
   const float corners[8] = {u, v2, u, v, u2, v, u2, v2};
   const int shift = rotate ? 3 : 0;
   for (int i = 0; i < 4; ++i)
   {
      const int corner = (i + shift) % 4;
      self->uvs[2 * i] = corners[2 * corner];
      self->uvs[2 * i + 1] = corners[2 * corner + 1];
   }
}

void skRegionAttachment_updateOffset(skRegionAttachment* self)
{
   // An untrimmed size of 0 (a bad atlas) would divide by zero: such a quad collapses instead.
   const float regionScaleX =
       self->regionOrigWidth != 0 ? self->width / self->regionOrigWidth * self->scaleX : 0.0f;
   const float regionScaleY =
       self->regionOrigHeight != 0 ? self->height / self->regionOrigHeight * self->scaleY : 0.0f;
   const float localX = -self->width / 2 * self->scaleX + self->regionOffsetX * regionScaleX;
   const float localY = -self->height / 2 * self->scaleY + self->regionOffsetY * regionScaleY;
   const float localX2 = localX + self->regionWidth * regionScaleX;
   const float localY2 = localY + self->regionHeight * regionScaleY;
   const float radians = self->rotation * 0.017453292f;
   const float cosine = std::cos(radians);
   const float sine = std::sin(radians);
   const float corners[8] = {localX, localY, localX, localY2, localX2, localY2, localX2, localY};
   for (int i = 0; i < 8; i += 2)
   {
      const float a = corners[i];
      const float b = corners[i + 1];
      self->offset[i] = a * cosine - b * sine + self->x;
      self->offset[i + 1] = b * cosine + a * sine + self->y;
   }
}

void skRegionAttachment_computeWorldVertices(skRegionAttachment* self, skBone* bone, float* vertices)
{
   const float x = bone->skeleton->x + bone->worldX;
   const float y = bone->skeleton->y + bone->worldY;
   const float* offset = self->offset;
   for (int i = 0; i < 8; i += 2)
   {
      vertices[i] = offset[i] * bone->m00 + offset[i + 1] * bone->m01 + x;
      vertices[i + 1] = offset[i] * bone->m10 + offset[i + 1] * bone->m11 + y;
   }
}
} // namespace Corvale
