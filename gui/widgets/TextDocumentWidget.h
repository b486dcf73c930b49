// A multi-line rich text in a scroll box: the text is wrapped to the visible width, marked-up
// stretches change font, scale and colour or place sprites, and the result is built as labels and
// sprite widgets in a content container that draws only what meets the visible band.
#pragma once

#include "core/Color.h"
#include "core/Table.h"
#include "gui/widgets/ScrollBoxWidget.h"

namespace Corvale
{
class Font;

// Flags of TextDocumentWidget::TextAlignmentSet: no flag means left and top.
enum TextDocumentAlignment : i32
{
   TEXT_DOCUMENT_ALIGN_CENTER_X = 1,
   TEXT_DOCUMENT_ALIGN_RIGHT = 2,
   TEXT_DOCUMENT_ALIGN_CENTER_Y = 4,
   TEXT_DOCUMENT_ALIGN_BOTTOM = 8
};

// One line of the layout; its widgets belong to the content container.
class TextDocumentLine
{
 public:
   // Sum of the widths of the items on the line.
   float width = 0.0f;
   // The line spacing when the line was started; counts only while the line stays empty.
   float height = 0.0f;
   Table<Widget*> items;
};

// Holds the generated labels and sprites and draws only the children that can meet the visible
// band, found through two sorted, thinned indexes of their edges.
class TextDocumentWidgetContentContainer : public ContainerWidget
{
 public:
   struct IndexEntry
   {
      float y;
      i32 child;
   };

   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Deinit() override;
   void Draw() override;
   const char* TypeNameGet() override { return "TextDocumentWidgetContentContainer"; }
   // Its own bounds only: the generated text is not hit-tested through it.
   Widget* WidgetAtPointGet(const Point2F& point) override { return Widget::WidgetAtPointGet(point); }

   virtual void IndexBuild();

   // Bottom edges, thinned from the back; top edges, thinned from the front.
   Table<IndexEntry> bottomIndex;
   Table<IndexEntry> topIndex;
};

class TextDocumentWidget : public ScrollBoxWidget
{
 public:
   TextDocumentWidget() = default;
   ~TextDocumentWidget() override;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "TextDocumentWidget"; }
   // Fetches the text again from its key, expression or file.
   void TextsRefresh() override;

   // The text as laid out (for a key, expression or file: the text fetched last).
   virtual const char* TextGet() { return text; }
   // Forgets every other source.
   virtual void TextSet(const char* newText);
   virtual const char* TextKeyGet() { return textKey; }
   virtual void TextKeySet(const char* key);
   virtual const char* TextExpressionGet() { return textExpression; }
   virtual void TextExpressionSet(const char* expression);
   virtual const char* TextFilenameGet() { return textFilename; }
   // The name of "Text/<Language>/<name>.txt".
   virtual void TextFilenameSet(const char* fileName);
   // Moves the document and sizes its visible window, then fetches the text again.
   virtual void AreaSet(const Box2F& area);
   virtual i32 TextAlignmentGet() { return textAlignment; }
   virtual void TextAlignmentSet(i32 flags);
   virtual Point2F TextScaleGet() { return textScale; }
   virtual void TextScaleSet(const Point2F& scale);
   virtual Point2F TextScaleFactorGet() { return textScaleFactor; }
   virtual void TextScaleFactorSet(const Point2F& factor);
   virtual ColorRGBA8 TextColorGet() { return textColor; }
   virtual void TextColorSet(const ColorRGBA8& color);
   virtual i32 TextAlignmentDefaultGet() { return 0; }
   virtual bool TextKeyUsedCheck() { return true; }
   virtual bool TextExpressionUsedCheck() { return true; }
   virtual bool TextFilenameUsedCheck() { return true; }

   // Makes "TextDocument" known to the widget-type registry.
   static void TypeRegister();

   TextDocumentWidgetContentContainer* contentContainer = nullptr;
   i32 textAlignment = 0;
   char* text = nullptr;
   char* textKey = nullptr;
   char* textExpression = nullptr;
   char* textFilename = nullptr;
   float contentWidth = 0.0f;
   float contentHeight = 0.0f;
   Point2F textScale{1.0f, 1.0f};
   Point2F textScaleFactor{1.0f, 1.0f};
   ColorRGBA8 textColor{255, 255, 255, 255};
   Table<TextDocumentLine*> lines;

 protected:
   // Throws away what the last layout built and lays the text out afresh.
   void TextProcess();
   // Removes the generated widgets and lines and empties the content size.
   void LayoutClear();
   void SourcesFree();
   void SourceSet(char*& source, const char* value);
   void TextStore(const char* newText);
};
} // namespace Corvale
