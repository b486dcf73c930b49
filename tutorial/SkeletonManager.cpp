// Atlases shared through the resource cache, and skeletons drawn as one quad per region slot.
#include "tutorial/SkeletonManager.h"

#include <cstdlib>
#include <cstring>

#include "core/Color.h"
#include "core/StringHelpers.h"
#include "platform/window/Screen.h"
#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSlot.h"
#include "tutorial/skeleton/skSlotData.h"

namespace Corvale
{
ResourceCache<skAtlas> SkeletonManagerCommon::atlasCache;

namespace
{
constexpr u32 ATLAS_PATH_SIZE = 260;
// Slots fainter than one step of an 8-bit channel would not show.
constexpr float SLOT_ALPHA_MIN = 1.0f / 256.0f;

// Scaled to a byte; NaN counts as 0.
u8 ChannelByteGet(float channel)
{
   const float value = channel * 255.0f;
   if (!(value > 0.0f))
   {
      return 0;
   }
   return value < 255.0f ? static_cast<u8>(value) : 255;
}
} // namespace

void SkeletonManagerCommon::Deinit()
{
   // Shutdown ends every tutorial's share at once, however many references are left.
   while (atlasCache.map.count > 0)
   {
      skAtlas* atlas = atlasCache.map.First()->value->resource;
      while (!atlasCache.ResourceRelease(atlas))
      {
      }
      skAtlas_dispose(atlas);
   }
   atlasCache.Clear();
}

skAtlas* SkeletonManager::AtlasLoad(const char* name)
{
   if (!name)
   {
      return nullptr;
   }
   skAtlas* atlas = atlasCache.Get(name, nullptr);
   if (atlas)
   {
      return atlas;
   }
   char path[ATLAS_PATH_SIZE];
   if (!NultSnprintf(path, sizeof(path), "%s.atlas", name))
   {
      return nullptr;
   }
   atlas = skAtlas_createFromFile(path);
   if (!atlas)
   {
      return nullptr;
   }
   atlasCache.Add(name, nullptr, atlas);
   return atlas;
}

void SkeletonManager::AtlasRelease(skAtlas* atlas)
{
   if (!atlas)
   {
      return;
   }
   if (atlasCache.ResourceFind(atlas, nullptr) && !atlasCache.ResourceRelease(atlas))
   {
      return;
   }
   skAtlas_dispose(atlas);
}

float SkeletonManager::BoneDepthGet(const char* boneName)
{
   const char* at = boneName ? std::strchr(boneName, '@') : nullptr;
   if (!at)
   {
      return 0.0f;
   }
   char* end = nullptr;
   const float depth = std::strtof(at + 1, &end);
   return end != at + 1 ? depth : 0.0f;
}

void SkeletonManager::SkeletonDraw(const skSkeleton* skeleton)
{
   if (!skeleton)
   {
      return;
   }
   screen.ShaderProgramSet(true, false);
   screen.ModelViewMatrixUpload(false);
   screen.VertexAttributeArraysSet(VERTEX_ARRAY_POSITION | VERTEX_ARRAY_TEXCOORD);
   for (i32 i = 0; i < skeleton->slotsCount; ++i)
   {
      const skSlot* slot = skeleton->drawOrder[i];
      if (!slot || slot->a < SLOT_ALPHA_MIN || !slot->attachment ||
          slot->attachment->type != SK_ATTACHMENT_REGION)
      {
         continue;
      }
      skRegionAttachment* region = static_cast<skRegionAttachment*>(slot->attachment);
      const skAtlasRegion* atlasRegion = static_cast<const skAtlasRegion*>(region->rendererObject);
      if (!atlasRegion || !atlasRegion->page || !atlasRegion->page->rendererObject)
      {
         continue;
      }
      Texture* texture = static_cast<Texture*>(atlasRegion->page->rendererObject);
      const ColorRGBA8 color{ChannelByteGet(slot->r), ChannelByteGet(slot->g), ChannelByteGet(slot->b),
                             ChannelByteGet(slot->a)};
      const float additive = slot->data && slot->data->blendMode == SK_BLEND_MODE_ADDITIVE ? 1.0f : 0.0f;

      float world[8];
      skRegionAttachment_computeWorldVertices(region, slot->bone, world);
      const float z = BoneDepthGet(slot->bone && slot->bone->data ? slot->bone->data->name : nullptr);
      // Corners 1, 2, 4, 3 make the strip.
      static const i32 cornerOrder[4] = {0, 1, 3, 2};
      float vertices[20];
      for (i32 v = 0; v < 4; ++v)
      {
         const i32 corner = cornerOrder[v];
         vertices[5 * v] = world[2 * corner];
         vertices[5 * v + 1] = world[2 * corner + 1];
         vertices[5 * v + 2] = z;
         vertices[5 * v + 3] = region->uvs[2 * corner];
         vertices[5 * v + 4] = region->uvs[2 * corner + 1];
      }
      // The texture's wrap and filters are set anew for every quad.
      screen.TexturedQuadDraw(texture, vertices, color, additive);
   }
}
} // namespace Corvale
