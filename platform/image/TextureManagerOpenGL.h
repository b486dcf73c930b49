// Textures by name: "<name>.tex" before "<name>.png" along the graphics paths, uploaded to
// OpenGL once and shared through the cache.
#pragma once

#include <cstddef>

#include "platform/image/TextureManagerCommon.h"

namespace Corvale
{
class TextureManagerOpenGL : public TextureManagerCommon
{
 public:
   // The texture of a name with one more reference; null (and a log line) when neither file
   // loads.
   Texture* Load(const char* name);
};

extern TextureManagerOpenGL textureManager;

// "<name><extension>" into path, as textures and images name their files; false when it doesn't
// fit.
bool ArtPathForm(char* path, size_t size, const char* name, const char* extension);
} // namespace Corvale
