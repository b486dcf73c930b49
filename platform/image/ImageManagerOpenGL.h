// Images by name: "<name>.img" before "<name>.png" along the graphics paths; a PNG that is not
// a texture as it stands is split into power-of-two tiles.
#pragma once

#include "core/Types.h"
#include "platform/image/ImageManagerCommon.h"

namespace Corvale
{
// Load flags.
constexpr u32 IMAGE_LOAD_PRIVATE = 1;
constexpr u32 IMAGE_LOAD_NO_PREMULTIPLY = 2;

class ImageManagerOpenGL : public ImageManagerCommon
{
 public:
   // The image of a name with one more reference, or a private copy (IMAGE_LOAD_PRIVATE) that
   // keeps its pixels and never enters the cache; null (and a log line) when neither file loads.
   Image* Load(const char* name, u32 flags);
};

extern ImageManagerOpenGL imageManager;
} // namespace Corvale
