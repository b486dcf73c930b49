// Textures by name: "<name>.tex" before "<name>.png" along the graphics paths, uploaded to
// OpenGL once and shared through the cache.
#pragma once

#include "platform/TextureManagerCommon.h"

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
} // namespace Corvale
