// The scroll box: its clip container and scroll bars, the content offset, the wheel, and scrolling
// a box of the content into view.
#include "gui/widgets/ScrollBoxWidget.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Progression.h"
#include "gui/widgets/ScrollbarWidget.h"
#include "gui/widgets/WidgetChildSprite.h"

namespace Corvale
{
namespace
{
// One axis of the least movement that shows [start, start + extent) in a view of viewExtent whose
// offset is offset, kept inside the content [contentStart, contentStart + contentExtent).
float ScrollAxisGet(float start, float extent, float viewExtent, float offset, float contentStart,
                    float contentExtent)
{
   float end = start + extent;
   float viewEnd = viewExtent + offset;
   float result;
   if (extent > viewExtent)
   {
      result = viewEnd > end ? end - viewExtent : (start > offset ? start : offset);
   }
   else if (extent < viewExtent)
   {
      result = end > viewEnd ? end - viewExtent : (offset > start ? start : offset);
   }
   else
   {
      result = start;
   }
   float high = contentStart + contentExtent - viewExtent;
   if (result > high)
   {
      result = high;
   }
   return result < contentStart ? contentStart : result;
}
} // namespace

void ScrollBoxClipContainerWidget::BoundsSet(const Box2F& box)
{
   ContainerWidget::BoundsSet(box);
   ScrollBoxWidget* owner = dynamic_cast<ScrollBoxWidget*>(ParentGet());
   if (owner)
   {
      owner->LayoutUpdate();
   }
}

void ScrollBoxClipContainerWidget::ClipAreaSet(const Box2F& box)
{
   ContainerWidget::ClipAreaSet(box);
   ScrollBoxWidget* owner = dynamic_cast<ScrollBoxWidget*>(ParentGet());
   if (owner)
   {
      owner->LayoutUpdate();
   }
}

char* ScrollBoxClipContainerWidget::EventHandlerTableBuild(i32 spareLength)
{
   Widget* owner = ParentGet();
   if (!owner)
   {
      ErrorPrintf("%s::EventHandlerTableBuild parent not defined for widget \"%s\".", TypeNameGet(),
                  NameGet() ? NameGet() : "");
   }
   return owner->EventHandlerTableBuild(spareLength);
}

i32 ScrollBoxClipContainerWidget::PageStepGet()
{
   if (ChildCountGet() == 0)
   {
      return 0;
   }
   const i32 clipHeight = static_cast<i32>(ClipAreaGet().height);
   if (clipHeight == 0)
   {
      return 0;
   }
   const i32 childHeight = static_cast<i32>(ChildGetAt(0)->BoundsGet().height);
   // Children less than a unit high would divide by zero; a page is then one step.
   if (childHeight <= 0)
   {
      return 1;
   }
   const i32 step = clipHeight / childHeight - 1;
   return step < 1 ? 1 : step;
}

void ScrollBoxWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("ScrollBox", &WidgetCreate<ScrollBoxWidget>);
}

ScrollBoxWidget::ScrollBoxWidget()
{
   scrollMotion.curve = &progressionLinear;
}

ScrollBoxWidget::~ScrollBoxWidget()
{
   // Only a box destroyed without its Deinit still owns its sprite here.
   WidgetChildSprite::Destroy(&backgroundSprite);
}

ScrollbarWidget* ScrollBoxWidget::ScrollbarCreate(const char* key, const JSONValue* specification,
                                                  bool vertical)
{
   const JSONValue* item = specification->ItemGet(key);
   if (item->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   ScrollbarWidget* bar = MemoryNew<ScrollbarWidget>(HEAP_DEFAULT);
   if (!bar)
   {
      WarningPrintf("ScrollBoxWidget::Init -- unable to allocate \"%s\"\n", key);
      return nullptr;
   }
   bar->Init(key, this, item, vertical);
   ChildAddLast(bar);
   return bar;
}

void ScrollBoxWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   backgroundSprite = nullptr;
   verticalScrollbar = nullptr;
   horizontalScrollbar = nullptr;
   clipContainer = nullptr;
   ContainerWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   backgroundSprite = WidgetChildSprite::Create("BackgroundSprite", specification, this);
   ChildrenCapacitySet(3);

   const JSONValue* item = specification->ItemGet("ClipContainer");
   if (item->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      // Every scroll box needs its content window; the data check guards our own layer files.
      if (NameGet())
      {
         ErrorPrintf("%s::Init -- Missing \"ClipContainer\" for widget \"%s\"\n", TypeNameGet(), NameGet());
      }
      ErrorPrintf("%s::Init -- Missing \"ClipContainer\"\n", TypeNameGet());
   }
   ScrollBoxClipContainerWidget* container = MemoryNew<ScrollBoxClipContainerWidget>(HEAP_DEFAULT);
   if (!container)
   {
      ErrorPrintf("%s::Init -- unable to allocate the clip container\n", TypeNameGet());
   }
   container->Init("ClipContainer", this, item);
   ChildAddLast(container);
   clipContainer = container;

   verticalScrollbar = ScrollbarCreate("VerticalScrollbar", specification, true);
   horizontalScrollbar = ScrollbarCreate("HorizontalScrollbar", specification, false);

   Box2F content = clipContainer->BoundsGet();
   ContentOffsetSet(content.x, content.y);
   LayoutUpdate();
   scrollMotion.finished = 1;
}

void ScrollBoxWidget::Deinit()
{
   WidgetChildSprite::Destroy(&backgroundSprite);
   ContainerWidget::Deinit();
   verticalScrollbar = nullptr;
   horizontalScrollbar = nullptr;
   clipContainer = nullptr;
}

void ScrollBoxWidget::Update(u32 elapsed)
{
   if (backgroundSprite)
   {
      backgroundSprite->Update(elapsed);
   }
   if (!scrollMotion.finished)
   {
      if (scrollMotion.active)
      {
         scrollMotion.elapsed += elapsed;
         if (scrollMotion.elapsed >= scrollMotion.end)
         {
            scrollMotion.finished = 1;
         }
      }
      float t = scrollMotion.ProgressGet();
      ContentOffsetSet(scrollMotion.from.x * (1.0f - t) + scrollMotion.to.x * t,
                       scrollMotion.from.y * (1.0f - t) + scrollMotion.to.y * t);
   }
   ContainerWidget::Update(elapsed);
}

void ScrollBoxWidget::Draw()
{
   BackdropAndChildrenDraw(backgroundSprite);
}

bool ScrollBoxWidget::PixelTest(const Point2F& point)
{
   return BackdropPixelTest(backgroundSprite, point);
}

void ScrollBoxWidget::OnMouseScroll(i32 notches)
{
   if (notches == 0 || !clipContainer)
   {
      return;
   }
   Box2F content = clipContainer->BoundsGet();
   Box2F clip = clipContainer->ClipAreaGet();
   Point2F offset = ContentOffsetGet();
   float low = content.y < 0.0f ? content.y : 0.0f;
   float contentEnd = content.y + content.height - clip.height;
   float high = contentEnd > 0.0f ? contentEnd : 0.0f;
   float y = static_cast<float>(offset.y + MouseScrollCoefficientGet() * (notches * -30.0));
   if (y > high)
   {
      y = high;
   }
   if (y < low)
   {
      y = low;
   }
   ContentOffsetSet(offset.x, y);
   LayoutUpdate();
}

Widget* ScrollBoxWidget::DescendantGetByPath(const char* path)
{
   return clipContainer ? clipContainer->DescendantGetByPath(path) : nullptr;
}

void ScrollBoxWidget::LayoutUpdate()
{
   if (!clipContainer)
   {
      return;
   }
   Box2F content = clipContainer->BoundsGet();
   Box2F clip = clipContainer->ClipAreaGet();
   Point2F offset = ContentOffsetGet();
   auto barUpdate = [](ScrollbarWidget* bar, float start, float extent, float view, float at)
   {
      if (!bar)
      {
         return;
      }
      float end = start + extent - view;
      bar->MinimumSet(start < 0.0f ? start : 0.0f);
      bar->MaximumSet(end > 0.0f ? end : 0.0f);
      bar->ValueSet(at, false);
      bool needed = view < extent;
      bar->VisibleSet(needed);
      bar->EnabledSet(needed);
   };
   barUpdate(verticalScrollbar, content.y, content.height, clip.height, offset.y);
   barUpdate(horizontalScrollbar, content.x, content.width, clip.width, offset.x);
}

void ScrollBoxWidget::ContentOffsetSet(float x, float y)
{
   if (!clipContainer)
   {
      return;
   }
   Box2F clip = clipContainer->ClipAreaGet();
   clipContainer->PositionSet(Point2F{clip.x - x, clip.y - y});
   LayoutUpdate();
}

Point2F ScrollBoxWidget::ContentOffsetGet()
{
   if (!clipContainer)
   {
      return Point2F{0.0f, 0.0f};
   }
   Box2F clip = clipContainer->ClipAreaGet();
   Point2F at = clipContainer->PositionGet();
   return Point2F{clip.x - at.x, clip.y - at.y};
}

bool ScrollBoxWidget::ScrollOffsetForBox(float x, float y, float width, float height, Point2F* offset)
{
   if (!clipContainer || width == 0.0f || height == 0.0f)
   {
      return false;
   }
   Box2F content = clipContainer->BoundsGet();
   bool inside = x >= content.x && y >= content.y && x + width <= content.x + content.width &&
                 y + height <= content.y + content.height;
   if (!inside)
   {
      return false;
   }
   Box2F clip = clipContainer->ClipAreaGet();
   Point2F current = ContentOffsetGet();
   offset->x = ScrollAxisGet(x, width, clip.width, current.x, content.x, content.width);
   offset->y = ScrollAxisGet(y, height, clip.height, current.y, content.y, content.height);
   return true;
}

void ScrollBoxWidget::ScrollToShow(float x, float y, float width, float height)
{
   Point2F target;
   if (ScrollOffsetForBox(x, y, width, height, &target))
   {
      ContentOffsetSet(target.x, target.y);
   }
}

void ScrollBoxWidget::ScrollToShowAnimated(float x, float y, float width, float height, u32 duration,
                                           const Progression* curve)
{
   Point2F target;
   if (!ScrollOffsetForBox(x, y, width, height, &target))
   {
      return;
   }
   scrollMotion.MotionStart(0, duration, ContentOffsetGet(), target, curve);
   // A zero duration still moves on the next Update rather than never.
   scrollMotion.active = 1;
   scrollMotion.finished = 0;
   scrollMotion.elapsed = 0;
}
} // namespace Corvale
