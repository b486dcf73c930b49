// Attachments from an atlas: each finds its region by path and takes its texture coordinates,
// trim and sizes from it.
#include "tutorial/skeleton/skAtlasAttachmentLoader.h"

#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skBoundingBoxAttachment.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skMeshAttachment.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkinnedMeshAttachment.h"

namespace Corvale
{
namespace
{
// The region, offsets and sizes every textured kind copies.
template <class T> void RegionFieldsSet(T* attachment, skAtlasRegion* region)
{
   attachment->rendererObject = region;
   attachment->regionOffsetX = region->offsetX;
   attachment->regionOffsetY = region->offsetY;
   attachment->regionWidth = region->width;
   attachment->regionHeight = region->height;
   attachment->regionOrigWidth = region->origWidth;
   attachment->regionOrigHeight = region->origHeight;
}

_skMeshBase* MeshCreate(_skMeshBase* mesh, skAtlasRegion* region)
{
   if (mesh)
   {
      RegionFieldsSet(mesh, region);
      mesh->regionU = region->u;
      mesh->regionV = region->v;
      mesh->regionUEnd = region->uEnd;
      mesh->regionVEnd = region->vEnd;
      mesh->regionRotate = region->rotate;
   }
   return mesh;
}

skAttachment* NewAttachment(skAttachmentLoader* loader, skSkin*, skAttachmentType type, const char* name,
                            const char* path)
{
   skAtlasAttachmentLoader* self = static_cast<skAtlasAttachmentLoader*>(loader);
   if (type == SK_ATTACHMENT_BOUNDING_BOX)
   {
      return skBoundingBoxAttachment_create(name);
   }
   if (type != SK_ATTACHMENT_REGION && type != SK_ATTACHMENT_MESH && type != SK_ATTACHMENT_SKINNED_MESH)
   {
      _skAttachmentLoader_setUnknownTypeError(self, type);
      return nullptr;
   }
   skAtlasRegion* region = skAtlas_findRegion(self->atlas, path);
   if (!region)
   {
      _skAttachmentLoader_setError(self, "Region not found: ", path);
      return nullptr;
   }
   if (type == SK_ATTACHMENT_MESH)
   {
      return MeshCreate(skMeshAttachment_create(name), region);
   }
   if (type == SK_ATTACHMENT_SKINNED_MESH)
   {
      return MeshCreate(skSkinnedMeshAttachment_create(name), region);
   }
   skRegionAttachment* attachment = skRegionAttachment_create(name);
   if (attachment)
   {
      RegionFieldsSet(attachment, region);
      skRegionAttachment_setUVs(attachment, region->u, region->v, region->uEnd, region->vEnd, region->rotate);
   }
   return attachment;
}

void AtlasAttachmentLoaderDispose(skAttachmentLoader* loader)
{
   _skAttachmentLoader_deinit(loader);
   SK_FREE(static_cast<skAtlasAttachmentLoader*>(loader));
}
} // namespace

skAtlasAttachmentLoader* skAtlasAttachmentLoader_create(skAtlas* atlas)
{
   skAtlasAttachmentLoader* self = SK_ALLOC(skAtlasAttachmentLoader, 1);
   if (self)
   {
      _skAttachmentLoader_init(self, NewAttachment, AtlasAttachmentLoaderDispose);
      self->atlas = atlas;
   }
   return self;
}
} // namespace Corvale
