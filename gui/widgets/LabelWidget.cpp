// The label: its three text sources, the JSON keys it reads, fitting and bouncing the text, and
// drawing it aligned and clipped inside its text box.
#include "gui/widgets/LabelWidget.h"

#include <cmath>
#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "platform/sprite/Font.h"
#include "platform/window/Screen.h"

namespace Corvale
{
namespace
{
struct AlignmentName
{
   const char* name;
   i32 value;
};

const AlignmentName alignmentNames[] = {
    {"TopLeft", TEXT_ALIGNMENT_TOP_LEFT},        {"Top", TEXT_ALIGNMENT_TOP},
    {"TopRight", TEXT_ALIGNMENT_TOP_RIGHT},      {"Left", TEXT_ALIGNMENT_LEFT},
    {"Center", TEXT_ALIGNMENT_CENTER},           {"Right", TEXT_ALIGNMENT_RIGHT},
    {"BottomLeft", TEXT_ALIGNMENT_BOTTOM_LEFT},  {"Bottom", TEXT_ALIGNMENT_BOTTOM},
    {"BottomRight", TEXT_ALIGNMENT_BOTTOM_RIGHT}};

const ColorRGBA8 colorWhite{255, 255, 255, 255};
const ColorRGBA8 colorTextBoundsDefault{255, 0, 255, 255};

char* Copy(const char* source)
{
   return source ? StringDuplicate(source, HEAP_DEFAULT) : nullptr;
}

bool OverlapCheck(const Box2F& a, const Box2F& b)
{
   return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}
} // namespace

i32 LabelWidget::TextAlignmentFind(const char* alignmentName)
{
   if (!alignmentName)
   {
      return -1;
   }
   for (const AlignmentName& entry : alignmentNames)
   {
      if (std::strcmp(entry.name, alignmentName) == 0)
      {
         return entry.value;
      }
   }
   return -1;
}

void LabelWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("Label", &WidgetCreate<LabelWidget>);
}

LabelWidget::~LabelWidget()
{
   // A label destroyed without its Deinit still frees its strings.
   TextFormsFree();
}

void LabelWidget::TextFormsFree()
{
   MemoryFree(text);
   text = nullptr;
   MemoryFree(textKey);
   textKey = nullptr;
   MemoryFree(textExpression);
   textExpression = nullptr;
}

void LabelWidget::TextStore(const char* newText)
{
   // The new text may be the old one itself (a caller handing back TextGet).
   char* copy = Copy(newText);
   MemoryFree(text);
   text = copy;
}

void LabelWidget::LabelStateReset()
{
   TextFormsFree();
   fontMissingWarned = 0;
   textBoundsAutomatic = 1;
   textBounceX = 0;
   bouncing = 0;
   textAscentDescentMaxUse = 0;
   alignment = TextAlignmentDefaultGet();
   textBounceXSpeed = 50.0f;
   textBounceXPauseDuration = 2000;
   bounceDistance = 0;
   bounceTravelTime = 0;
   bouncePhaseEnds[0] = bouncePhaseEnds[1] = bouncePhaseEnds[2] = 0;
   bounceTime = 0;
   bounceOffset = 0;
   textBox = Box2F();
   textScale = Point2F{1.0f, 1.0f};
   textScaleDownToFit = 1;
   textColor = colorWhite;
   textBoundsDraw = 0;
   textBoundsColor = colorTextBoundsDefault;
}

void LabelWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   LabelStateReset();
   Widget::InitWithoutSpecification(widgetName, parentWidget);
   if (textBounceX)
   {
      TextBounceXUpdate();
   }
}

void LabelWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   // Reset first: Widget::Init sets the bounds through our BoundsSet, which reads the bounce flag.
   LabelStateReset();
   Widget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const char* typeName = TypeNameGet();

   const char* value = specification->ItemGet("Text")->StringValueGet();
   TextSet(value);
   value = specification->ItemGet("TextKey")->StringValueGet();
   if (value)
   {
      TextKeySet(value);
   }
   value = specification->ItemGet("TextExpression")->StringValueGet();
   if (value)
   {
      TextExpressionSet(value);
   }

   i32 alignmentRead = TextAlignmentDefaultGet();
   value = specification->ItemGet("TextAlignment")->StringValueGet();
   if (value && value[0])
   {
      i32 found = TextAlignmentFind(value);
      if (found < 0)
      {
         WarningPrintf("%s::Init -- Invalid text alignment \"%s\" in widget \"%s\"\n", typeName, value,
                       name ? name : "");
      }
      else
      {
         alignmentRead = found;
      }
   }
   TextAlignmentSet(alignmentRead);

   Box2F box;
   if (specification->Box2FTryGet("TextBounds", &box))
   {
      TextBoundsSet(box);
   }
   else
   {
      TextBoundsAutomaticSet();
   }

   bool flag;
   specification->BoolGet(&flag, "TextBounceX", false);
   TextBounceXSet(flag);
   double number;
   specification->DoubleGet(&number, "TextBounceXSpeed", 50.0);
   TextBounceXSpeedSet(static_cast<float>(number));
   specification->DoubleGet(&number, "TextBounceXPauseDuration", 2000.0);
   TextBounceXPauseDurationSet(static_cast<u32>(static_cast<i64>(number)));

   const Point2F scaleDefault{1.0f, 1.0f};
   Point2F point;
   specification->Point2FGet(&point, "TextScale", &scaleDefault, typeName, name, false);
   TextScaleSet(point);
   specification->BoolGet(&flag, "TextScaleDownToFit", true);
   TextScaleDownToFitSet(flag);

   ColorRGBA8 colorRead;
   specification->ColorRGBA8Get(&colorRead, "TextColor", &colorWhite, typeName, name, false);
   TextColorSet(colorRead);
   specification->BoolGet(&flag, "TextAscentDescentMaxUse", false);
   TextAscentDescentMaxUseSet(flag);
   specification->BoolGet(&flag, "TextBoundsDraw", false);
   TextBoundsDrawSet(flag);
   specification->ColorRGBA8Get(&colorRead, "TextBoundsColor", &colorTextBoundsDefault, typeName, name,
                                false);
   TextBoundsColorSet(colorRead);

   if (textBounceX)
   {
      TextBounceXUpdate();
   }
}

void LabelWidget::Deinit()
{
   TextFormsFree();
   Widget::Deinit();
}

void LabelWidget::TextSet(const char* newText)
{
   char* copy = Copy(newText);
   TextFormsFree();
   text = copy;
   if (textBounceX)
   {
      TextBounceXUpdate();
   }
}

void LabelWidget::TextKeySet(const char* key)
{
   char* copy = Copy(key);
   TextFormsFree();
   textKey = copy;
   // Without a key the text is gone; with one it is looked up now.
   TextsRefresh();
}

void LabelWidget::TextExpressionSet(const char* expression)
{
   char* copy = Copy(expression);
   TextFormsFree();
   textExpression = copy;
   TextsRefresh();
}

void LabelWidget::TextsRefresh()
{
   if (TextExpressionUsedCheck() && GUIManager::scriptingEnabled && textExpression)
   {
      ScriptManager::Executef("LuaVar.LabelWidgetTempString=%s", textExpression);
      TextStore(ScriptManager::LuaVarGet("LabelWidgetTempString"));
      ScriptManager::TableFieldClear("LuaVar", "LabelWidgetTempString");
   }
   else if (TextKeyUsedCheck() && textKey)
   {
      TextStore(textManager.TextGet(textKey));
   }
   TextBounceXUpdate();
}

void LabelWidget::BoundsSet(const Box2F& box)
{
   Widget::BoundsSet(box);
   if (textBounceX)
   {
      TextBounceXUpdate();
   }
}

void LabelWidget::TextBoundsSet(const Box2F& box)
{
   textBox = box;
   textBoundsAutomatic = 0;
   TextBounceXUpdate();
}

Box2F LabelWidget::TextBoundsGet()
{
   return textBoundsAutomatic ? BoundsGet() : textBox;
}

void LabelWidget::TextBounceXSet(bool on)
{
   textBounceX = on ? 1 : 0;
   if (textBounceX)
   {
      TextBounceXUpdate();
   }
}

void LabelWidget::TextBounceXSpeedSet(float pixelsPerSecond)
{
   textBounceXSpeed = pixelsPerSecond;
   if (textBounceX)
   {
      TextBounceXUpdate();
   }
}

void LabelWidget::TextBounceXPauseDurationSet(u32 milliseconds)
{
   textBounceXPauseDuration = static_cast<i32>(milliseconds);
   if (textBounceX)
   {
      TextBounceXUpdate();
   }
}

void LabelWidget::TextScaleSet(const Point2F& value)
{
   textScale = value;
   if (textBounceX)
   {
      TextBounceXUpdate();
   }
}

Box2F LabelWidget::TextExtentGet()
{
   Box2F extent;
   Font* drawingFont = FontGet();
   const char* drawn = TextDrawnGet();
   if (drawingFont && drawn)
   {
      drawingFont->TextBoundsGet(&extent, drawn, true);
   }
   return extent;
}

Point2F LabelWidget::TextScaleEffectiveGet()
{
   Point2F result = TextScaleGet();
   if (!FontGet() || !textScaleDownToFit || result.x == 0.0f || result.y == 0.0f)
   {
      return result;
   }
   Box2F box = TextBoundsGet();
   Box2F extent = TextExtentGet();
   if (box.width == 0.0f || box.height == 0.0f || extent.width <= 0.0f || extent.height <= 0.0f)
   {
      return result;
   }
   float fitX = box.width / extent.width;
   float fitY = box.height / extent.height;
   bool overX = result.x > fitX;
   bool overY = result.y > fitY;
   float factor = 1.0f;
   if (overX && overY)
   {
      float byX = fitX / result.x;
      float byY = fitY / result.y;
      factor = byX < byY ? byX : byY;
   }
   else if (overX)
   {
      factor = fitX / result.x;
   }
   else if (overY)
   {
      factor = fitY / result.y;
   }
   // One factor for both axes, so the text shrinks without changing its aspect.
   result.x *= factor;
   result.y *= factor;
   return result;
}

void LabelWidget::TextBounceXUpdate()
{
   if (!textBounceX)
   {
      return;
   }
   i32 textWidth = 0;
   Font* drawingFont = FontGet();
   const char* stored = TextGet();
   if (drawingFont && stored)
   {
      Box2F extent;
      drawingFont->TextBoundsGet(&extent, stored, true);
      textWidth = static_cast<i32>(std::ceil(extent.width * textScale.x));
   }
   Box2F box = TextBoundsGet();
   if (box.width < static_cast<float>(textWidth) && textBounceXSpeed > 0.0f)
   {
      bouncing = 1;
      bounceTime = 0;
      bounceOffset = 0;
      bounceDistance = textWidth - static_cast<i32>(box.width);
      bounceTravelTime = static_cast<i32>(static_cast<float>(bounceDistance) * 1000.0f / textBounceXSpeed);
      i32 pause = textBounceXPauseDuration;
      bouncePhaseEnds[0] = bounceTravelTime + pause;
      bouncePhaseEnds[1] = bounceTravelTime + 2 * pause;
      bouncePhaseEnds[2] = 2 * (bounceTravelTime + pause);
   }
   else
   {
      bouncing = 0;
   }
}

void LabelWidget::Update(u32 elapsed)
{
   Widget::Update(elapsed);
   i32 cycle = bouncePhaseEnds[2];
   if (!textBounceX || !bouncing || cycle <= 0 || textBounceXSpeed == 0.0f)
   {
      return;
   }
   i64 time = (static_cast<i64>(bounceTime) + elapsed) % cycle;
   bounceTime = static_cast<i32>(time);
   i64 pause = textBounceXPauseDuration;
   i64 travel = bounceTravelTime;
   i64 distance = bounceDistance;
   i64 offset;
   if (time < pause)
   {
      offset = 0;
   }
   else if (time < travel + pause)
   {
      offset = travel > 0 ? -(distance * (time - pause) / travel) : 0;
   }
   else if (time < travel + 2 * pause)
   {
      offset = -distance;
   }
   else
   {
      offset = travel > 0 ? distance * (time - (travel + 2 * pause)) / travel - distance : -distance;
   }
   bounceOffset = static_cast<i32>(offset);
}

void LabelWidget::Draw()
{
   if (!VisibleCheck())
   {
      return;
   }
   Widget::Draw();
   Box2F clip = ClipAreaEffectiveGet(false);
   Box2F box = TextBoundsGet();
   if (textBoundsDraw)
   {
      ColorRGBA8 edge = TextBoundsColorGet();
      screen.BoxFilledDraw(Box2F{box.x, box.y, 1.0f, box.height}, edge, 0.0f, &clip);
      screen.BoxFilledDraw(Box2F{box.x + box.width - 1.0f, box.y, 1.0f, box.height}, edge, 0.0f, &clip);
      screen.BoxFilledDraw(Box2F{box.x, box.y, box.width, 1.0f}, edge, 0.0f, &clip);
      screen.BoxFilledDraw(Box2F{box.x, box.y + box.height - 1.0f, box.width, 1.0f}, edge, 0.0f, &clip);
   }

   const char* drawn = TextDrawnGet();
   if (!drawn || !OverlapCheck(box, clip))
   {
      return;
   }
   Font* drawingFont = FontGet();
   if (!drawingFont)
   {
      if (!fontMissingWarned)
      {
         WarningPrintf("LabelWidget::Draw -- font is NULL for widget: %s\n", name ? name : "");
         fontMissingWarned = 1;
      }
      return;
   }
   i32 drawnAlignment = TextAlignmentDrawnGet();
   Point2F drawnScale = TextScaleEffectiveGet();
   bool bounceShown = textBounceX && bouncing && TextBounceXDrawnCheck();
   if (bounceShown)
   {
      drawnAlignment &= ~3;
   }
   Point2F at;
   drawingFont->TextPositionGet(&at, drawn, box, static_cast<u32>(drawnAlignment),
                                textAscentDescentMaxUse != 0, drawnScale);
   if (bounceShown)
   {
      at.x += static_cast<float>(bounceOffset);
   }
   Point2F displayOffset = TextOffsetDisplayGet();
   at.x = std::floor(at.x + displayOffset.x + 0.5f);
   at.y = std::floor(at.y + displayOffset.y + 0.5f);
   Box2F textClip = BoxIntersection(box, clip);
   drawingFont->TextDraw(drawn, at, &textClip, ColorMultiply(TextColorGet(), ColorGet()), drawnScale, 0.0f,
                         0.0f);
}
} // namespace Corvale
