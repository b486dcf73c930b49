// The text document: reading its sources, cutting the marked-up text into segments, wrapping the
// words of each segment into labels and sprites, arranging the lines, and the content container
// that draws only the children near the visible band.
#include "gui/widgets/TextDocumentWidget.h"

#include <cmath>
#include <cstring>

#include "core/FileManager.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "platform/sprite/Font.h"
#include "platform/sprite/FontManager.h"

namespace Corvale
{
namespace
{
// Longest tag arguments, without the terminator.
constexpr i32 NAME_ARGUMENT_LIMIT = 255;
constexpr i32 VALUE_ARGUMENT_LIMIT = 31;
constexpr u32 TEXT_FILE_PATH_SIZE = 260;

const ColorRGBA8 colorWhite{255, 255, 255, 255};

// The folder of the current language under "Text"; null when the language is out of range.
const char* LanguageFolderGet()
{
   return textManager.LanguageCurrentNameGet();
}

bool BlankCheck(char c)
{
   return c == ' ' || c == '\t';
}

bool ContinuationCheck(char c)
{
   return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The index of the character after the one at i, never past n.
i32 CharacterNextGet(const char* text, i32 i, i32 n)
{
   if (i >= n)
   {
      return n;
   }
   i++;
   while (i < n && ContinuationCheck(text[i]))
   {
      i++;
   }
   return i;
}

i32 CharacterPreviousGet(const char* text, i32 i)
{
   if (i <= 0)
   {
      return 0;
   }
   i--;
   while (i > 0 && ContinuationCheck(text[i]))
   {
      i--;
   }
   return i;
}

bool PrefixCheck(const char* at, const char* end, const char* tag)
{
   size_t length = std::strlen(tag);
   return static_cast<size_t>(end - at) >= length && std::memcmp(at, tag, length) == 0;
}

struct Style
{
   Font* font;
   Point2F scale;
   ColorRGBA8 color;
};

enum TagKind
{
   TAG_NONE,
   TAG_FONT_OPEN,
   TAG_FONT_CLOSE,
   TAG_SCALE_OPEN,
   TAG_SCALE_CLOSE,
   TAG_COLOR_OPEN,
   TAG_COLOR_CLOSE,
   TAG_SPRITE
};

// One run of TextDocumentWidget::TextProcess: the line being filled and the widgets it builds.
class Layout
{
 public:
   Layout(TextDocumentWidget* documentUsed, char* pieceBufferUsed)
       : document(documentUsed), container(documentUsed->contentContainer),
         clip(documentUsed->ClipContainerGet()), pieceBuffer(pieceBufferUsed)
   {
   }

   void LineStart(const Style& style);
   void WordsLayout(const char* segment, i32 length, const Style& style, bool afterBreak);
   void SpritePlace(const char* animationName, const Style& style);
   void LinesArrange();

 private:
   Box2F Measure(const Style& style, const char* piece, i32 length);
   float WidthGet(const Style& style, const char* piece, i32 length)
   {
      return Measure(style, piece, length).width;
   }
   void LabelPlace(const Style& style, const char* piece, i32 length, const Box2F& box);
   void ItemAdd(Widget* item, float width);

   TextDocumentWidget* document;
   TextDocumentWidgetContentContainer* container;
   ScrollBoxClipContainerWidget* clip;
   char* pieceBuffer;
   TextDocumentLine* line = nullptr;
   // Width still free on the line.
   float remaining = 0.0f;
   // No text has been placed on the line yet (sprites do not count).
   bool lineEmpty = true;
};

void Layout::LineStart(const Style& style)
{
   line = MemoryNew<TextDocumentLine>(HEAP_DEFAULT);
   if (line && !document->lines.Insert(line, document->lines.count))
   {
      MemoryDelete(line);
      line = nullptr;
   }
   if (!line)
   {
      WarningPrintf("TextDocumentWidget::TextProcess -- unable to add a line\n");
   }
   else
   {
      line->height = style.font->lineSpacing * style.scale.y;
   }
   remaining = clip->ClipAreaGet().width;
   lineEmpty = true;
}

Box2F Layout::Measure(const Style& style, const char* piece, i32 length)
{
   Box2F bounds;
   style.font->TextBoundsGet(&bounds, piece, length, true);
   Box2F box;
   box.x = 0.0f;
   box.width = std::ceil(bounds.x * style.scale.x + bounds.width * style.scale.x);
   box.y = std::floor(-style.font->ascent * style.scale.y);
   box.height = std::ceil(style.font->descent * style.scale.y) - box.y;
   return box;
}

void Layout::ItemAdd(Widget* item, float width)
{
   container->ChildAdd(item);
   if (line && !line->items.Insert(item, line->items.count))
   {
      WarningPrintf("TextDocumentWidget::TextProcess -- unable to place an item on its line\n");
   }
   if (line)
   {
      line->width += width;
   }
   remaining -= width;
}

void Layout::LabelPlace(const Style& style, const char* piece, i32 length, const Box2F& box)
{
   LabelWidget* label = MemoryNew<LabelWidget>(HEAP_DEFAULT);
   if (!label)
   {
      WarningPrintf("TextDocumentWidget::TextProcess -- unable to allocate a label\n");
      return;
   }
   label->InitWithoutSpecification(nullptr, container);
   label->TextScaleDownToFitSet(false);
   ItemAdd(label, box.width);
   std::memcpy(pieceBuffer, piece, static_cast<size_t>(length));
   pieceBuffer[length] = '\0';
   label->TextSet(pieceBuffer);
   label->BoundsSet(box);
   label->FontSet(style.font);
   label->TextScaleSet(style.scale);
   label->TextColorSet(style.color);
   label->TextAlignmentSet(TEXT_ALIGNMENT_TOP_LEFT);
   label->TextAscentDescentMaxUseSet(true);
   lineEmpty = false;
}

void Layout::WordsLayout(const char* segment, i32 length, const Style& style, bool afterBreak)
{
   const char* p = segment;
   const char* end = segment + length;
   if (lineEmpty && !afterBreak)
   {
      while (p < end && BlankCheck(*p))
      {
         p++;
      }
   }
   bool wrap = false;
   while (p < end)
   {
      if (wrap)
      {
         LineStart(style);
         while (p < end && BlankCheck(*p))
         {
            p++;
         }
         wrap = false;
         if (p == end)
         {
            break;
         }
      }
      i32 n = static_cast<i32>(end - p);
      Box2F whole = Measure(style, p, n);
      i32 piece = n;
      Box2F pieceBox = whole;
      if (whole.width > remaining)
      {
         wrap = true;
         // Guess the cut from the share of the width that is free, then correct it by characters.
         float guess = whole.width > 0.0f ? remaining / whole.width * static_cast<float>(n) : 0.0f;
         i32 cut = guess <= 0.0f ? 0 : (guess >= static_cast<float>(n) ? n : static_cast<i32>(guess));
         while (cut < n && ContinuationCheck(p[cut]))
         {
            cut++;
         }
         while (cut < n && WidthGet(style, p, cut) <= remaining)
         {
            cut = CharacterNextGet(p, cut, n);
         }
         piece = -1;
         i32 firstBlank = -1;
         for (i32 k = cut - 1; k >= 0; k--)
         {
            if (!BlankCheck(p[k]))
            {
               continue;
            }
            if (firstBlank < 0)
            {
               firstBlank = k;
            }
            if (WidthGet(style, p, k) <= remaining)
            {
               piece = k;
               break;
            }
         }
         if (piece < 0 && !lineEmpty)
         {
            // The rest starts on the next line.
            piece = 0;
         }
         else if (piece < 0)
         {
            // One word wider than the line: cut it between characters.
            i32 k = firstBlank >= 0 && firstBlank < cut ? firstBlank : cut;
            while (k > 0 && WidthGet(style, p, k) > remaining)
            {
               k = CharacterPreviousGet(p, k);
            }
            // Narrower than one character: still one per line, or the text would never end.
            piece = k > 0 ? k : CharacterNextGet(p, 0, n);
         }
         pieceBox = Measure(style, p, piece);
      }
      if (piece > 0)
      {
         LabelPlace(style, p, piece, pieceBox);
         p += piece;
      }
   }
}

void Layout::SpritePlace(const char* animationName, const Style& style)
{
   SpriteWidget* sprite = MemoryNew<SpriteWidget>(HEAP_DEFAULT);
   if (!sprite)
   {
      WarningPrintf("TextDocumentWidget::TextProcess -- unable to allocate a sprite\n");
      return;
   }
   // Its parent is known from here on, so the animation comes from the ancestors' sprite resource.
   sprite->InitWithoutSpecification(nullptr, container);
   sprite->AnimationSet(nullptr, animationName);
   Box2F bounds = sprite->AnimationBoundsGet();
   Box2F box;
   box.x = std::floor(bounds.x);
   box.y = std::floor(bounds.y);
   box.width = std::ceil(bounds.x + bounds.width) - box.x;
   box.height = std::ceil(bounds.y + bounds.height) - box.y;
   sprite->BoundsSet(box);
   if (box.width > remaining && !lineEmpty)
   {
      LineStart(style);
   }
   ItemAdd(sprite, box.width);
}

void Layout::LinesArrange()
{
   i32 flags = document->TextAlignmentGet();
   Box2F view = clip->ClipAreaGet();
   float width = 0.0f;
   float baseline = 0.0f;
   float previousDescent = 0.0f;
   float previousLineHeight = 0.0f;
   for (i32 i = 0; i < document->lines.count; i++)
   {
      TextDocumentLine* current = document->lines[i];
      float x = 0.0f;
      if (flags & TEXT_DOCUMENT_ALIGN_CENTER_X)
      {
         x = (view.width - current->width) * 0.5f;
      }
      else if (flags & TEXT_DOCUMENT_ALIGN_RIGHT)
      {
         x = view.width - current->width;
      }
      float ascent = 0.0f;
      float descent = 0.0f;
      float lineHeight = 0.0f;
      for (i32 j = 0; j < current->items.count; j++)
      {
         Widget* item = current->items[j];
         Box2F box = item->BoundsGet();
         float up = -box.y;
         float down = box.y + box.height;
         if (j == 0 || up > ascent)
         {
            ascent = up;
         }
         if (j == 0 || down > descent)
         {
            descent = down;
         }
         LabelWidget* label = dynamic_cast<LabelWidget*>(item);
         Font* font = label ? label->FontGet() : nullptr;
         if (font)
         {
            float spacing = font->lineSpacing * label->TextScaleGet().y;
            if (spacing > lineHeight)
            {
               lineHeight = spacing;
            }
         }
      }
      float nearer = lineHeight < previousLineHeight ? lineHeight : previousLineHeight;
      float advance = ascent + previousDescent;
      if (nearer > advance)
      {
         advance = nearer;
      }
      if (current->items.count == 0 && current->height > advance)
      {
         advance = current->height;
      }
      baseline += advance;
      for (i32 j = 0; j < current->items.count; j++)
      {
         Widget* item = current->items[j];
         Box2F box = item->BoundsGet();
         item->PositionSet(Point2F{x - box.x, baseline});
         x += box.width;
      }
      if (x > width)
      {
         width = x;
      }
      previousDescent = descent;
      previousLineHeight = lineHeight;
   }
   float height = baseline + previousDescent;
   if (view.height > height)
   {
      float offset = 0.0f;
      if (flags & TEXT_DOCUMENT_ALIGN_CENTER_Y)
      {
         offset = std::floor((view.height - height) * 0.5f);
      }
      else if (flags & TEXT_DOCUMENT_ALIGN_BOTTOM)
      {
         offset = std::floor(view.height - height);
      }
      if (offset != 0.0f)
      {
         for (i32 i = 0; i < document->lines.count; i++)
         {
            TextDocumentLine* current = document->lines[i];
            for (i32 j = 0; j < current->items.count; j++)
            {
               Point2F at = current->items[j]->PositionGet();
               current->items[j]->PositionSet(Point2F{at.x, at.y + offset});
            }
         }
      }
      height += offset;
   }
   document->contentWidth = width;
   document->contentHeight = height;
   container->IndexBuild();
}

// Recognises a tag at the '<' at, given which switches are open; a tag without its closing '>'
// is text. On success the argument is [*argument, *argumentEnd) and *next follows the tag.
TagKind TagMatch(const char* at, const char* end, bool fontOpen, bool scaleOpen, bool colorOpen,
                 const char** argument, const char** argumentEnd, const char** next)
{
   struct Opener
   {
      const char* tag;
      TagKind kind;
      bool allowed;
   };
   const Opener openers[] = {{"<Font=", TAG_FONT_OPEN, !fontOpen},
                             {"<TextScale=", TAG_SCALE_OPEN, !scaleOpen},
                             {"<TextColor=", TAG_COLOR_OPEN, !colorOpen},
                             {"<Sprite=", TAG_SPRITE, true}};
   for (const Opener& opener : openers)
   {
      if (!opener.allowed || !PrefixCheck(at, end, opener.tag))
      {
         continue;
      }
      const char* start = at + std::strlen(opener.tag);
      const char* close = static_cast<const char*>(std::memchr(start, '>', static_cast<size_t>(end - start)));
      if (!close)
      {
         return TAG_NONE;
      }
      *argument = start;
      *argumentEnd = close;
      *next = close + 1;
      return opener.kind;
   }
   const Opener closers[] = {{"</Font>", TAG_FONT_CLOSE, fontOpen},
                             {"</TextScale>", TAG_SCALE_CLOSE, scaleOpen},
                             {"</TextColor>", TAG_COLOR_CLOSE, colorOpen}};
   for (const Opener& closer : closers)
   {
      if (closer.allowed && PrefixCheck(at, end, closer.tag))
      {
         *argument = nullptr;
         *argumentEnd = nullptr;
         *next = at + std::strlen(closer.tag);
         return closer.kind;
      }
   }
   return TAG_NONE;
}

// Copies a tag argument into buffer (limit + 1 bytes), cut to limit bytes with a log line.
void ArgumentCopy(char* buffer, i32 limit, const char* argument, const char* argumentEnd, const char* format)
{
   i32 length = static_cast<i32>(argumentEnd - argument);
   bool tooLong = length > limit;
   if (tooLong)
   {
      length = limit;
   }
   std::memcpy(buffer, argument, static_cast<size_t>(length));
   buffer[length] = '\0';
   if (tooLong)
   {
      WarningPrintf(format, buffer, limit + 1);
   }
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Content container

void TextDocumentWidgetContentContainer::InitWithoutSpecification(const char* widgetName,
                                                                  Widget* parentWidget)
{
   ContainerWidget::InitWithoutSpecification(widgetName, parentWidget);
   children.allocator = allocatorDefault;
   bottomIndex = Table<IndexEntry>(allocatorDefault);
   topIndex = Table<IndexEntry>(allocatorDefault);
   childrenDrawOrderReverse = 0;
}

void TextDocumentWidgetContentContainer::Deinit()
{
   bottomIndex = Table<IndexEntry>(allocatorDefault);
   topIndex = Table<IndexEntry>(allocatorDefault);
   ContainerWidget::Deinit();
}

void TextDocumentWidgetContentContainer::IndexBuild()
{
   bottomIndex.SizeSet(0);
   topIndex.SizeSet(0);
   i32 n = children.count;
   bottomIndex.Reserve(n);
   topIndex.Reserve(n);
   if (n == 0)
   {
      return;
   }
   for (i32 i = 0; i < n; i++)
   {
      Widget* child = children[i];
      if (!child)
      {
         continue;
      }
      float top = child->PositionGet().y + child->BoundsGet().y;
      float bottom = top + child->BoundsGet().height;
      bottomIndex.Insert(IndexEntry{bottom, i}, bottomIndex.count);
      topIndex.Insert(IndexEntry{top, i}, topIndex.count);
   }
   auto less = [](const IndexEntry& a, const IndexEntry& b)
   { return a.y < b.y || (a.y == b.y && a.child < b.child); };
   bottomIndex.Sort(less);
   topIndex.Sort(less);

   // Thinned so that both the edges and the child indexes rise along each index.
   i32 limit = n - 1;
   i32 kept = bottomIndex.count - 1;
   for (i32 i = bottomIndex.count - 2; i >= 0; i--)
   {
      if (bottomIndex[i].child <= limit)
      {
         limit = bottomIndex[i].child;
         bottomIndex[--kept] = bottomIndex[i];
      }
   }
   if (kept > 0)
   {
      for (i32 i = kept; i < bottomIndex.count; i++)
      {
         bottomIndex[i - kept] = bottomIndex[i];
      }
      bottomIndex.SizeSet(bottomIndex.count - kept);
   }
   limit = 0;
   kept = topIndex.count > 0 ? 1 : 0;
   for (i32 i = 1; i < topIndex.count; i++)
   {
      if (topIndex[i].child >= limit)
      {
         limit = topIndex[i].child;
         topIndex[kept++] = topIndex[i];
      }
   }
   topIndex.SizeSet(kept);
}

void TextDocumentWidgetContentContainer::Draw()
{
   if (!VisibleCheck())
   {
      return;
   }
   Widget::Draw();
   i32 n = children.count;
   if (n == 0 || bottomIndex.count == 0 || topIndex.count == 0)
   {
      return;
   }
   Box2F visible = ClipAreaEffectiveGet(false);
   float top = visible.y;
   float bottom = visible.y + visible.height;

   // The first child that can reach the band: after the last one that ends above it.
   i32 firstPosition = 0;
   for (i32 i = bottomIndex.count - 1; i >= 0; i--)
   {
      if (bottomIndex[i].y < top)
      {
         firstPosition = i + 1;
         break;
      }
   }
   // The last child that can reach the band: before the first one that starts below it.
   i32 lastPosition = topIndex.count - 1;
   for (i32 i = 0; i < topIndex.count; i++)
   {
      if (topIndex[i].y > bottom)
      {
         lastPosition = i - 1;
         break;
      }
   }
   firstPosition = firstPosition >= bottomIndex.count ? bottomIndex.count - 1 : firstPosition;
   lastPosition = lastPosition < 0 ? 0 : lastPosition;
   i32 first = bottomIndex[firstPosition].child;
   i32 last = topIndex[lastPosition].child;
   first = first < 0 ? 0 : (first > n - 1 ? n - 1 : first);
   last = last < 0 ? 0 : (last > n - 1 ? n - 1 : last);
   if (first > last)
   {
      return;
   }

   // A copy of the range, so that drawing may change the children safely.
   i32 count = last - first + 1;
   Widget** copy = static_cast<Widget**>(
       MemoryAllocate(static_cast<u32>(count * sizeof(Widget*)), HEAP_TEMP, MEMORY_ALIGNMENT_MIN));
   if (!copy)
   {
      WarningPrintf("TextDocumentWidgetContentContainer::Draw -- unable to copy %d children\n", count);
      return;
   }
   std::memcpy(copy, children.data + first, static_cast<size_t>(count) * sizeof(Widget*));
   GUIManager::walkDepth++;
   for (i32 i = 0; i < count; i++)
   {
      Widget* child = copy[childrenDrawOrderReverse ? count - 1 - i : i];
      if (child->removed)
      {
         continue;
      }
      child->DrawBegin();
      child->Draw();
      child->DrawEnd();
   }
   GUIManager::walkDepth--;
   MemoryFree(copy);
}

// ---------------------------------------------------------------------------------------------
// Document

void TextDocumentWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("TextDocument", &WidgetCreate<TextDocumentWidget>);
}

TextDocumentWidget::~TextDocumentWidget()
{
   // Only a document destroyed without its Deinit still holds these.
   for (i32 i = 0; i < lines.count; i++)
   {
      MemoryDelete(lines[i]);
   }
   lines.SizeSet(0);
   SourcesFree();
}

void TextDocumentWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   contentContainer = nullptr;
   ScrollBoxWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   if (clipContainer)
   {
      contentContainer = MemoryNew<TextDocumentWidgetContentContainer>(HEAP_DEFAULT);
      if (contentContainer)
      {
         contentContainer->InitWithoutSpecification("Dynamic", clipContainer);
         clipContainer->ChildAddFirst(contentContainer);
      }
      else
      {
         WarningPrintf("TextDocumentWidget::Init -- unable to allocate the content of \"%s\"\n",
                       NameGet() ? NameGet() : "");
      }
   }
   contentWidth = 0.0f;
   contentHeight = 0.0f;

   const char* typeName = TypeNameGet();
   i32 alignment = TextAlignmentDefaultGet();
   const char* alignmentName = specification->ItemGet("TextAlignment")->StringValueGet();
   if (alignmentName)
   {
      i32 found = LabelWidget::TextAlignmentFind(alignmentName);
      if (found < 0)
      {
         WarningPrintf("%s::Init -- Invalid text alignment \"%s\" in widget \"%s\"\n", typeName,
                       alignmentName, NameGet() ? NameGet() : "");
      }
      else
      {
         alignment = found;
      }
   }
   TextAlignmentSet(alignment);

   const Point2F one{1.0f, 1.0f};
   Point2F scale;
   specification->Point2FGet(&scale, "TextScale", &one, typeName, NameGet(), false);
   textScaleFactor = one;
   TextScaleSet(scale);
   ColorRGBA8 color;
   specification->ColorRGBA8Get(&color, "TextColor", &colorWhite, typeName, NameGet(), false);
   TextColorSet(color);

   // The last source given decides the text.
   const char* source = specification->ItemGet("Text")->StringValueGet();
   if (source)
   {
      TextSet(source);
   }
   source = specification->ItemGet("TextKey")->StringValueGet();
   if (source)
   {
      TextKeySet(source);
   }
   source = specification->ItemGet("TextExpression")->StringValueGet();
   if (source)
   {
      TextExpressionSet(source);
   }
   source = specification->ItemGet("TextFilename")->StringValueGet();
   if (source)
   {
      TextFilenameSet(source);
   }
}

void TextDocumentWidget::Deinit()
{
   LayoutClear();
   lines = Table<TextDocumentLine*>(allocatorDefault);
   SourcesFree();
   contentContainer = nullptr;
   ScrollBoxWidget::Deinit();
}

void TextDocumentWidget::SourcesFree()
{
   MemoryFree(text);
   text = nullptr;
   MemoryFree(textKey);
   textKey = nullptr;
   MemoryFree(textExpression);
   textExpression = nullptr;
   MemoryFree(textFilename);
   textFilename = nullptr;
}

void TextDocumentWidget::TextStore(const char* newText)
{
   char* copy = newText ? StringDuplicate(newText, HEAP_DEFAULT) : nullptr;
   MemoryFree(text);
   text = copy;
}

void TextDocumentWidget::TextSet(const char* newText)
{
   // Copied first: the argument may be the text being replaced.
   char* copy = newText ? StringDuplicate(newText, HEAP_DEFAULT) : nullptr;
   LayoutClear();
   SourcesFree();
   text = copy;
   TextProcess();
}

// Key, expression and file name are alternative sources of the text: setting one (source names
// which) drops the other two.
void TextDocumentWidget::SourceSet(char*& source, const char* value)
{
   char* copy = value ? StringDuplicate(value, HEAP_DEFAULT) : nullptr;
   LayoutClear();
   MemoryFree(textKey);
   MemoryFree(textExpression);
   MemoryFree(textFilename);
   textKey = nullptr;
   textExpression = nullptr;
   textFilename = nullptr;
   source = copy;
   if (copy)
   {
      TextsRefresh();
      return;
   }
   TextStore(nullptr);
   TextProcess();
}

void TextDocumentWidget::TextKeySet(const char* key)
{
   SourceSet(textKey, key);
}

void TextDocumentWidget::TextExpressionSet(const char* expression)
{
   SourceSet(textExpression, expression);
}

void TextDocumentWidget::TextFilenameSet(const char* fileName)
{
   SourceSet(textFilename, fileName);
}

void TextDocumentWidget::AreaSet(const Box2F& area)
{
   PositionSet(Point2F{area.x, area.y});
   if (clipContainer)
   {
      clipContainer->ClipAreaSet(Box2F{0.0f, 0.0f, area.width, area.height});
   }
   TextsRefresh();
}

void TextDocumentWidget::TextAlignmentSet(i32 flags)
{
   textAlignment = flags;
   TextProcess();
}

void TextDocumentWidget::TextScaleSet(const Point2F& scale)
{
   textScale = scale;
   TextProcess();
}

void TextDocumentWidget::TextScaleFactorSet(const Point2F& factor)
{
   textScaleFactor = factor;
   TextProcess();
}

void TextDocumentWidget::TextColorSet(const ColorRGBA8& color)
{
   textColor = color;
   TextProcess();
}

void TextDocumentWidget::TextsRefresh()
{
   ScrollBoxWidget::TextsRefresh();
   if (TextKeyUsedCheck() && textKey)
   {
      TextStore(textManager.TextGet(textKey));
      TextProcess();
      return;
   }
   if (TextExpressionUsedCheck() && GUIManager::scriptingEnabled && textExpression)
   {
      ScriptManager::Executef("LuaVar.TextDocumentWidgetTempString=%s", textExpression);
      TextStore(ScriptManager::LuaVarGet("TextDocumentWidgetTempString"));
      TextProcess();
      ScriptManager::TableFieldClear("LuaVar", "TextDocumentWidgetTempString");
      return;
   }
   const char* languageFolder = LanguageFolderGet();
   if (TextFilenameUsedCheck() && textFilename && fileManagerResource && languageFolder)
   {
      char path[TEXT_FILE_PATH_SIZE];
      if (!NultSnprintf(path, sizeof(path), "Text/%s/%s.txt", languageFolder, textFilename))
      {
         return;
      }
      // A document not translated yet is read in English.
      if (!fileManagerResource->FileCheck(path) &&
          !NultSnprintf(path, sizeof(path), "Text/%s/%s.txt", TextManager::LanguageNameGet(0), textFilename))
      {
         return;
      }
      // A missing document (logged by the read) shows nothing rather than the text before it.
      char* contents =
          fileManagerResource->FileTextGet(path, nullptr, MEMORY_ALIGNMENT_MIN, HEAP_TEMP, HEAP_TEMP);
      TextStore(contents);
      TextProcess();
      if (contents)
      {
         fileManagerResource->FileTextFree(contents);
      }
   }
}

void TextDocumentWidget::LayoutClear()
{
   if (contentContainer)
   {
      contentContainer->ChildrenRemoveAll();
      contentContainer->IndexBuild();
   }
   for (i32 i = 0; i < lines.count; i++)
   {
      MemoryDelete(lines[i]);
   }
   lines.SizeSet(0);
   contentWidth = 0.0f;
   contentHeight = 0.0f;
}

void TextDocumentWidget::TextProcess()
{
   LayoutClear();
   if (!contentContainer || !clipContainer)
   {
      return;
   }
   Font* defaultFont = FontGet();
   if (!defaultFont)
   {
      WarningPrintf("TextDocumentWidget::TextProcess -- Unable to get default font.\n");
      return;
   }
   const Point2F base{textScale.x * textScaleFactor.x, textScale.y * textScaleFactor.y};
   if (!text)
   {
      return;
   }
   u32 length = static_cast<u32>(std::strlen(text));
   bool blank = true;
   for (u32 i = 0; i < length && blank; i++)
   {
      blank = BlankCheck(text[i]);
   }
   if (blank || !UTF8Truncate(text, length + 1))
   {
      return;
   }
   char* pieceBuffer = static_cast<char*>(MemoryAllocate(length + 1, HEAP_TEMP, MEMORY_ALIGNMENT_MIN));
   if (!pieceBuffer)
   {
      WarningPrintf("TextDocumentWidget::TextProcess -- unable to allocate %u bytes\n", length + 1);
      return;
   }

   Layout layout(this, pieceBuffer);
   Style style{defaultFont, base, textColor};
   layout.LineStart(style);
   bool fontOpen = false;
   bool scaleOpen = false;
   bool colorOpen = false;
   bool afterBreak = true;
   const char* end = text + length;
   const char* p = text;
   char argument[NAME_ARGUMENT_LIMIT + 1];
   while (true)
   {
      const char* segmentEnd = p;
      const char* next = end;
      const char* argumentStart = nullptr;
      const char* argumentEnd = nullptr;
      TagKind tag = TAG_NONE;
      bool lineBreak = false;
      for (; segmentEnd < end; segmentEnd++)
      {
         if (*segmentEnd == '\r' || *segmentEnd == '\n')
         {
            lineBreak = true;
            next = segmentEnd + 1;
            if (*segmentEnd == '\r' && next < end && *next == '\n')
            {
               next++;
            }
            break;
         }
         if (*segmentEnd == '<')
         {
            tag = TagMatch(segmentEnd, end, fontOpen, scaleOpen, colorOpen, &argumentStart, &argumentEnd,
                           &next);
            if (tag != TAG_NONE)
            {
               break;
            }
         }
      }
      const Style segmentStyle = style;
      layout.WordsLayout(p, static_cast<i32>(segmentEnd - p), segmentStyle, afterBreak);
      if (segmentEnd >= end)
      {
         break;
      }
      p = next;
      if (lineBreak)
      {
         layout.LineStart(segmentStyle);
         afterBreak = true;
         continue;
      }
      afterBreak = false;
      switch (tag)
      {
      case TAG_FONT_OPEN:
      {
         ArgumentCopy(
             argument, NAME_ARGUMENT_LIMIT, argumentStart, argumentEnd,
             "TextDocumentWidget::TextProcess -- Font name \"%s\" is longer than the maximum (%d)\n");
         Font* named = FontManager::Get(argument);
         if (!named)
         {
            WarningPrintf("TextDocumentWidget::TextProcess -- Font not loaded: %s\n", argument);
            named = defaultFont;
         }
         style.font = named;
         fontOpen = true;
         break;
      }
      case TAG_FONT_CLOSE:
         style.font = defaultFont;
         fontOpen = false;
         break;
      case TAG_SCALE_OPEN:
      {
         ArgumentCopy(argument, VALUE_ARGUMENT_LIMIT, argumentStart, argumentEnd,
                      "TextDocumentWidget::TextProcess -- TextScale specification \"%s\" is longer than the "
                      "maximum (%d)\n");
         Point2F read;
         if (Point2FFromString(argument, &read))
         {
            style.scale = Point2F{read.x * textScaleFactor.x, read.y * textScaleFactor.y};
         }
         else
         {
            WarningPrintf(
                "TextDocumentWidget::TextProcess -- Incorrectly formatted text scale: %s\n   Correct "
                "format is x|y.",
                argument);
            style.scale = base;
         }
         scaleOpen = true;
         break;
      }
      case TAG_SCALE_CLOSE:
         style.scale = base;
         scaleOpen = false;
         break;
      case TAG_COLOR_OPEN:
      {
         ArgumentCopy(argument, VALUE_ARGUMENT_LIMIT, argumentStart, argumentEnd,
                      "TextDocumentWidget::TextProcess -- TextColor specification \"%s\" is longer than the "
                      "maximum (%d)\n");
         ColorRGBA8 read;
         if (ColorRGBA8FromString(argument, &read))
         {
            style.color = read;
         }
         else
         {
            WarningPrintf(
                "TextDocumentWidget::TextProcess -- Incorrectly formatted text color: %s\n   Correct "
                "format is red|green|blue|alpha.",
                argument);
            style.color = textColor;
         }
         colorOpen = true;
         break;
      }
      case TAG_COLOR_CLOSE:
         style.color = textColor;
         colorOpen = false;
         break;
      case TAG_SPRITE:
         ArgumentCopy(
             argument, NAME_ARGUMENT_LIMIT, argumentStart, argumentEnd,
             "TextDocumentWidget::TextProcess -- Sprite name \"%s\" is longer than the maximum (%d)\n");
         layout.SpritePlace(argument, segmentStyle);
         break;
      default:
         break;
      }
   }
   layout.LinesArrange();
   MemoryFree(pieceBuffer);
   Box2F view = clipContainer->ClipAreaGet();
   clipContainer->BoundsSet(
       Box2F{0.0f, 0.0f, view.width > contentWidth ? view.width : contentWidth, contentHeight});
}
} // namespace Corvale
