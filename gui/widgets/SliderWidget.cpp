// The slider, its thumb and its step buttons: reading the layout, the value's notifications,
// dragging, paging on the track, and the navigation keys with their pressed look.
#include "gui/widgets/SliderWidget.h"

#include <cmath>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/input/MouseState.h"

namespace Corvale
{
namespace
{
float Dot(const Point2F& a, const Point2F& b)
{
   return a.x * b.x + a.y * b.y;
}

Point2F Minus(const Point2F& a, const Point2F& b)
{
   return Point2F{a.x - b.x, a.y - b.y};
}

// The GUI manager's navigators, one per player, read only through these questions.
i32 NavigationRecordCountGet()
{
   return GUIManager::navigators.count;
}

bool NavigationFocusCheck(i32 record, Widget* widget)
{
   Navigator* navigator = GUIManager::navigators[record];
   // The last entry of the selection is the widget the navigator is on.
   return navigator && navigator->selection.count > 0 &&
          navigator->selection.End()->previous->value == widget;
}

// The direction went down this frame or gives a repeat pulse.
bool NavigationFiredCheck(i32 record, i32 direction)
{
   Navigator* navigator = GUIManager::navigators[record];
   if (!navigator || direction < 0 || direction >= NAVIGATION_DIRECTION_COUNT)
   {
      return false;
   }
   return (navigator->directionDown[direction] && !navigator->directionWasDown[direction]) ||
          navigator->directionRepeat[direction];
}

bool NavigationHeldCheck(i32 record, i32 direction)
{
   Navigator* navigator = GUIManager::navigators[record];
   return navigator && direction >= 0 && direction < NAVIGATION_DIRECTION_COUNT &&
          navigator->directionDown[direction];
}

// The look of a slider part under the navigation records that focus its slider: down and over
// while one holds a direction of the part, up and over while one only focuses the slider, and the
// pointer's own look (-1) otherwise.
i32 NavigationPointerStateGet(SliderWidget* slider, i32 directionA, i32 directionB)
{
   if (!slider || !slider->InputAcceptableCheck())
   {
      return -1;
   }
   bool keys = slider->KeysEnabledCheck();
   i32 state = -1;
   for (i32 i = 0; i < NavigationRecordCountGet(); i++)
   {
      if (!NavigationFocusCheck(i, slider))
      {
         continue;
      }
      if (keys && (NavigationHeldCheck(i, directionA) || NavigationHeldCheck(i, directionB)))
      {
         return BUTTON_POINTER_DOWN_OVER;
      }
      state = BUTTON_POINTER_UP_OVER;
   }
   return state;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Thumb

void SliderThumbWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   PressButtonWidget::Init(widgetName, parentWidget, specification);
   CanDragSet(true);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const Point2F origin{0.0f, 0.0f};
   Point2F sliderAt = parentWidget ? parentWidget->PositionAbsoluteGet() : origin;
   auto positionRead =
       [&](const char* key, const char* offsetKey, void (SliderThumbWidget::*set)(float, float))
   {
      Point2F point;
      if (specification->ItemPoint2FCheck(key))
      {
         // A screen position, kept in the slider's space.
         specification->Point2FGet(&point, key, &origin, TypeNameGet(), NameGet(), false);
         (this->*set)(point.x - sliderAt.x, point.y - sliderAt.y);
      }
      else if (specification->ItemPoint2FCheck(offsetKey))
      {
         specification->Point2FGet(&point, offsetKey, &origin, TypeNameGet(), NameGet(), false);
         (this->*set)(point.x, point.y);
      }
   };
   positionRead("PositionMinimum", "PositionMinimumOffset", &SliderThumbWidget::PositionMinimumSet);
   positionRead("PositionMaximum", "PositionMaximumOffset", &SliderThumbWidget::PositionMaximumSet);

   // The drag area spans the thumb at both ends of its line.
   Box2F box = BoundsGet();
   Point2F low = PositionMinimumGet();
   Point2F high = PositionMaximumGet();
   Box2F area{box.x + low.x, box.y + low.y, box.width, box.height};
   if (box.width != 0.0f && box.height != 0.0f)
   {
      Box2F other{box.x + high.x, box.y + high.y, box.width, box.height};
      float left = area.x < other.x ? area.x : other.x;
      float top = area.y < other.y ? area.y : other.y;
      float right = area.x + area.width > other.x + other.width ? area.x + area.width : other.x + other.width;
      float bottom =
          area.y + area.height > other.y + other.height ? area.y + area.height : other.y + other.height;
      area = Box2F{left, top, right - left, bottom - top};
   }
   dragArea = area;
   dragAreaInherited = 0;
   dragAreaInForce = 1;
}

void SliderThumbWidget::Update(u32 elapsed)
{
   PressButtonWidget::Update(elapsed);
   SliderWidget* slider = dynamic_cast<SliderWidget*>(ParentGet());
   if (slider)
   {
      i32 state = NavigationPointerStateGet(slider, slider->increaseDirection, slider->decreaseDirection);
      if (state != -1)
      {
         pointerState = state;
      }
   }
}

Point2F SliderThumbWidget::PositionForValue(float value)
{
   Point2F low = PositionMinimumGet();
   SliderWidget* slider = dynamic_cast<SliderWidget*>(ParentGet());
   if (!slider)
   {
      return low;
   }
   Point2F high = PositionMaximumGet();
   float t = 0.0f;
   if (slider->RangeGet() != 0.0f)
   {
      t = static_cast<float>((static_cast<double>(value) - slider->MinimumGet()) / slider->RangeGet());
   }
   return Point2F{low.x + (high.x - low.x) * t, low.y + (high.y - low.y) * t};
}

void SliderThumbWidget::PositionUpdate()
{
   SliderWidget* slider = dynamic_cast<SliderWidget*>(ParentGet());
   if (slider)
   {
      PositionSet(PositionForValue(slider->ValueGet()));
   }
}

bool SliderThumbWidget::PointPastThumbCheck(const Point2F& point, const Point2F* thumbPosition)
{
   Point2F p = thumbPosition ? *thumbPosition : PositionGet();
   Widget* slider = ParentGet();
   Point2F sliderAt = slider ? slider->PositionAbsoluteGet() : Point2F{};
   Point2F q = Minus(point, sliderAt);
   Box2F box = BoundsGet();
   Point2F low = PositionMinimumGet();
   Point2F high = PositionMaximumGet();
   Point2F axis = Minus(high, low);
   auto farEdge = [](float start, float at, float extent, float limit)
   {
      float near = start + at;
      if (near > limit)
      {
         return near;
      }
      float far = near + extent;
      return far < limit ? far : limit;
   };
   Point2F c{farEdge(box.x, p.x, box.width, high.x), farEdge(box.y, p.y, box.height, high.y)};
   return Dot(Minus(q, low), axis) > Dot(Minus(c, low), axis);
}

void SliderThumbWidget::OnDrag()
{
   PressButtonWidget::OnDrag();
   SliderWidget* slider = dynamic_cast<SliderWidget*>(ParentGet());
   if (!slider)
   {
      return;
   }
   Point2F low = PositionMinimumGet();
   Point2F d = Minus(PositionMaximumGet(), low);
   Point2F e = Minus(PositionGet(), low);
   float length = Dot(d, d);
   float t = length != 0.0f ? Dot(d, e) / length : 1.0f;
   slider->ValueSet(slider->MinimumGet() + (slider->MaximumGet() - slider->MinimumGet()) * t, true);
   // Where the pointer put it on the line, not where the snapped value would.
   PositionSet(Point2F{low.x + d.x * t, low.y + d.y * t});
}

// ---------------------------------------------------------------------------------------------
// Step buttons

void SliderValueChangeButtonWidget::Init(const char* widgetName, Widget* parentWidget,
                                         const JSONValue* specification)
{
   (void)widgetName;
   (void)parentWidget;
   (void)specification;
}

void SliderValueChangeButtonWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   (void)widgetName;
   (void)parentWidget;
}

void SliderValueChangeButtonWidget::Init(const char* widgetName, Widget* parentWidget,
                                         const JSONValue* specification, bool increaseButton)
{
   PressButtonWidget::Init(widgetName, parentWidget, specification);
   increase = increaseButton ? 1 : 0;
}

void SliderValueChangeButtonWidget::Update(u32 elapsed)
{
   PressButtonWidget::Update(elapsed);
   SliderWidget* slider = dynamic_cast<SliderWidget*>(ParentGet());
   if (slider)
   {
      i32 direction = increase ? slider->increaseDirection : slider->decreaseDirection;
      i32 state = NavigationPointerStateGet(slider, direction, direction);
      if (state != -1)
      {
         pointerState = state;
      }
   }
}

void SliderValueChangeButtonWidget::Step()
{
   SliderWidget* slider = dynamic_cast<SliderWidget*>(ParentGet());
   if (!slider)
   {
      return;
   }
   float step = slider->StepSmallGet();
   slider->ValueSet(slider->ValueGet() + (increase ? step : -step), true);
}

void SliderValueChangeButtonWidget::OnPress()
{
   PressButtonWidget::OnPress();
   if (VisibleCheck() && EnabledCheck())
   {
      Step();
   }
}

void SliderValueChangeButtonWidget::OnHold(i32 repeatCount)
{
   if (!VisibleCheck() || !EnabledCheck())
   {
      return;
   }
   if (onHold)
   {
      onHold(static_cast<u32>(repeatCount), this, onHoldUserData);
   }
   Step();
}

// ---------------------------------------------------------------------------------------------
// Slider

void SliderWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("Slider", &WidgetCreate<SliderWidget>);
}

SliderWidget::~SliderWidget()
{
   // Only a slider destroyed without its Deinit still owns its sprite here.
   WidgetChildSprite::Destroy(&backgroundSprite);
}

void SliderWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   backgroundSprite = nullptr;
   thumb = nullptr;
   pageDirection = 0.0f;
   valueChangeCallback = nullptr;
   valueChangeCallbackData = nullptr;
   increaseDirection = 3;
   decreaseDirection = 2;
   ContainerWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   // The order matters: MinimumSet re-applies the value once the step is known.
   float stepMinimumRead, maximumRead, minimumRead, valueRead, stepSmallRead, stepLargeRead;
   specification->FloatGet(&stepMinimumRead, "StepMinimum", 1.0f);
   StepMinimumSet(stepMinimumRead);
   specification->FloatGet(&maximumRead, "Maximum", 100.0f);
   MaximumSet(maximumRead);
   specification->FloatGet(&minimumRead, "Minimum", 0.0f);
   MinimumSet(minimumRead);
   specification->FloatGet(&valueRead, "Value", 0.0f);
   ValueSet(valueRead, false);
   specification->FloatGet(&stepSmallRead, "StepSmall", 1.0f);
   StepSmallSet(stepSmallRead);
   specification->FloatGet(&stepLargeRead, "StepLarge", 10.0f);
   StepLargeSet(stepLargeRead);
   if (StepMinimumGet() != 0.0f)
   {
      GridWarn(TypeNameGet(), NameGet(), "Maximum", maximumRead);
      GridWarn(TypeNameGet(), NameGet(), "Value", valueRead);
      GridWarn(TypeNameGet(), NameGet(), "StepSmall", stepSmallRead);
      GridWarn(TypeNameGet(), NameGet(), "StepLarge", stepLargeRead);
   }

   backgroundSprite = WidgetChildSprite::Create("BackgroundSprite", specification, this);
   ChildrenCapacitySet(3);

   SliderValueChangeButtonWidget* buttons[2] = {};
   const char* buttonKeys[2] = {"IncreaseButton", "DecreaseButton"};
   for (i32 i = 0; i < 2; i++)
   {
      const JSONValue* item = specification->ItemGet(buttonKeys[i]);
      if (item->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         continue;
      }
      buttons[i] = MemoryNew<SliderValueChangeButtonWidget>(HEAP_DEFAULT);
      if (!buttons[i])
      {
         WarningPrintf("SliderWidget::Init -- unable to allocate \"%s\"\n", buttonKeys[i]);
         continue;
      }
      buttons[i]->Init(buttonKeys[i], this, item, i == 0);
      ChildAddLast(buttons[i]);
   }

   const JSONValue* thumbItem = specification->ItemGet("Thumb");
   if (thumbItem->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      thumb = MemoryNew<SliderThumbWidget>(HEAP_DEFAULT);
      if (thumb)
      {
         thumb->Init("Thumb", this, thumbItem);
         ChildAddLast(thumb);
         thumb->PositionUpdate();
      }
      else
      {
         WarningPrintf("SliderWidget::Init -- unable to allocate \"Thumb\"\n");
      }
   }

   // The keys follow the slider's axis, from its low end to its high end.
   Point2F a;
   Point2F b;
   bool oriented = true;
   if (thumb)
   {
      a = thumb->PositionMinimumGet();
      b = thumb->PositionMaximumGet();
   }
   else if (buttons[0] && buttons[1])
   {
      auto centre = [](Widget* w)
      {
         Box2F box = w->BoundsGet();
         Point2F at = w->PositionAbsoluteGet();
         return Point2F{box.x + box.width * 0.5f + at.x, box.y + box.height * 0.5f + at.y};
      };
      a = centre(buttons[1]);
      b = centre(buttons[0]);
   }
   else
   {
      oriented = false;
   }
   if (oriented)
   {
      if (std::fabs(b.y - a.y) > std::fabs(b.x - a.x))
      {
         increaseDirection = b.y > a.y ? 1 : 0;
         decreaseDirection = b.y > a.y ? 0 : 1;
      }
      else
      {
         increaseDirection = a.x > b.x ? 2 : 3;
         decreaseDirection = a.x > b.x ? 3 : 2;
      }
   }
}

void SliderWidget::Deinit()
{
   WidgetChildSprite::Destroy(&backgroundSprite);
   ContainerWidget::Deinit();
   thumb = nullptr;
}

void SliderWidget::ValueSet(float newValue, bool byUser)
{
   float old = ValueGet();
   value = ValueConstrainedGet(newValue);
   if (thumb)
   {
      thumb->PositionUpdate();
   }
   if (value != old)
   {
      OnValueChange(value, old, byUser);
   }
}

void SliderWidget::OnValueChange(float newValue, float oldValue, bool byUser)
{
   LuaEventCallf("OnValueChange", "%f,%f,%s", static_cast<double>(newValue), static_cast<double>(oldValue),
                 byUser ? "true" : "false");
   if (valueChangeCallback)
   {
      valueChangeCallback(newValue, oldValue, byUser, this, valueChangeCallbackData);
   }
}

bool SliderWidget::KeysEnabledCheck()
{
   return increaseDirection != -1 && decreaseDirection != -1 && !NeighbourGet(increaseDirection) &&
          !NeighbourGet(decreaseDirection);
}

void SliderWidget::Update(u32 elapsed)
{
   if (backgroundSprite)
   {
      backgroundSprite->Update(elapsed);
   }
   ContainerWidget::Update(elapsed);
   if (!InputAcceptableCheck() || !KeysEnabledCheck())
   {
      return;
   }
   for (i32 i = 0; i < NavigationRecordCountGet(); i++)
   {
      if (!NavigationFocusCheck(i, this))
      {
         continue;
      }
      if (NavigationFiredCheck(i, increaseDirection))
      {
         ValueSet(ValueGet() + StepSmallGet(), true);
      }
      else if (NavigationFiredCheck(i, decreaseDirection))
      {
         ValueSet(ValueGet() - StepSmallGet(), true);
      }
   }
}

void SliderWidget::Draw()
{
   BackdropAndChildrenDraw(backgroundSprite);
}

bool SliderWidget::PixelTest(const Point2F& point)
{
   return BackdropPixelTest(backgroundSprite, point);
}

bool SliderWidget::PressPointGet(Point2F* point)
{
   MouseState* pointer = leftPressRecord ? leftPressRecord->mouseState : nullptr;
   if (!pointer || !pointer->present || !(pointer->frameButtons & MOUSE_BUTTON_LEFT))
   {
      return false;
   }
   *point = Point2F{static_cast<float>(pointer->x), static_cast<float>(pointer->y)};
   return true;
}

void SliderWidget::OnPress()
{
   Widget::OnPress();
   if (!VisibleCheck() || !EnabledCheck())
   {
      return;
   }
   pageDirection = 0.0f;
   Point2F point;
   if (PressPointGet(&point))
   {
      PageTowardsPoint(point);
   }
}

void SliderWidget::OnHold(i32 repeatCount)
{
   (void)repeatCount;
   Point2F point;
   if (PressPointGet(&point))
   {
      PageTowardsPoint(point);
   }
}

void SliderWidget::PageTowardsPoint(const Point2F& point)
{
   if (!thumb)
   {
      return;
   }
   float current = ValueGet();
   float step = StepLargeGet();
   float direction = thumb->PointPastThumbCheck(point, nullptr) ? 1.0f : -1.0f;
   if (pageDirection == 0.0f)
   {
      pageDirection = direction;
   }
   float target = current + direction * step;
   Point2F next = thumb->PositionForValue(target);
   float side = thumb->PointPastThumbCheck(point, &next) ? 1.0f : -1.0f;
   Box2F box = thumb->BoundsGet();
   Point2F sliderAt = PositionAbsoluteGet();
   float left = sliderAt.x + next.x + box.x;
   float top = sliderAt.y + next.y + box.y;
   bool inside =
       left <= point.x && point.x < left + box.width && top <= point.y && point.y < top + box.height;
   if (side == direction || inside)
   {
      ValueSet(target, true);
      pageDirection = direction;
   }
   else if (pageDirection == direction)
   {
      // The step carries the thumb past the pointer: only a press that is already paging this way
      // takes it.
      ValueSet(target, true);
   }
}
} // namespace Corvale
