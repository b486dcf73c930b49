// Shared pieces of the balloon and dialog-manager tests: a font with fixed metrics that records
// what it draws, and helpers that read a balloon's lines back as text.
#pragma once

#include <string>
#include <vector>

#include "core/StringHelpers.h"
#include "gui/dialog/DialogWidget.h"
#include "platform/sprite/Font.h"
#include "platform/input/MouseManager.h"

namespace DialogTest
{
using namespace Corvale;

// Every character is advance units wide, blanks included; draws are recorded, not made.
class FixedFont : public Font
{
 public:
   struct DrawCall
   {
      std::string text;
      Point2F position;
      ColorRGBA8 color;
   };

   FixedFont(float advanceUsed, float ascentUsed, float descentUsed) : advance(advanceUsed)
   {
      ascent = ascentUsed;
      descent = descentUsed;
   }

   void TextBoundsGet(Box2F* out, const char* text, i32 byteCount, bool) override
   {
      i32 characters = 0;
      for (i32 i = 0; i < byteCount && text[i]; i++)
      {
         if ((static_cast<u8>(text[i]) & 0xC0) != 0x80)
         {
            characters++;
         }
      }
      *out = Box2F{0.0f, -ascent, advance * static_cast<float>(characters), ascent + descent};
   }
   void TextBoundsGet(Box2F* out, const char* text, bool includeBlanks) override
   {
      TextBoundsGet(out, text, static_cast<i32>(std::char_traits<char>::length(text)), includeBlanks);
   }
   void TextDraw(const char* text, i32 byteCount, const Point2F& position, const ColorRGBA8& color,
                 const Point2F&, float, float) override
   {
      draws.push_back(DrawCall{std::string(text, static_cast<size_t>(byteCount)), position, color});
   }
   void TextDraw(const char* text, const Point2F& position, const Box2F*, const ColorRGBA8& color,
                 const Point2F&, float, float) override
   {
      draws.push_back(DrawCall{text, position, color});
   }
   void TextDraw(const char* text, const Point2F& position, const ColorRGBA8& color, const Point2F&, float,
                 float) override
   {
      draws.push_back(DrawCall{text, position, color});
   }

   float advance;
   std::vector<DrawCall> draws;
};

// The texts of a line's runs joined.
inline std::string LineText(DialogWidget* balloon, i32 index)
{
   DialogLine* line = balloon->LineGet(index);
   std::string text;
   for (i32 i = 0; line && i < line->runCount; i++)
   {
      text.append(line->runs[i]->text, static_cast<size_t>(line->runs[i]->length));
   }
   return text;
}

inline std::vector<std::string> LinesText(DialogWidget* balloon)
{
   std::vector<std::string> texts;
   for (i32 i = 0; i < balloon->LineCountGet(); i++)
   {
      texts.push_back(LineText(balloon, i));
   }
   return texts;
}

// Reveal steps until the balloon stops revealing; the number of frames taken.
inline i32 RevealToRest(DialogWidget* balloon, i32 frameLimit = 10000)
{
   i32 frames = 0;
   while (balloon->StateGet() == DIALOG_STATE_REVEALING && frames < frameLimit)
   {
      balloon->Update(DIALOG_REVEAL_INTERVAL);
      frames++;
   }
   return frames;
}

// The system pointer's left button goes down in this frame (or stays up).
inline void SystemClickSet(bool down)
{
   mouseStateSystem.frameButtons = down ? static_cast<u32>(MOUSE_BUTTON_LEFT) : 0u;
   mouseStateSystem.previousButtons = 0;
}

// One frame with a click, then the button is released again.
inline void ClickFrame(DialogWidget* balloon)
{
   SystemClickSet(true);
   balloon->Update(0);
   SystemClickSet(false);
}
} // namespace DialogTest
