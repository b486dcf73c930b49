// Alignment of text in a box, shared by every font.
#include "platform/sprite/Font.h"

namespace Corvale
{
u8 Font::missingCharacterRecording = 0;

void Font::Deinit()
{
   missingCharacters.Clear();
}

void Font::TextPositionGet(Point2F* out, const char* text, const Box2F& box, u32 flags, bool useFontMetrics,
                           const Point2F& scale)
{
   if (!out)
   {
      return;
   }
   float width = 0.0f;
   float height = 0.0f;
   float top = 0.0f;
   if (!useFontMetrics || (flags & (FONT_ALIGN_CENTER_X | FONT_ALIGN_RIGHT)))
   {
      Box2F measured;
      TextBoundsGet(&measured, text, true);
      width = measured.width * scale.x;
      height = measured.height * scale.y;
      top = measured.y * scale.y;
   }
   if (useFontMetrics)
   {
      top = -ascent * scale.y;
      height = (ascent + descent) * scale.y;
   }
   if (flags & FONT_ALIGN_CENTER_X)
   {
      out->x = box.x + (box.width - width) / 2.0f;
   }
   else if (flags & FONT_ALIGN_RIGHT)
   {
      out->x = box.x + box.width - width;
   }
   else
   {
      out->x = box.x;
   }
   if (flags & FONT_ALIGN_CENTER_Y)
   {
      out->y = box.y + (box.height - height) / 2.0f - top;
   }
   else if (flags & FONT_ALIGN_BOTTOM)
   {
      out->y = box.y + box.height - (height + top);
   }
   else
   {
      out->y = box.y - top;
   }
}
} // namespace Corvale
