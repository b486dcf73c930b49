// The setup state of one slot: its bone, colour, blend mode and setup attachment.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skBoneData;

enum skBlendMode
{
   SK_BLEND_MODE_NORMAL = 0,
   SK_BLEND_MODE_ADDITIVE = 1,
   SK_BLEND_MODE_MULTIPLY = 2,
   SK_BLEND_MODE_SCREEN = 3
};

struct skSlotData
{
   char* name;
   skBoneData* boneData;
   char* attachmentName;
   float r, g, b, a;
   skBlendMode blendMode;
};

// White and opaque, no attachment, normal blending; null when the name can't be copied.
skSlotData* skSlotData_create(const char* name, skBoneData* boneData);
void skSlotData_dispose(skSlotData* self);
// Replaces the setup attachment name with a copy (null clears it); false when the copy fails,
// which leaves no name.
i32 skSlotData_setAttachmentName(skSlotData* self, const char* attachmentName);
} // namespace Corvale
