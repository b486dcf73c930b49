// A named set of attachments, each keyed by slot index and attachment name.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skAttachment;

struct skSkinEntry
{
   i32 slotIndex;
   char* name;
   skAttachment* attachment;
   skSkinEntry* next;
};

struct skSkin
{
   char* name;
   // Newest first: a lookup finds the latest entry added for a slot index and name.
   skSkinEntry* entries;
};

// An empty skin; null when an allocation fails.
skSkin* skSkin_create(const char* name);
// Disposes every attachment of the skin with it.
void skSkin_dispose(skSkin* self);
// The skin takes the attachment; false when an allocation fails, the attachment then stays
// the caller's.
i32 skSkin_addAttachment(skSkin* self, i32 slotIndex, const char* name, skAttachment* attachment);
// The newest attachment added under the slot index and exact name, or null.
skAttachment* skSkin_getAttachment(const skSkin* self, i32 slotIndex, const char* name);
} // namespace Corvale
