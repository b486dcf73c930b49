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
} // namespace Corvale
