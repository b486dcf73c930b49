// Mesh attachments and the texture-coordinate mapping that meshes and skinned meshes share.
#include "tutorial/skeleton/skMeshAttachment.h"

namespace Corvale
{
namespace
{
void MeshAttachmentDispose(skAttachment* attachment)
{
   skMeshAttachment* self = static_cast<skMeshAttachment*>(attachment);
   _skMeshBase_deinit(self);
   SK_FREE(self->vertices);
   SK_FREE(self);
}
} // namespace

void _skMeshBase_init(_skMeshBase* self)
{
   self->r = self->g = self->b = self->a = 1;
}

void _skMeshBase_deinit(_skMeshBase* self)
{
   SK_FREE(self->name);
   SK_FREE(self->path);
   SK_FREE(self->regionUVs);
   SK_FREE(self->uvs);
   SK_FREE(self->triangles);
   SK_FREE(self->edges);
}

i32 _skMeshBase_updateUVs(_skMeshBase* self, i32 count)
{
   SK_FREE(self->uvs);
   self->uvs = nullptr;
   if (!self->regionUVs || count <= 0)
   {
      return 0;
   }
   float* uvs = SK_ALLOC(float, count);
   if (!uvs)
   {
      return 0;
   }
   const float u = self->regionU;
   const float v = self->regionV;
   const float width = self->regionUEnd - u;
   const float height = self->regionVEnd - v;
   // An odd count leaves the last float unpaired: it stays 0.
   for (i32 i = 0; i + 1 < count; i += 2)
   {
      const float s = self->regionUVs[i];
      const float t = self->regionUVs[i + 1];
      if (self->regionRotate)
      {
         uvs[i] = u + t * width;
         uvs[i + 1] = v + height - s * height;
      }
      else
      {
         uvs[i] = u + s * width;
         uvs[i + 1] = v + t * height;
      }
   }
   self->uvs = uvs;
   return 1;
}

skMeshAttachment* skMeshAttachment_create(const char* name)
{
   skMeshAttachment* self =
       _skAttachment_create<skMeshAttachment>(name, SK_ATTACHMENT_MESH, MeshAttachmentDispose);
   if (self)
   {
      _skMeshBase_init(self);
   }
   return self;
}

i32 skMeshAttachment_updateUVs(skMeshAttachment* self)
{
   return _skMeshBase_updateUVs(self, self->verticesCount);
}
} // namespace Corvale
