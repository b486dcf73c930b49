// A textured triangle mesh whose vertices are weighted over several bones.
#pragma once

#include "tutorial/skeleton/skMeshAttachment.h"

namespace Corvale
{
struct skSkinnedMeshAttachment : _skMeshBase
{
   i32 bonesCount;
   i32* bones; // per vertex: the bone count n, then n bone indices

   i32 weightsCount;
   float* weights; // per bone influence: x, y, weight

   i32 uvsCount; // floats in regionUVs and uvs
};

// White and opaque; null when an allocation fails.
skSkinnedMeshAttachment* skSkinnedMeshAttachment_create(const char* name);
// Page coordinates from regionUVs and the region; false (no uvs) when the allocation fails.
i32 skSkinnedMeshAttachment_updateUVs(skSkinnedMeshAttachment* self);
} // namespace Corvale
