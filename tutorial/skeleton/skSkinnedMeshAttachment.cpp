// Skinned mesh attachments.
#include "tutorial/skeleton/skSkinnedMeshAttachment.h"

namespace Corvale
{
namespace
{
void SkinnedMeshAttachmentDispose(skAttachment* attachment)
{
   skSkinnedMeshAttachment* self = static_cast<skSkinnedMeshAttachment*>(attachment);
   _skMeshBase_deinit(self);
   SK_FREE(self->bones);
   SK_FREE(self->weights);
   SK_FREE(self);
}
} // namespace

skSkinnedMeshAttachment* skSkinnedMeshAttachment_create(const char* name)
{
   skSkinnedMeshAttachment* self = _skAttachment_create<skSkinnedMeshAttachment>(
       name, SK_ATTACHMENT_SKINNED_MESH, SkinnedMeshAttachmentDispose);
   if (self)
   {
      _skMeshBase_init(self);
   }
   return self;
}

i32 skSkinnedMeshAttachment_updateUVs(skSkinnedMeshAttachment* self)
{
   return _skMeshBase_updateUVs(self, self->uvsCount);
}
} // namespace Corvale
