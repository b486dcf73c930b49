// Bounding-box attachments.
#include "tutorial/skeleton/skBoundingBoxAttachment.h"

namespace Corvale
{
namespace
{
void BoundingBoxAttachmentDispose(skAttachment* attachment)
{
   skBoundingBoxAttachment* self = static_cast<skBoundingBoxAttachment*>(attachment);
   SK_FREE(self->name);
   SK_FREE(self->vertices);
   SK_FREE(self);
}
} // namespace

skBoundingBoxAttachment* skBoundingBoxAttachment_create(const char* name)
{
   return _skAttachment_create<skBoundingBoxAttachment>(name, SK_ATTACHMENT_BOUNDING_BOX,
                                                        BoundingBoxAttachmentDispose);
}
} // namespace Corvale
