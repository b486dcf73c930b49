// One slot of a posed skeleton: its colour, current attachment and mesh deformation.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skAttachment;
struct skBone;
struct skSlotData;

struct skSlot
{
   skSlotData* data;
   skBone* bone;
   float r, g, b, a;
   skAttachment* attachment;

   i32 attachmentVerticesCapacity;
   i32 attachmentVerticesCount;
   float* attachmentVertices;

   // The skeleton's time when the attachment was set.
   float _attachmentTime;
};

// A slot of the bone in its data's setup colour, without an attachment; null when the
// allocation fails.
skSlot* skSlot_create(skSlotData* data, skBone* bone);
// Frees the deformation vertices with the slot.
void skSlot_dispose(skSlot* self);
// Also stamps the skeleton's time and drops the deformation of the previous attachment.
void skSlot_setAttachment(skSlot* self, skAttachment* attachment);
// The data's colour and the attachment its data names, found through the skeleton's skins.
void skSlot_setToSetupPose(skSlot* self);
} // namespace Corvale
