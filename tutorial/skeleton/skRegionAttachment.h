// A textured quad on one bone: its placement in bone space and the atlas region it shows.
#pragma once

#include "tutorial/skeleton/skAttachment.h"

namespace Corvale
{
struct skBone;

struct skRegionAttachment : skAttachment
{
   char* path;
   float x, y, scaleX, scaleY, rotation, width, height;
   float r, g, b, a;

   void* rendererObject;
   i32 regionOffsetX, regionOffsetY; // Pixels stripped from the bottom left of the untrimmed image.
   i32 regionWidth, regionHeight;    // Size of the trimmed image.
   i32 regionOrigWidth, regionOrigHeight;

   // The four corners in bone space, then their texture coordinates, in the same order.
   float offset[8];
   float uvs[8];
};

// Scales 1, white and opaque; null when an allocation fails.
skRegionAttachment* skRegionAttachment_create(const char* name);
void skRegionAttachment_setUVs(skRegionAttachment* self, float u, float v, float u2, float v2, i32 rotate);
// The corners from the placement and the region's trim; run after the placement is read.
void skRegionAttachment_updateOffset(skRegionAttachment* self);
// The corners in world space for the bone's pose (8 floats).
void skRegionAttachment_computeWorldVertices(skRegionAttachment* self, skBone* bone, float* vertices);
} // namespace Corvale
