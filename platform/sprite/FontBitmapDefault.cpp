// Measuring and drawing UTF-8 text with a bitmap font.
#include "platform/sprite/FontBitmapDefault.h"

#include <cstring>

#include "core/Allocator.h"
#include "core/StringHelpers.h"
#include "platform/image/Image.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/window/Screen.h"

namespace Corvale
{
namespace
{
constexpr u32 CODE_LINE_FEED = 0x0A;
constexpr u32 CODE_TAB = 0x09;
constexpr u32 CODE_SPACE = 0x20;
constexpr u32 CODE_BYTE_ORDER_MARK = 0xFEFF;

// The strict overlap of two boxes; false when they only touch or miss.
bool BoxOverlapGet(const Box2F& a, const Box2F& b, Box2F* out)
{
   float left = a.x > b.x ? a.x : b.x;
   float top = a.y > b.y ? a.y : b.y;
   float right = a.x + a.width < b.x + b.width ? a.x + a.width : b.x + b.width;
   float bottom = a.y + a.height < b.y + b.height ? a.y + a.height : b.y + b.height;
   if (!(right > left && bottom > top))
   {
      return false;
   }
   *out = Box2F{left, top, right - left, bottom - top};
   return true;
}
} // namespace

FontBitmapDefault::FontBitmapDefault(i32 heapIdUsed)
    : heapId(heapIdUsed), glyphs(allocatorHeaps[heapIdUsed]), bitmaps(allocatorHeaps[heapIdUsed]),
      replacements(allocatorHeaps[heapIdUsed])
{
}

void FontBitmapDefault::Deinit()
{
   Font::Deinit();
   glyphs.Clear();
   for (i32 i = 0; i < bitmaps.count; ++i)
   {
      imageManager.Release(bitmaps[i]);
   }
   bitmaps.SizeSet(0);
   replacements.Clear();
}

const Glyph* FontBitmapDefault::GlyphFind(u32 codePoint)
{
   Map<u32, Glyph>::Node* node = glyphs.Find(codePoint);
   if (node != glyphs.End())
   {
      return &node->value;
   }
   if (missingCharacterRecording)
   {
      missingCharacters.Insert(codePoint, codePoint);
   }
   node = glyphs.Find(static_cast<u32>('?'));
   return node != glyphs.End() ? &node->value : nullptr;
}

void FontBitmapDefault::Walk(const char* text, i32 byteCount, Box2F* out, bool includeBlanks, bool draw,
                             const Box2F* clip, const ColorRGBA8& color, float depth, float additive)
{
   float x = 0.0f;
   float y = 0.0f;
   bool first = true;
   auto include = [&](const Box2F& box)
   {
      if (first)
      {
         *out = box;
         first = false;
      }
      else
      {
         out->Include(box);
      }
   };
   i32 position = 0;
   while ((byteCount < 0 || position < byteCount) && text[position] != '\0')
   {
      u32 code = 0;
      i32 length;
      if (byteCount < 0)
      {
         length = UTF8CharacterToUnicode(&code, text + position);
      }
      else
      {
         // A character cut by the byte count must not be read past it.
         char character[5] = {};
         i32 room = byteCount - position < 4 ? byteCount - position : 4;
         std::memcpy(character, text + position, static_cast<size_t>(room));
         length = UTF8CharacterToUnicode(&code, character);
      }
      if (length <= 0)
      {
         break;
      }
      position += length;

      Map<u32, u32>::Node* replacement = replacements.Find(code);
      if (replacement != replacements.End())
      {
         code = replacement->value;
      }
      if (code == CODE_BYTE_ORDER_MARK)
      {
         continue;
      }
      if (code == CODE_LINE_FEED)
      {
         x = 0.0f;
         y += lineSpacing;
         continue;
      }
      if (code == CODE_SPACE || code == CODE_TAB)
      {
         float advance = code == CODE_SPACE ? blankSpaceWidth : tabWidth;
         if (out && includeBlanks)
         {
            include(Box2F{x, y - 1.0f, advance, 1.0f});
         }
         x += advance + characterSpacing;
         continue;
      }
      const Glyph* glyph = GlyphFind(code);
      if (!glyph)
      {
         continue;
      }
      Box2F box{x, y - glyph->yOffset, glyph->sourceBox.width, glyph->sourceBox.height};
      if (out)
      {
         include(box);
      }
      if (draw)
      {
         if (!clip)
         {
            GlyphDraw(glyph->image, glyph->sourceBox, Point2F{box.x, box.y}, color, depth, additive);
         }
         else
         {
            Box2F kept;
            if (BoxOverlapGet(box, *clip, &kept))
            {
               Box2F source{glyph->sourceBox.x + (kept.x - box.x), glyph->sourceBox.y + (kept.y - box.y),
                            kept.width, kept.height};
               GlyphDraw(glyph->image, source, Point2F{kept.x, kept.y}, color, depth, additive);
            }
         }
      }
      x += characterSpacing + glyph->sourceBox.width;
   }
}

void FontBitmapDefault::TextBoundsGet(Box2F* out, const char* text, i32 byteCount, bool includeBlanks)
{
   if (!out)
   {
      return;
   }
   *out = Box2F();
   if (!text || byteCount <= 0)
   {
      return;
   }
   Walk(text, byteCount, out, includeBlanks, false, nullptr, ColorRGBA8{}, 0.0f, 0.0f);
}

void FontBitmapDefault::TextBoundsGet(Box2F* out, const char* text, bool includeBlanks)
{
   if (!out)
   {
      return;
   }
   *out = Box2F();
   if (!text)
   {
      return;
   }
   Walk(text, -1, out, includeBlanks, false, nullptr, ColorRGBA8{}, 0.0f, 0.0f);
}

void FontBitmapDefault::TextDrawClipped(const char* text, i32 byteCount, const Point2F& position,
                                        const Box2F* clip, const ColorRGBA8& color, const Point2F& scale,
                                        float depth, float additive)
{
   if (!text)
   {
      return;
   }
   Box2F local;
   if (clip)
   {
      if (scale.x == 0.0f || scale.y == 0.0f)
      {
         return;
      }
      local.x = clip->x - position.x;
      local.y = clip->y - position.y;
      local.width = clip->width;
      local.height = clip->height;
      if (scale.x != 1.0f)
      {
         local.x /= scale.x;
         local.width /= scale.x;
      }
      if (scale.y != 1.0f)
      {
         local.y /= scale.y;
         local.height /= scale.y;
      }
   }
   screen.MatrixPush();
   screen.MatrixTranslate(position.x, position.y);
   if (scale.x != 1.0f || scale.y != 1.0f)
   {
      screen.MatrixScale(scale.x, scale.y);
   }
   Walk(text, byteCount, nullptr, false, true, clip ? &local : nullptr, color, depth, additive);
   TextDrawEnd(color, additive);
   screen.MatrixPop();
}

void FontBitmapDefault::TextDraw(const char* text, i32 byteCount, const Point2F& position,
                                 const ColorRGBA8& color, const Point2F& scale, float depth, float additive)
{
   if (byteCount <= 0)
   {
      return;
   }
   TextDrawClipped(text, byteCount, position, nullptr, color, scale, depth, additive);
}

void FontBitmapDefault::TextDraw(const char* text, const Point2F& position, const Box2F* clip,
                                 const ColorRGBA8& color, const Point2F& scale, float depth, float additive)
{
   TextDrawClipped(text, -1, position, clip, color, scale, depth, additive);
}

void FontBitmapDefault::TextDraw(const char* text, const Point2F& position, const ColorRGBA8& color,
                                 const Point2F& scale, float depth, float additive)
{
   TextDrawClipped(text, -1, position, nullptr, color, scale, depth, additive);
}

void FontBitmapDefault::GlyphDraw(Image* image, const Box2F& source, const Point2F& destination,
                                  const ColorRGBA8& color, float depth, float additive)
{
   if (image)
   {
      image->DrawRegion(source, destination, color, depth, additive);
   }
}

void FontBitmapDefault::TextDrawEnd(const ColorRGBA8&, float)
{
}
} // namespace Corvale
