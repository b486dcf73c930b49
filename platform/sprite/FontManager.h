// Fonts by name from "Fonts/<name>" along the graphics paths, shared through a counted cache.
#pragma once

#include "core/Memory.h"
#include "core/ResourceCache.h"

namespace Corvale
{
class Font;

class FontManager
{
 public:
   // The font with one more reference; null (and a log line) when it can't be loaded.
   static Font* Load(const char* name);
   // The loaded font of that name for the current file manager; takes no reference.
   static Font* Get(const char* name);
   // Gives one reference back; the last one, or a font the cache never held, deletes the font.
   static void Release(Font* font);
   // At shutdown: every cached font goes.
   static void Deinit();

   // The heap fonts and their maps live in.
   static i32 heapId;
   static ResourceCache<Font> cache;
};
} // namespace Corvale
