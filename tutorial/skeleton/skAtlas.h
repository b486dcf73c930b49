// A texture atlas: the page images named by an atlas text and the regions laid out on them.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skAtlas;

enum skAtlasFormat
{
   SK_ATLAS_FORMAT_UNKNOWN = -1,
   SK_ATLAS_ALPHA = 0,
   SK_ATLAS_INTENSITY,
   SK_ATLAS_LUMINANCE_ALPHA,
   SK_ATLAS_RGB565,
   SK_ATLAS_RGBA4444,
   SK_ATLAS_RGB888,
   SK_ATLAS_RGBA8888
};

enum skAtlasFilter
{
   SK_ATLAS_FILTER_UNKNOWN = -1,
   SK_ATLAS_NEAREST = 0,
   SK_ATLAS_LINEAR,
   SK_ATLAS_MIPMAP,
   SK_ATLAS_MIPMAP_NEAREST_NEAREST,
   SK_ATLAS_MIPMAP_LINEAR_NEAREST,
   SK_ATLAS_MIPMAP_NEAREST_LINEAR,
   SK_ATLAS_MIPMAP_LINEAR_LINEAR
};

enum skAtlasWrap
{
   SK_ATLAS_WRAP_UNSET = 0,
   SK_ATLAS_CLAMP_TO_EDGE = 1,
   SK_ATLAS_REPEAT = 2
};

struct skAtlasPage
{
   const skAtlas* atlas;
   char* name;
   skAtlasFormat format;
   skAtlasFilter minFilter, magFilter;
   skAtlasWrap uWrap, vWrap;

   void* rendererObject; // the page texture, null when it couldn't be made
   i32 width, height;

   skAtlasPage* next;
};

struct skAtlasRegion
{
   char* name;
   i32 x, y, width, height;
   float u, v, uEnd, vEnd;
   i32 offsetX, offsetY;
   i32 origWidth, origHeight;
   i32 index;
   i32 rotate;
   i32 flip;
   i32* splits; // 4 ints or null
   i32* pads;   // 4 ints or null

   skAtlasPage* page;

   skAtlasRegion* next;
};

struct skAtlas
{
   skAtlasPage* pages;     // in file order
   skAtlasRegion* regions; // in file order
   void* rendererObject;
};

// Reads the atlas text of length bytes (no terminator needed); page files are found under dir.
// Null, with everything read disposed, when the text is malformed or an allocation fails.
skAtlas* skAtlas_create(const char* text, i32 length, const char* dir);
// Reads the file through the host's file hook; page files lie beside it.
skAtlas* skAtlas_createFromFile(const char* path);
void skAtlas_dispose(skAtlas* self);
// The first region named exactly name, or null.
skAtlasRegion* skAtlas_findRegion(const skAtlas* self, const char* name);
} // namespace Corvale
