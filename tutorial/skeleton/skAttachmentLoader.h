// The base of attachment loaders: makes attachments for the skeleton reader and keeps the two
// parts of its last error.
#pragma once

#include "tutorial/skeleton/skAttachment.h"

namespace Corvale
{
struct skSkin;

struct skAttachmentLoader
{
   char* error1;
   char* error2;

   skAttachment* (*_newAttachment)(skAttachmentLoader* self, skSkin* skin, skAttachmentType type,
                                   const char* name, const char* path);
   void (*_dispose)(skAttachmentLoader* self);
};

// A new attachment of the type, or null: with error1 and error2 set when it failed, clear when
// the loader skips it.
skAttachment* skAttachmentLoader_newAttachment(skAttachmentLoader* self, skSkin* skin, skAttachmentType type,
                                               const char* name, const char* path);
void skAttachmentLoader_dispose(skAttachmentLoader* self);

// For the kinds: the operations, and the error texts (copies; null parts clear them).
void _skAttachmentLoader_init(skAttachmentLoader* self,
                              skAttachment* (*newAttachment)(skAttachmentLoader* self, skSkin* skin,
                                                             skAttachmentType type, const char* name,
                                                             const char* path),
                              void (*dispose)(skAttachmentLoader* self));
void _skAttachmentLoader_deinit(skAttachmentLoader* self);
void _skAttachmentLoader_setError(skAttachmentLoader* self, const char* error1, const char* error2);
void _skAttachmentLoader_setUnknownTypeError(skAttachmentLoader* self, skAttachmentType type);
} // namespace Corvale
