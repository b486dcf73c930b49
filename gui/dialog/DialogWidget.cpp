// The speech balloon: layout of text into pooled lines and runs, the character-by-character
// reveal, paging, and the click that hurries, turns the page or closes.
#include "gui/dialog/DialogWidget.h"

#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/dialog/DialogManager.h"
#include "gui/GUIManager.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/Font.h"
#include "platform/sprite/FontManager.h"
#include "platform/input/MouseManager.h"

namespace Corvale
{
namespace
{
const char FONT_TAG_OPEN[] = "<font=";
const char FONT_TAG_CLOSE[] = "</font>";
constexpr i32 FONT_TAG_OPEN_LENGTH = sizeof(FONT_TAG_OPEN) - 1;
constexpr i32 FONT_TAG_CLOSE_LENGTH = sizeof(FONT_TAG_CLOSE) - 1;

bool BlankCheck(char c)
{
   return c == ' ' || c == '\t';
}

bool ContinuationCheck(char c)
{
   return (static_cast<u8>(c) & 0xC0) == 0x80;
}

// Null, empty, or spaces and tabs only.
bool TextBlankCheck(const char* text)
{
   if (!text)
   {
      return true;
   }
   for (; *text; text++)
   {
      if (!BlankCheck(*text))
      {
         return false;
      }
   }
   return true;
}

// A character takes at most this many bytes; continuation bytes beyond its reach are invalid
// and each counts as a character of its own, so the layout always moves on.
constexpr i32 CHARACTER_CONTINUATION_MAX = 3;

// Start of the character that holds byte n (n itself when it starts one or is invalid).
i32 CharacterStartGet(const char* text, i32 n)
{
   if (!ContinuationCheck(text[n]))
   {
      return n;
   }
   for (i32 back = 1; back <= CHARACTER_CONTINUATION_MAX && n - back >= 0; back++)
   {
      if (!ContinuationCheck(text[n - back]))
      {
         return n - back;
      }
   }
   return n;
}

// The longest prefix of at most limit bytes that ends at a character boundary; never empty while
// text remains.
i32 CharacterBoundaryCut(const char* text, i32 length, i32 limit)
{
   if (length <= limit)
   {
      return length;
   }
   i32 n = CharacterStartGet(text, limit);
   return n > 0 ? n : limit;
}

// Start of the character that ends at n.
i32 CharacterPreviousGet(const char* text, i32 n)
{
   return n <= 0 ? 0 : CharacterStartGet(text, n - 1);
}

// Bytes of the character that starts text, never more than length.
i32 CharacterLengthGet(const char* text, i32 length)
{
   i32 n = 1;
   while (n < length && n <= CHARACTER_CONTINUATION_MAX && ContinuationCheck(text[n]))
   {
      n++;
   }
   return n < length ? n : length;
}

float TextWidthGet(Font* font, const char* text, i32 length)
{
   if (length <= 0)
   {
      return 0.0f;
   }
   Box2F box;
   font->TextBoundsGet(&box, text, length, true);
   return box.width;
}

// The name of a well-formed "<font=name>" at text, and where the tag ends; false when the tag must
// be read as plain text (no closing '>' within the name's room).
bool FontTagParse(const char* text, char* name, const char** tagEnd)
{
   if (std::strncmp(text, FONT_TAG_OPEN, FONT_TAG_OPEN_LENGTH) != 0)
   {
      return false;
   }
   const char* start = text + FONT_TAG_OPEN_LENGTH;
   for (i32 i = 0; i < DIALOG_FONT_NAME_SIZE; i++)
   {
      if (start[i] == '\0')
      {
         return false;
      }
      if (start[i] == '>')
      {
         std::memcpy(name, start, static_cast<size_t>(i));
         name[i] = '\0';
         *tagEnd = start + i + 1;
         return true;
      }
   }
   return false;
}

// Where the text of one layout pass has got to.
struct LayoutCursor
{
   DialogLine* line = nullptr;
   float available = 0.0f;
   bool lineWanted = true;
};
} // namespace

void DialogRun::Clear()
{
   width = 0.0f;
   font = nullptr;
   length = 0;
   color = ColorRGBA8{255, 255, 255, 255};
   text[0] = '\0';
}

bool DialogLine::BlankCheck() const
{
   for (i32 i = 0; i < runCount; i++)
   {
      const DialogRun* run = runs[i];
      for (i32 j = 0; j < run->length; j++)
      {
         if (!Corvale::BlankCheck(run->text[j]))
         {
            return false;
         }
      }
   }
   return true;
}

SpriteWidget* DialogWidget::SpriteChildCreate(const char* childName, const JSONValue* specification)
{
   const JSONValue* item = specification->ItemFind(childName);
   if (!item || item->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   SpriteWidget* sprite = MemoryNew<SpriteWidget>(HEAP_DEFAULT);
   if (!sprite)
   {
      WarningPrintf("DialogWidget::Init -- unable to allocate \"%s\"\n", childName);
      return nullptr;
   }
   sprite->Init(childName, this, item);
   ChildAddLast(sprite);
   sprite->VisibleSet(false);
   return sprite;
}

void DialogWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   state = DIALOG_STATE_EMPTY;
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   ContainerWidget::Init(widgetName, parentWidget, specification);
   ChildrenCapacitySet(children.count + 3);

   if (specification->ItemFind("TextBounds"))
   {
      specification->Box2FGet(&textBounds, "TextBounds", &textBounds, "DialogWidget::Init", widgetName,
                              false);
   }
   const ColorRGBA8 white{255, 255, 255, 255};
   specification->ColorRGBA8Get(&textColor, "TextColor", &white, "DialogWidget::Init", widgetName, false);

   lines.count = 0;
   freeLines.count = 0;
   for (i32 i = 0; i < DIALOG_LINE_COUNT; i++)
   {
      linePool[i] = DialogLine();
      linePool[i].owner = this;
      freeLines.Add(&linePool[i]);
   }
   freeRuns.count = 0;
   for (i32 i = 0; i < DIALOG_RUN_COUNT; i++)
   {
      runPool[i].Clear();
      freeRuns.Add(&runPool[i]);
   }
   revealTimer = DIALOG_REVEAL_INTERVAL;
   revealLine = 0;
   revealRun = 0;
   revealBytes = 0;
   pageLines = 0;

   backgroundSprite = SpriteChildCreate("BackgroundSprite", specification);
   DialogTextWidget* textWidget = MemoryNew<DialogTextWidget>(HEAP_DEFAULT);
   if (textWidget)
   {
      textWidget->InitWithoutSpecification("DialogText", this);
      ChildAddLast(textWidget);
   }
   else
   {
      WarningPrintf("DialogWidget::Init -- unable to allocate \"DialogText\"\n");
   }
   continueIndicator = SpriteChildCreate("ContinueIndicatorSprite", specification);
}

void DialogWidget::Deinit()
{
   if (manager && manager->balloon == this)
   {
      manager->balloon = nullptr;
   }
   manager = nullptr;
   TextClear();
   backgroundSprite = nullptr;
   continueIndicator = nullptr;
   ContainerWidget::Deinit();
}

DialogLine* DialogWidget::LineGet(i32 index)
{
   return index >= 0 && index < lines.count ? lines[index] : nullptr;
}

DialogLine* DialogWidget::LineAppend(Font* lineFont)
{
   DialogLine* line = freeLines.TakeLast();
   if (!line)
   {
      return nullptr;
   }
   LineClear(line);
   if (lineFont)
   {
      line->height = lineFont->ascent;
      line->gap = lineFont->descent;
   }
   lines.Add(line);
   return line;
}

void DialogWidget::LineClear(DialogLine* line)
{
   for (i32 i = 0; i < line->runCount; i++)
   {
      line->runs[i]->Clear();
      freeRuns.Add(line->runs[i]);
      line->runs[i] = nullptr;
   }
   line->runCount = 0;
   line->y = 0.0f;
   line->height = 0.0f;
   line->gap = 0.0f;
}

bool DialogWidget::SegmentLayOut(const char* text, i32 length, Font* segmentFont, const ColorRGBA8& runColor,
                                 DialogLine** lineInOut, float* available)
{
   // lineInOut null on entry means the next piece wants a fresh line.
   const char* end = text + length;
   while (text < end)
   {
      if (!*lineInOut)
      {
         while (text < end && BlankCheck(*text))
         {
            text++;
         }
         if (text >= end)
         {
            break;
         }
         *lineInOut = LineAppend(nullptr);
         if (!*lineInOut)
         {
            return false;
         }
         *available = textBounds.width;
      }
      DialogLine* line = *lineInOut;

      // A run holds at most 79 bytes: a longer piece ends at its last blank inside that room (kept,
      // so the next word stays apart), else at a character boundary; the rest follows on the line.
      i32 pieceLength = static_cast<i32>(end - text);
      const i32 runRoom = DIALOG_RUN_TEXT_SIZE - 1;
      if (pieceLength > runRoom)
      {
         i32 cut = -1;
         for (i32 i = runRoom - 1; i > 0; i--)
         {
            if (BlankCheck(text[i]))
            {
               cut = i + 1;
               break;
            }
         }
         pieceLength = cut > 0 ? cut : CharacterBoundaryCut(text, pieceLength, runRoom);
      }

      float width = TextWidthGet(segmentFont, text, pieceLength);
      bool lineFull = false;
      if (width > *available)
      {
         lineFull = true;
         i32 n = pieceLength;
         bool fitted = false;
         for (;;)
         {
            i32 blank = n - 1;
            while (blank >= 0 && !BlankCheck(text[blank]))
            {
               blank--;
            }
            if (blank < 0)
            {
               break;
            }
            n = blank;
            width = TextWidthGet(segmentFont, text, n);
            if (width <= *available)
            {
               fitted = true;
               break;
            }
         }
         if (!fitted)
         {
            if (line->runCount == 0)
            {
               while (n > 0 && width > *available)
               {
                  n = CharacterPreviousGet(text, n);
                  width = TextWidthGet(segmentFont, text, n);
               }
               // A box narrower than one character still takes one per line, so the text moves on.
               if (n == 0)
               {
                  n = CharacterLengthGet(text, pieceLength);
                  width = TextWidthGet(segmentFont, text, n);
               }
            }
            else
            {
               n = 0;
            }
         }
         pieceLength = n;
      }

      if (pieceLength > 0)
      {
         if (line->runCount >= DIALOG_LINE_RUN_COUNT)
         {
            return false;
         }
         DialogRun* run = freeRuns.TakeLast();
         if (!run)
         {
            return false;
         }
         std::memcpy(run->text, text, static_cast<size_t>(pieceLength));
         run->text[pieceLength] = '\0';
         run->length = pieceLength;
         run->width = width;
         run->font = segmentFont;
         run->color = runColor;
         line->runs[line->runCount++] = run;
         if (segmentFont->ascent > line->height)
         {
            line->height = segmentFont->ascent;
         }
         if (segmentFont->descent > line->gap)
         {
            line->gap = segmentFont->descent;
         }
         *available -= width;
         text += pieceLength;
      }
      if (lineFull)
      {
         *lineInOut = nullptr;
      }
   }
   return true;
}

void DialogWidget::TextAppend(const char* text, const ColorRGBA8* runColorIn)
{
   Font* baseFont = FontGet();
   if (!baseFont)
   {
      return;
   }
   const ColorRGBA8 runColor = runColorIn ? *runColorIn : textColor;
   const i32 firstNew = lines.count;
   bool complete = true;

   if (TextBlankCheck(text))
   {
      complete = LineAppend(baseFont) != nullptr;
   }
   else
   {
      while (BlankCheck(*text))
      {
         text++;
      }
      DialogLine* line = nullptr;
      float available = 0.0f;
      Font* font = baseFont;
      bool inTag = false;
      char fontName[DIALOG_FONT_NAME_SIZE];
      while (*text && complete)
      {
         const char* segmentEnd = text;
         const char* next = nullptr;
         bool lineFeed = false;
         Font* nextFont = font;
         bool nextInTag = inTag;
         if (!inTag)
         {
            for (;; segmentEnd++)
            {
               if (*segmentEnd == '\0')
               {
                  next = segmentEnd;
                  break;
               }
               if (*segmentEnd == '\n')
               {
                  next = segmentEnd + 1;
                  lineFeed = true;
                  break;
               }
               const char* tagEnd = nullptr;
               if (*segmentEnd == '<' && FontTagParse(segmentEnd, fontName, &tagEnd))
               {
                  next = tagEnd;
                  nextInTag = true;
                  nextFont = FontManager::Get(fontName);
                  if (!nextFont)
                  {
                     WarningPrintf("DialogWidget::TextAppend -- font \"%s\" is not loaded\n", fontName);
                     nextFont = baseFont;
                  }
                  break;
               }
            }
         }
         else
         {
            const char* close = std::strstr(text, FONT_TAG_CLOSE);
            segmentEnd = close ? close : text + std::strlen(text);
            next = close ? close + FONT_TAG_CLOSE_LENGTH : segmentEnd;
            nextInTag = false;
            nextFont = baseFont;
         }

         i32 length = static_cast<i32>(segmentEnd - text);
         if (length >= DIALOG_SEGMENT_SIZE)
         {
            WarningPrintf("DialogWidget::TextAppend -- a stretch of %d bytes was cut to %d\n", length,
                          DIALOG_SEGMENT_SIZE - 1);
            length = CharacterBoundaryCut(text, length, DIALOG_SEGMENT_SIZE - 1);
         }
         complete = SegmentLayOut(text, length, font, runColor, &line, &available);
         if (complete && lineFeed)
         {
            if (lines.count == firstNew)
            {
               // The text opens with a line feed: the line it ends is an empty one.
               complete = LineAppend(font) != nullptr;
            }
            if (complete)
            {
               line = LineAppend(font);
               complete = line != nullptr;
               available = textBounds.width;
            }
         }
         font = nextFont;
         inTag = nextInTag;
         text = next;
      }
   }
   if (!complete)
   {
      WarningPrintf("DialogWidget::TextAppend -- out of lines or runs; the rest of the text is left out\n");
   }

   LinesLayOut();

   if (state == DIALOG_STATE_EMPTY || state == DIALOG_STATE_TEXT_COMPLETE)
   {
      state = DIALOG_STATE_REVEALING;
      for (i32 i = firstNew; i < lines.count; i++)
      {
         if (!lines[i]->BlankCheck())
         {
            if (lines[i]->Bottom() > TextBottomGet())
            {
               PageNext();
            }
            break;
         }
      }
   }
}

void DialogWidget::LinesLayOut()
{
   float y = textBounds.y;
   for (i32 i = 0; i < lines.count; i++)
   {
      lines[i]->y = y;
      y = lines[i]->Bottom();
   }
}

void DialogWidget::LinesRemoveTop(i32 n)
{
   if (n > lines.count)
   {
      n = lines.count;
   }
   if (n <= 0)
   {
      return;
   }
   for (i32 i = 0; i < n; i++)
   {
      LineClear(lines[i]);
      freeLines.Add(lines[i]);
   }
   for (i32 i = n; i < lines.count; i++)
   {
      lines[i - n] = lines[i];
   }
   lines.count -= n;
   if (revealLine < n)
   {
      // The line being revealed went: the next one starts from its beginning.
      revealRun = 0;
      revealBytes = 0;
   }
   revealLine = revealLine - n > 0 ? revealLine - n : 0;
   LinesLayOut();
}

i32 DialogWidget::LastNonBlankGet()
{
   for (i32 i = lines.count - 1; i >= 0; i--)
   {
      if (!lines[i]->BlankCheck())
      {
         return i;
      }
   }
   return 0;
}

void DialogWidget::LineShowWhole(i32 index)
{
   DialogLine* line = LineGet(index);
   if (line && line->runCount > 0)
   {
      revealRun = line->runCount - 1;
      revealBytes = line->runs[revealRun]->length;
   }
   else
   {
      revealRun = 0;
      revealBytes = 0;
   }
}

void DialogWidget::RevealStep()
{
   if (pageLines > 0)
   {
      LinesRemoveTop(pageLines);
      pageLines = 0;
   }
   while (lines.count > 1 && lines[0]->BlankCheck())
   {
      LinesRemoveTop(1);
   }
   // Taken after the removals, so that it still names a line.
   const i32 last = LastNonBlankGet();
   if (lines.count == 0)
   {
      TextFinish();
      return;
   }
   if (revealLine >= lines.count)
   {
      revealLine = lines.count - 1;
   }

   DialogLine* line = lines[revealLine];
   if (!line->BlankCheck() && revealRun < line->runCount)
   {
      DialogRun* run = line->runs[revealRun];
      if (revealBytes < run->length)
      {
         revealBytes += CharacterLengthGet(run->text + revealBytes, run->length - revealBytes);
      }
      if (revealBytes < run->length)
      {
         return;
      }
      if (revealRun < line->runCount - 1)
      {
         revealRun++;
         revealBytes = 0;
         return;
      }
   }

   if (revealLine < last)
   {
      if (lines[revealLine + 1]->Bottom() > TextBottomGet())
      {
         PageComplete();
      }
      else
      {
         revealLine++;
         revealRun = 0;
         revealBytes = 0;
      }
   }
   else
   {
      TextFinish();
   }
}

void DialogWidget::PageComplete()
{
   if (state != DIALOG_STATE_REVEALING)
   {
      return;
   }
   const i32 last = LastNonBlankGet();
   i32 end = revealLine;
   while (end + 1 < lines.count && lines[end + 1]->Bottom() <= TextBottomGet())
   {
      end++;
   }
   if (end >= last)
   {
      TextFinish();
      return;
   }
   revealLine = end;
   pageLines += end + 1;
   state = DIALOG_STATE_PAGE_COMPLETE;
   LineShowWhole(end);
}

void DialogWidget::PageNext()
{
   PageComplete();
   if (state == DIALOG_STATE_PAGE_COMPLETE)
   {
      LinesRemoveTop(pageLines);
      pageLines = 0;
      revealRun = 0;
      revealBytes = 0;
      state = DIALOG_STATE_REVEALING;
   }
}

void DialogWidget::TextFinish()
{
   if (state == DIALOG_STATE_EMPTY || state == DIALOG_STATE_TEXT_COMPLETE)
   {
      return;
   }
   for (;;)
   {
      const i32 last = LastNonBlankGet();
      // A last line taller than the box stays at the top rather than scrolling away itself.
      if (lines.count == 0 || last == 0 || lines[last]->Bottom() <= TextBottomGet())
      {
         break;
      }
      i32 fitting = 0;
      for (i32 i = 1; i < lines.count && lines[i]->Bottom() <= TextBottomGet(); i++)
      {
         fitting++;
      }
      LinesRemoveTop(fitting + 1);
   }
   revealLine = LastNonBlankGet();
   LineShowWhole(revealLine);
   state = DIALOG_STATE_TEXT_COMPLETE;
}

void DialogWidget::TextClear()
{
   for (i32 i = 0; i < lines.count; i++)
   {
      LineClear(lines[i]);
      freeLines.Add(lines[i]);
   }
   lines.count = 0;
   revealLine = 0;
   revealRun = 0;
   revealBytes = 0;
   pageLines = 0;
   state = DIALOG_STATE_EMPTY;
}

void DialogWidget::Update(u32 elapsed)
{
   ContainerWidget::Update(elapsed);

   if (elapsed < revealTimer)
   {
      revealTimer -= elapsed;
   }
   else
   {
      if (state == DIALOG_STATE_REVEALING)
      {
         RevealStep();
      }
      revealTimer = DIALOG_REVEAL_INTERVAL;
   }

   if (mouseStateSystem.PressedCheck(MOUSE_BUTTON_LEFT) && EnabledCheck() && GUIManager::InputAllowedCheck())
   {
      switch (state)
      {
      case DIALOG_STATE_REVEALING:
         PageComplete();
         break;
      case DIALOG_STATE_PAGE_COMPLETE:
         PageNext();
         break;
      case DIALOG_STATE_TEXT_COMPLETE:
         TextClear();
         break;
      default:
         break;
      }
   }

   if (continueIndicator)
   {
      const bool show = state == DIALOG_STATE_PAGE_COMPLETE || state == DIALOG_STATE_TEXT_COMPLETE;
      if (show && !continueIndicator->visible && continueIndicator->sprite)
      {
         continueIndicator->sprite->time = 0;
      }
      continueIndicator->VisibleSet(show);
   }
   if (backgroundSprite)
   {
      backgroundSprite->VisibleSet(state != DIALOG_STATE_EMPTY);
   }
}

void DialogWidget::TextDraw()
{
   if (state == DIALOG_STATE_EMPTY || lines.count == 0)
   {
      return;
   }
   const Point2F unitScale{1.0f, 1.0f};
   const i32 lastDrawn = revealLine < lines.count ? revealLine : lines.count - 1;
   for (i32 i = 0; i <= lastDrawn; i++)
   {
      DialogLine* line = lines[i];
      const bool partial = i == revealLine;
      float x = textBounds.x;
      const float baseline = line->y + line->height;
      for (i32 r = 0; r < line->runCount; r++)
      {
         if (partial && r > revealRun)
         {
            break;
         }
         DialogRun* run = line->runs[r];
         i32 bytes = run->length;
         if (partial && r == revealRun && revealBytes < bytes)
         {
            bytes = revealBytes;
         }
         if (run->font && bytes > 0)
         {
            run->font->TextDraw(run->text, bytes, Point2F{x, baseline}, run->color, unitScale, 0.0f, 0.0f);
         }
         x += run->width;
      }
   }
}

void DialogTextWidget::Draw()
{
   Widget::Draw();
   Widget* owner = ParentGet();
   if (owner && std::strcmp(owner->TypeNameGet(), "Dialog") == 0)
   {
      static_cast<DialogWidget*>(owner)->TextDraw();
   }
}
} // namespace Corvale
