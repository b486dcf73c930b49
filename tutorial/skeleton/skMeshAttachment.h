// Textured triangle meshes: on one bone (skMeshAttachment) or weighted over several
// (skSkinnedMeshAttachment, beside it); their texture coordinates come from an atlas region.
#pragma once

#include "tutorial/skeleton/skAttachment.h"

namespace Corvale
{
// What both mesh kinds hold.
struct _skMeshBase : skAttachment
{
   char* path;

   float* regionUVs; // 0..1 across the region
   float* uvs;       // in the page
   i32 hullLength;

   i32 trianglesCount;
   i32* triangles;

   float r, g, b, a;

   void* rendererObject;
   i32 regionOffsetX, regionOffsetY;
   i32 regionWidth, regionHeight;
   i32 regionOrigWidth, regionOrigHeight;
   float regionU, regionV, regionUEnd, regionVEnd;
   i32 regionRotate;

   i32 edgesCount;
   i32* edges;

   float width, height;
};

struct skMeshAttachment : _skMeshBase
{
   i32 verticesCount; // floats: x, y pairs in bone space; regionUVs and uvs hold as many
   float* vertices;
};

// White and opaque; null when an allocation fails.
skMeshAttachment* skMeshAttachment_create(const char* name);
// Page coordinates from regionUVs and the region; false (no uvs) when the allocation fails.
i32 skMeshAttachment_updateUVs(skMeshAttachment* self);

// For both kinds: white, opaque, and the disposal of the common arrays.
void _skMeshBase_init(_skMeshBase* self);
void _skMeshBase_deinit(_skMeshBase* self);
// Replaces uvs with count page coordinates for regionUVs in the region; false on failure.
i32 _skMeshBase_updateUVs(_skMeshBase* self, i32 count);
} // namespace Corvale
