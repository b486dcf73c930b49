// The attachment loader base: dispatch to the kind and its error texts.
#include "tutorial/skeleton/skAttachmentLoader.h"

#include <cstdio>

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
skAttachment* skAttachmentLoader_newAttachment(skAttachmentLoader* self, skSkin* skin, skAttachmentType type,
                                               const char* name, const char* path)
{
   return self->_newAttachment(self, skin, type, name, path);
}

void skAttachmentLoader_dispose(skAttachmentLoader* self)
{
   self->_dispose(self);
}

void _skAttachmentLoader_init(skAttachmentLoader* self,
                              skAttachment* (*newAttachment)(skAttachmentLoader* self, skSkin* skin,
                                                             skAttachmentType type, const char* name,
                                                             const char* path),
                              void (*dispose)(skAttachmentLoader* self))
{
   self->_newAttachment = newAttachment;
   self->_dispose = dispose;
}

void _skAttachmentLoader_deinit(skAttachmentLoader* self)
{
   _skAttachmentLoader_setError(self, nullptr, nullptr);
}

void _skAttachmentLoader_setError(skAttachmentLoader* self, const char* error1, const char* error2)
{
   SK_FREE(self->error1);
   SK_FREE(self->error2);
   self->error1 = _skCopyString(error1);
   self->error2 = _skCopyString(error2);
}

void _skAttachmentLoader_setUnknownTypeError(skAttachmentLoader* self, skAttachmentType type)
{
   char number[16];
   std::snprintf(number, sizeof(number), "%d", static_cast<int>(type));
   _skAttachmentLoader_setError(self, "Unknown attachment type: ", number);
}
} // namespace Corvale
