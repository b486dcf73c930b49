// Loading bitmap fonts: the metrics, the character replacements and, for each sheet, the glyph
// of every cell with its visible extent found from the sheet's alpha.
#include "platform/sprite/FontManager.h"

#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/StringHelpers.h"
#include "platform/image/Bitmap.h"
#include "platform/sprite/FontBitmapDefault.h"
#include "platform/image/Image.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/Texture.h"

namespace Corvale
{
i32 FontManager::heapId = HEAP_DEFAULT;
ResourceCache<Font> FontManager::cache;

namespace
{
void FontDestroy(Font* font)
{
   if (font)
   {
      font->Deinit();
      MemoryDelete(font);
   }
}

bool MetricRead(const JSONValue* document, const char* key, float* out, const char* what, const char* path)
{
   JSONValue* value = document->ItemFind(key);
   if (!value || value->TypeGet() != JSONValue::TYPE_NUMBER)
   {
      WarningPrintf("FontManager::Load -- unable to get %s from font file: \"%s\"\n", what, path);
      return false;
   }
   *out = value->FloatValueGet();
   return true;
}

// Pairs the characters of source and destination; false when either fails to decode or they
// differ in length.
bool ReplacementsRead(FontBitmapDefault* font, const char* source, const char* destination)
{
   while (*source && *destination)
   {
      u32 from = 0;
      u32 to = 0;
      i32 fromLength = UTF8CharacterToUnicode(&from, source);
      i32 toLength = UTF8CharacterToUnicode(&to, destination);
      if (fromLength <= 0 || toLength <= 0)
      {
         return false;
      }
      font->replacements.Insert(from, to);
      source += fromLength;
      destination += toLength;
   }
   return *source == '\0' && *destination == '\0';
}

// Only the glyph boxes needed the sheet's pixels; GL keeps its own copy.
void ImagePixelsRelease(Image* image)
{
   for (i32 i = 0; i < image->partCount; ++i)
   {
      Texture* texture = image->parts[i].texture;
      if (texture && texture->bitmap)
      {
         texture->bitmap->PixelsRelease();
      }
   }
   if (image->data && image->dataAllocator)
   {
      image->dataAllocator->Free(image->data);
   }
   image->data = nullptr;
   image->dataAllocator = nullptr;
}

// Reads the glyphs of one element of "Bitmaps"; false when the load must fail.
bool BitmapRead(FontBitmapDefault* font, const JSONValue* element, float cellWidth, float cellHeight,
                float cellAscent, const char* path)
{
   JSONValue* nameValue = element->ItemFind("Name");
   if (!nameValue || nameValue->TypeGet() != JSONValue::TYPE_STRING)
   {
      WarningPrintf("FontManager::Load -- Unable to get bitmap name from file: \"%s\"\n", path);
      return false;
   }
   char imagePath[FILE_PATH_SIZE];
   Image* image = nullptr;
   if (NultSnprintf(imagePath, sizeof(imagePath), "Fonts/%s", nameValue->StringValueGet()))
   {
      image = imageManager.Load(imagePath, IMAGE_LOAD_PRIVATE);
   }
   if (!image)
   {
      WarningPrintf("FontManager::Load -- Unable to get load image \"%s\" from file: \"%s\"\n", imagePath,
                    path);
      return false;
   }
   if (font->bitmaps.Find(image) < 0)
   {
      font->bitmaps.Insert(image, font->bitmaps.count);
   }

   bool ok = true;
   JSONValue* lines = element->ItemFind("Lines");
   if (!lines || lines->TypeGet() != JSONValue::TYPE_ARRAY || lines->CountGet() == 0)
   {
      WarningPrintf("FontManager::Load -- Unable to get the Lines table from font file: \"%s\"\n", path);
      ok = false;
   }
   Box2F bounds = image->BoundsGet();
   for (i32 line = 0; ok && line < lines->CountGet(); ++line)
   {
      const char* characters = lines->ElementGet(line)->StringValueGet();
      if (!characters)
      {
         WarningPrintf("FontManager::Load -- Unable to get line of characters from font file: \"%s\"\n",
                       path);
         ok = false;
         break;
      }
      float baseline = line * cellHeight + cellAscent;
      float x = bounds.x;
      float y = bounds.y + line * cellHeight;
      while (*characters)
      {
         u32 code = 0;
         i32 length = UTF8CharacterToUnicode(&code, characters);
         if (length <= 0)
         {
            WarningPrintf("FontManager::Load -- Failed to decode character for font file: \"%s\"\n", path);
            ok = false;
            break;
         }
         characters += length;
         Box2F cell{x, y, cellWidth, cellHeight};
         x += cellWidth;
         if (cell.x < bounds.x || cell.y < bounds.y || cell.x + cell.width > bounds.x + bounds.width ||
             cell.y + cell.height > bounds.y + bounds.height)
         {
            WarningPrintf("FontManager::Load -- Character %d specified outside the bitmap in font: \"%s\"\n",
                          static_cast<i32>(code), path);
            continue;
         }
         Glyph glyph;
         glyph.image = image;
         image->VisibleBoundsGet(&glyph.sourceBox, &cell);
         glyph.yOffset = glyph.sourceBox.height != 0.0f ? baseline - glyph.sourceBox.y : 0.0f;
         // The first cell of a character listed twice wins.
         if (!font->glyphs.Insert(code, glyph))
         {
            continue;
         }
         if (glyph.yOffset > font->ascent)
         {
            font->ascent = glyph.yOffset;
         }
         if (glyph.sourceBox.height - glyph.yOffset > font->descent)
         {
            font->descent = glyph.sourceBox.height - glyph.yOffset;
         }
      }
   }
   ImagePixelsRelease(image);
   return ok;
}
} // namespace

Font* FontManager::Load(const char* name)
{
   if (!name)
   {
      return nullptr;
   }
   Font* cached = cache.Get(name, fileManagerResource);
   if (cached)
   {
      return cached;
   }
   char path[FILE_PATH_SIZE];
   if (!NultSnprintf(path, sizeof(path), "Fonts/%s", name))
   {
      return nullptr;
   }
   JSONParser parser;
   JSONValue* document =
       fileManagerResource ? parser.GraphicsPathLoad(path, fileManagerResource, heapId) : nullptr;
   if (!document)
   {
      WarningPrintf("FontManager::Load -- unable to load font file: \"%s\"\n", name);
      return nullptr;
   }

   float width = 0.0f;
   float height = 0.0f;
   float cellAscent = 0.0f;
   float lineSpacing = 0.0f;
   float characterSpacing = 0.0f;
   float blankSpaceWidth = 0.0f;
   bool ok = MetricRead(document, "Width", &width, "width", path);
   ok = MetricRead(document, "Height", &height, "height", path) && ok;
   ok = MetricRead(document, "Ascent", &cellAscent, "ascent", path) && ok;
   ok = MetricRead(document, "LineSpacing", &lineSpacing, "line spacing", path) && ok;
   ok = MetricRead(document, "CharacterSpacing", &characterSpacing, "character spacing", path) && ok;
   ok = MetricRead(document, "BlankSpaceWidth", &blankSpaceWidth, "BlankSpaceWidth", path) && ok;
   JSONValue* tabValue = document->ItemFind("TabWidth");
   float tabWidth = tabValue && tabValue->TypeGet() == JSONValue::TYPE_NUMBER ? tabValue->FloatValueGet()
                                                                              : 3.0f * blankSpaceWidth;

   const char* mapSource = document->ItemGet("MapSrc")->StringValueGet();
   const char* mapDestination = document->ItemGet("MapDst")->StringValueGet();
   if (mapSource && !mapDestination)
   {
      WarningPrintf("FontManager::Load -- found MapSrc, but not MapDst in font file: \"%s\"\n", path);
      ok = false;
   }
   else if (mapDestination && !mapSource)
   {
      WarningPrintf("FontManager::Load -- found MapDst, but not MapSrc in font file: \"%s\"\n", path);
      ok = false;
   }

   FontBitmapDefault* font = nullptr;
   if (ok)
   {
      font = MemoryNew<FontBitmapDefault>(heapId, heapId);
      if (!font)
      {
         WarningPrintf("FontManager::Load -- out of memory for font file: \"%s\"\n", path);
         ok = false;
      }
   }
   if (ok)
   {
      font->lineSpacing = lineSpacing;
      font->characterSpacing = characterSpacing;
      font->blankSpaceWidth = blankSpaceWidth;
      font->tabWidth = tabWidth;
      if (mapSource && mapDestination && !ReplacementsRead(font, mapSource, mapDestination))
      {
         WarningPrintf(
             "FontManager::Load -- problem occurred when setting the character replacements for font "
             "file: \"%s\"\n",
             path);
         ok = false;
      }
   }
   if (ok)
   {
      JSONValue* sheets = document->ItemFind("Bitmaps");
      if (!sheets || sheets->TypeGet() != JSONValue::TYPE_ARRAY)
      {
         WarningPrintf("FontManager::Load -- unable to get Bitmaps array from font file: \"%s\"\n", path);
         ok = false;
      }
      else if (sheets->CountGet() == 0)
      {
         WarningPrintf("FontManager::Load -- Bitmaps array is empty in font file: \"%s\"\n", path);
         ok = false;
      }
      for (i32 i = 0; ok && i < sheets->CountGet(); ++i)
      {
         ok = BitmapRead(font, sheets->ElementGet(i), width, height, cellAscent, path);
      }
   }
   MemoryDelete(document);
   if (!ok)
   {
      FontDestroy(font);
      return nullptr;
   }
   cache.Add(name, fileManagerResource, font);
   return font;
}

Font* FontManager::Get(const char* name)
{
   return cache.Find(name, fileManagerResource);
}

void FontManager::Release(Font* font)
{
   if (!font)
   {
      return;
   }
   if (!cache.ResourceFind(font, nullptr))
   {
      FontDestroy(font);
      return;
   }
   FontDestroy(cache.ResourceRelease(font));
}

void FontManager::Deinit()
{
   using Node = ResourceCache<Font>::EntryMap::Node;
   for (Node* node = cache.map.First(); node != cache.map.End(); node = cache.map.Next(node))
   {
      FontDestroy(node->value->resource);
      node->value->resource = nullptr;
   }
   cache.Clear();
}
} // namespace Corvale
