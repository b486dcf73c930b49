// The attachment loader that points region and mesh attachments at the regions of an atlas.
#pragma once

#include "tutorial/skeleton/skAttachmentLoader.h"

namespace Corvale
{
struct skAtlas;

struct skAtlasAttachmentLoader : skAttachmentLoader
{
   skAtlas* atlas; // not owned
};

// Null when the allocation fails.
skAtlasAttachmentLoader* skAtlasAttachmentLoader_create(skAtlas* atlas);
} // namespace Corvale
