// The bitmap font: glyphs cut from the font's sheets, blanks and tabs of fixed width, and
// character replacements, walked over UTF-8 text for measuring and drawing.
#pragma once

#include "core/Memory.h"
#include "core/Table.h"
#include "platform/sprite/Font.h"

namespace Corvale
{
class FontBitmapDefault : public Font
{
 public:
   explicit FontBitmapDefault(i32 heapIdUsed = HEAP_DEFAULT);

   // Empties the glyphs and replacements and releases the sheets.
   void Deinit() override;
   void TextBoundsGet(Box2F* out, const char* text, i32 byteCount, bool includeBlanks) override;
   void TextBoundsGet(Box2F* out, const char* text, bool includeBlanks) override;
   void TextDraw(const char* text, i32 byteCount, const Point2F& position, const ColorRGBA8& color,
                 const Point2F& scale, float depth, float additive) override;
   void TextDraw(const char* text, const Point2F& position, const Box2F* clip, const ColorRGBA8& color,
                 const Point2F& scale, float depth, float additive) override;
   void TextDraw(const char* text, const Point2F& position, const ColorRGBA8& color, const Point2F& scale,
                 float depth, float additive) override;
   virtual void GlyphDraw(Image* image, const Box2F& source, const Point2F& destination,
                          const ColorRGBA8& color, float depth, float additive);
   // Called once after each text draw; a subclass may finish batched work here.
   virtual void TextDrawEnd(const ColorRGBA8& color, float additive);

   // The glyph a code point is drawn with after replacement: its own, else '?', else null.
   const Glyph* GlyphFind(u32 codePoint);

   i32 heapId;
   float characterSpacing = 0.0f;
   float blankSpaceWidth = 2.0f;
   float tabWidth = 6.0f;
   Map<u32, Glyph> glyphs;
   Table<Image*> bitmaps;
   Map<u32, u32> replacements;

 private:
   // Walks text (at most byteCount bytes, or to the NUL when byteCount < 0) for measuring
   // (out set) or drawing (clip optional).
   void Walk(const char* text, i32 byteCount, Box2F* out, bool includeBlanks, bool draw, const Box2F* clip,
             const ColorRGBA8& color, float depth, float additive);
   void TextDrawClipped(const char* text, i32 byteCount, const Point2F& position, const Box2F* clip,
                        const ColorRGBA8& color, const Point2F& scale, float depth, float additive);
};
} // namespace Corvale
