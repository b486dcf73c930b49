// The interface through which widgets measure, place and draw UTF-8 text in a bitmap font.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/Map.h"
#include "core/Point.h"
#include "core/Types.h"

namespace Corvale
{
class Image;

// Alignment flags of Font::TextPositionGet.
enum FontAlignment : u32
{
   FONT_ALIGN_CENTER_X = 1,
   FONT_ALIGN_RIGHT = 2,
   FONT_ALIGN_CENTER_Y = 4,
   FONT_ALIGN_BOTTOM = 8
};

struct Glyph
{
   // The font's sheet the glyph is cut from; not owned.
   Image* image = nullptr;
   // The visible extent of the character inside its cell, in image coordinates.
   Box2F sourceBox;
   // How far the box's top lies above the baseline.
   float yOffset = 0.0f;
};

class Font
{
 public:
   virtual ~Font() = default;
   virtual void Deinit();

   virtual void TextBoundsGet(Box2F* out, const char* text, i32 byteCount, bool includeBlanks) = 0;
   virtual void TextBoundsGet(Box2F* out, const char* text, bool includeBlanks) = 0;
   virtual void TextDraw(const char* text, i32 byteCount, const Point2F& position, const ColorRGBA8& color,
                         const Point2F& scale, float depth, float additive) = 0;
   virtual void TextDraw(const char* text, const Point2F& position, const Box2F* clip,
                         const ColorRGBA8& color, const Point2F& scale, float depth, float additive) = 0;
   virtual void TextDraw(const char* text, const Point2F& position, const ColorRGBA8& color,
                         const Point2F& scale, float depth, float additive) = 0;

   // The pen position at which text lands aligned in box by the FontAlignment flags.
   void TextPositionGet(Point2F* out, const char* text, const Box2F& box, u32 flags, bool useFontMetrics,
                        const Point2F& scale);

   // Characters drawn without a glyph are collected here while this is set (off at start-up).
   static u8 missingCharacterRecording;

   float lineSpacing = 16.0f;
   float ascent = 0.0f;
   float descent = 0.0f;
   Map<u32, u32> missingCharacters;
};
} // namespace Corvale
