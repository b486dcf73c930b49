// The speech balloon: lays marked-up text out into lines and runs inside a text rectangle, reveals
// it one character at a time, pages it, and lets a click hurry it, turn the page or close it.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/TableFixed.h"
#include "core/Types.h"
#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class DialogManager;
class DialogWidget;
class Font;
class SpriteWidget;

constexpr i32 DIALOG_LINE_COUNT = 64;
constexpr i32 DIALOG_RUN_COUNT = 128;
constexpr i32 DIALOG_LINE_RUN_COUNT = 64;
// A run's text buffer, terminator included.
constexpr i32 DIALOG_RUN_TEXT_SIZE = 80;
// Bytes of one stretch of text between tags and line feeds; the rest of a longer one is dropped.
constexpr i32 DIALOG_SEGMENT_SIZE = 1024;
// A font name after "<font=", terminator included; a longer one makes the tag plain text.
constexpr i32 DIALOG_FONT_NAME_SIZE = 32;
constexpr u32 DIALOG_REVEAL_INTERVAL = 20;

enum DialogState : i32
{
   DIALOG_STATE_EMPTY = 0,
   DIALOG_STATE_PAGE_COMPLETE = 1,
   DIALOG_STATE_TEXT_COMPLETE = 2,
   DIALOG_STATE_REVEALING = 3
};

// A piece of text in one font.
struct DialogRun
{
   void Clear();

   float width = 0.0f;
   Font* font = nullptr;
   // Bytes of text, never more than DIALOG_RUN_TEXT_SIZE - 1.
   i32 length = 0;
   ColorRGBA8 color{255, 255, 255, 255};
   char text[DIALOG_RUN_TEXT_SIZE] = {};
};

struct DialogLine
{
   float Bottom() const { return y + height + gap; }
   // Every run holds only spaces and tabs (or there is none).
   bool BlankCheck() const;

   float y = 0.0f;
   // Top to baseline: the largest ascent of its fonts.
   float height = 0.0f;
   // Below the baseline: the largest descent of its fonts.
   float gap = 0.0f;
   DialogWidget* owner = nullptr;
   i32 runCount = 0;
   DialogRun* runs[DIALOG_LINE_RUN_COUNT] = {};
};

class DialogWidget : public ContainerWidget
{
 public:
   DialogWidget() = default;
   DialogWidget(const DialogWidget&) = delete;
   DialogWidget& operator=(const DialogWidget&) = delete;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "Dialog"; }

   // Lays the text out after the lines already present; "<font=Name>...</font>" switches fonts.
   virtual void TextAppend(const char* text, const ColorRGBA8* textColor);
   virtual void TextClear();
   // Drawn by the text child, so that the text sits between the background and the indicator.
   virtual void TextDraw();
   // Shows the rest of the page at once.
   virtual void PageComplete();
   virtual void PageNext();
   // Shows the end of the text, scrolled so that its last line is visible.
   virtual void TextFinish();

   i32 StateGet() const { return state; }
   i32 LineCountGet() const { return lines.count; }
   // Null out of range.
   DialogLine* LineGet(i32 index);

   i32 state = DIALOG_STATE_EMPTY;
   i32 revealLine = 0;
   i32 revealRun = 0;
   // Always at a character boundary of the run at revealRun.
   i32 revealBytes = 0;
   u32 revealTimer = DIALOG_REVEAL_INTERVAL;
   // Lines of the complete page that scroll away when the next page starts.
   i32 pageLines = 0;
   Box2F textBounds;
   ColorRGBA8 textColor{255, 255, 255, 255};
   SpriteWidget* backgroundSprite = nullptr;
   SpriteWidget* continueIndicator = nullptr;
   DialogManager* manager = nullptr;
   TableFixed<DialogLine*, DIALOG_LINE_COUNT> lines;
   TableFixed<DialogLine*, DIALOG_LINE_COUNT> freeLines;
   DialogLine linePool[DIALOG_LINE_COUNT];
   TableFixed<DialogRun*, DIALOG_RUN_COUNT> freeRuns;
   DialogRun runPool[DIALOG_RUN_COUNT];

 private:
   // One step of the reveal, every DIALOG_REVEAL_INTERVAL ms while revealing.
   void RevealStep();
   // Null when the pool is dry.
   DialogLine* LineAppend(Font* lineFont);
   // Lays one stretch of text out in one font; false once the pools are dry.
   bool SegmentLayOut(const char* text, i32 length, Font* segmentFont, const ColorRGBA8& runColor,
                      DialogLine** line, float* available);
   void LinesLayOut();
   void LinesRemoveTop(i32 n);
   void LineClear(DialogLine* line);
   void LineShowWhole(i32 index);
   // The highest-indexed line that is not blank; 0 when all are.
   i32 LastNonBlankGet();
   float TextBottomGet() const { return textBounds.y + textBounds.height; }
   SpriteWidget* SpriteChildCreate(const char* childName, const JSONValue* specification);
};

// Draws its parent balloon's text in its place among the balloon's children.
class DialogTextWidget : public Widget
{
 public:
   void Draw() override;
   const char* TypeNameGet() override { return "DialogText"; }
};
} // namespace Corvale
