// The item list selector: the scroll box or plain container holding the items, their layout in a
// column or row, and the cursor's glide and bob.
#include "gui/widgets/ItemListSelectorWidget.h"

#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Progression.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/ScrollBoxWidget.h"
#include "gui/widgets/SelectorItemWidget.h"
#include "gui/widgets/SpriteWidget.h"

namespace Corvale
{
namespace
{
// Milliseconds from a number, or 0 and 1 from a bool; nothing else is a duration.
u32 DurationRead(const JSONValue* specification, const char* key)
{
   const JSONValue* item = specification->ItemGet(key);
   if (item->TypeGet() == JSONValue::TYPE_BOOL)
   {
      return item->BoolValueGet() ? 1u : 0u;
   }
   double number;
   specification->DoubleGet(&number, key, 0.0);
   // Clamped before the conversion: a negative, huge or NaN duration would be undefined.
   if (!(number > 0.0))
   {
      return 0;
   }
   return number >= 4294967295.0 ? 4294967295u : static_cast<u32>(number);
}

// Advances a track the way every cursor track runs: finished once the elapsed time reaches its end.
void TrackAdvance(ProgressionTrack* track, u32 elapsed)
{
   if (track->active && !track->finished)
   {
      track->elapsed += elapsed;
      if (track->elapsed >= track->end)
      {
         track->finished = 1;
      }
   }
}

float Clamp01(float value)
{
   return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}

// The least of high and value, then the greatest of low and that: low wins when the range is empty.
float ClampLowWins(float value, float low, float high)
{
   value = value > high ? high : value;
   return value < low ? low : value;
}
} // namespace

void ItemListSelectorWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("ItemListSelector", &WidgetCreate<ItemListSelectorWidget>);
}

void ItemListSelectorWidget::Init(const char* widgetName, Widget* parentWidget,
                                  const JSONValue* specification)
{
   scrollBox = nullptr;
   itemContainer = nullptr;
   cursor = nullptr;
   SelectorWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const char* typeName = TypeNameGet();
   const Point2F zero{0.0f, 0.0f};
   specification->Point2FGet(&itemSpacing, "ItemSpacing", &zero, typeName, name, false);
   specification->Point2FGet(&cursorOffsetFromItem, "CursorOffsetFromItem", &zero, typeName, name, false);
   u32 positionDuration = DurationRead(specification, "CursorPositionTransitionDuration");
   u32 bobbingDuration = DurationRead(specification, "CursorBobbingTransitionDuration");
   specification->Point2FGet(&cursorBobbingOffset, "CursorBobbingTransitionOffset", &zero, typeName, name,
                             false);
   const char* positioning = specification->ItemGet("ItemPositioningType")->StringValueGet();
   vertical = positioning && std::strcmp(positioning, "Horizontal") == 0 ? 0 : 1;

   ContainerWidget* content = this;
   const JSONValue* item = specification->ItemGet("ScrollBox");
   if (item->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      scrollBox = MemoryNew<ScrollBoxWidget>(HEAP_DEFAULT);
      if (scrollBox)
      {
         scrollBox->Init("ScrollBox", this, item);
         ChildAddLast(scrollBox);
         content = scrollBox->ClipContainerGet();
      }
   }
   else
   {
      // Without a scroll box the list still works, unscrolled, with its items in the selector.
      WarningPrintf("ItemListSelectorWidget::Init -- Missing ScrollBox definition.\n");
   }

   itemContainer = MemoryNew<RadioButtonContainerWidget>(HEAP_DEFAULT);
   if (!ItemsContainerAttach(itemContainer, content))
   {
      return;
   }

   // Started finished, so the first item chosen below finds the cursor at rest.
   cursorPositionTrack.MotionStart(0, positionDuration, zero, zero, &progressionSmooth);
   cursorPositionTrack.finished = 1;
   ItemsAddLast(specification->ItemGet("Items"));

   item = specification->ItemGet("CursorSprite");
   if (item->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      cursor = MemoryNew<SpriteWidget>(HEAP_DEFAULT);
      if (cursor)
      {
         cursor->Init("CursorSprite", content, item);
         content->ChildAddLast(cursor);
         // The first item was chosen before the cursor existed.
         cursor->VisibleSet(selection != nullptr);
      }
   }
   cursorBobbingTrack.MotionStart(0, bobbingDuration, zero, cursorBobbingOffset, &progressionSmooth);
   ItemsLayout();
}

void ItemListSelectorWidget::Deinit()
{
   scrollBox = nullptr;
   itemContainer = nullptr;
   cursor = nullptr;
   SelectorWidget::Deinit();
}

ContainerWidget* ItemListSelectorWidget::ItemsContainerGet()
{
   return itemContainer;
}

void ItemListSelectorWidget::Update(u32 elapsed)
{
   SelectorWidget::Update(elapsed);
   TrackAdvance(&cursorPositionTrack, elapsed);
   TrackAdvance(&cursorBobbingTrack, elapsed);
   if (cursorBobbingTrack.finished && cursorBobbingTrack.end > 0)
   {
      // Bobbing loops; without a duration it stays finished, the cursor still.
      cursorBobbingTrack.finished = 0;
      cursorBobbingTrack.elapsed = 0;
   }
   ItemsLayout();
}

void ItemListSelectorWidget::ItemsLayout()
{
   if (!itemContainer)
   {
      return;
   }
   i32 count = itemContainer->ChildCountGet();
   for (i32 i = 0; i < count; i++)
   {
      Widget* child = itemContainer->ChildGetAt(i);
      if (i == 0)
      {
         child->PositionSet(Point2F{0.0f, 0.0f});
         continue;
      }
      Box2F box = child->BoundsGet();
      Point2F step = vertical ? Point2F{0.0f, box.height} : Point2F{box.width, 0.0f};
      float at = static_cast<float>(i);
      child->PositionSet(Point2F{at * (itemSpacing.x + step.x), at * (itemSpacing.y + step.y)});
   }

   if (!cursor || !selection)
   {
      return;
   }
   float t = cursorPositionTrack.ProgressGet();
   const Point2F& from = cursorPositionTrack.from;
   const Point2F& to = cursorPositionTrack.to;
   float u = Clamp01(cursorBobbingTrack.ProgressGet());
   // The quadratic curve through (0, 0), the offset and (0, 0): half the offset at its middle.
   float swing = 2.0f * u * (1.0f - u);
   cursor->PositionSet(
       Point2F{cursorOffsetFromItem.x + from.x * (1.0f - t) + to.x * t + cursorBobbingOffset.x * swing,
               cursorOffsetFromItem.y + from.y * (1.0f - t) + to.y * t + cursorBobbingOffset.y * swing});
}

void ItemListSelectorWidget::SelectionSet(SelectorItemWidget* item, bool byUser)
{
   SelectorItemWidget* previous = selection;
   SelectorWidget::SelectionSet(item, byUser);
   SelectorItemWidget* chosen = selection;
   if (!chosen)
   {
      if (cursor)
      {
         cursor->VisibleSet(false);
      }
      return;
   }
   if (cursor)
   {
      cursor->VisibleSet(true);
   }
   Point2F to = chosen->PositionGet();
   Point2F from = previous ? previous->PositionGet() : to;
   u32 duration = cursorPositionTrack.end - cursorPositionTrack.start;
   cursorPositionTrack.MotionStart(0, duration, from, to, &progressionSmooth);

   ScrollBoxClipContainerWidget* clip = scrollBox ? scrollBox->ClipContainerGet() : nullptr;
   if (!clip)
   {
      return;
   }
   // The view centred on the item's middle, kept inside the content.
   Box2F view = clip->ClipAreaGet();
   Box2F content = clip->BoundsGet();
   Box2F box = chosen->BoundsGet();
   float x = to.x + box.width / 2.0f - view.width / 2.0f;
   float y = to.y + box.height / 2.0f - view.height / 2.0f;
   x = ClampLowWins(x, content.x, content.x + content.width - view.width);
   y = ClampLowWins(y, content.y, content.y + content.height - view.height);
   scrollBox->ScrollToShowAnimated(x, y, view.width, view.height, duration, &progressionSmooth);
}

void ItemListSelectorWidget::TransitionsFinish()
{
   cursorPositionTrack.finished = 1;
}
} // namespace Corvale
