// The base of every attachment: its name, its kind and the kind's own dispose operation.
#pragma once

#include "core/Types.h"
#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
enum skAttachmentType : i32
{
   SK_ATTACHMENT_REGION = 0,
   SK_ATTACHMENT_BOUNDING_BOX = 1,
   SK_ATTACHMENT_MESH = 2,
   SK_ATTACHMENT_SKINNED_MESH = 3
};

struct skAttachment
{
   char* name;
   skAttachmentType type;
   void (*_dispose)(skAttachment* self);
};

void skAttachment_dispose(skAttachment* self);

// For the kinds: a zero-filled attachment of type T with its name, kind and dispose operation;
// null when an allocation fails.
template <class T>
T* _skAttachment_create(const char* name, skAttachmentType type, void (*dispose)(skAttachment* self))
{
   T* self = _skNamedCreate<T>(name);
   if (self)
   {
      self->type = type;
      self->_dispose = dispose;
   }
   return self;
}
} // namespace Corvale
