// A number between two bounds edited with a draggable thumb, two step buttons, paging on the
// track and the navigation keys; its value model is the FloatRange second base.
#pragma once

#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/FloatRange.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
class SliderWidget;
class WidgetChildSprite;

typedef void (*SliderValueChangeCallback)(float newValue, float oldValue, bool byUser, SliderWidget* slider,
                                          void* userData);

// The thumb moves on the line from its minimum position to its maximum position, both in the
// slider's space.
class SliderThumbWidget : public PressButtonWidget
{
 public:
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   using PressButtonWidget::Init;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "SliderThumbWidget"; }
   void OnDrag() override;
   bool EventHandlerTableWantedCheck() override { return false; }
   bool LuaEventsEnabledCheck() override { return false; }

   virtual Point2F PositionMinimumGet() { return positionMinimum; }
   virtual void PositionMinimumSet(float x, float y) { positionMinimum = Point2F{x, y}; }
   virtual Point2F PositionMaximumGet() { return positionMaximum; }
   virtual void PositionMaximumSet(float x, float y) { positionMaximum = Point2F{x, y}; }
   // Moves the thumb to where the slider's value puts it.
   virtual void PositionUpdate();

   // The thumb's position for a value, in the slider's space.
   Point2F PositionForValue(float value);
   // Whether the screen point lies beyond the thumb's far edge along the slider's line, with the
   // thumb at thumbPosition (its own position when null).
   bool PointPastThumbCheck(const Point2F& point, const Point2F* thumbPosition);

   Point2F positionMinimum;
   Point2F positionMaximum;
};

// Steps the slider's value by its small step, up or down.
class SliderValueChangeButtonWidget : public PressButtonWidget
{
 public:
   // Set up only by the slider, through the Init that takes the direction.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "SliderValueChangeButtonWidget"; }
   void OnPress() override;
   void OnHold(i32 repeatCount) override;
   bool EventHandlerTableWantedCheck() override { return false; }
   bool LuaEventsEnabledCheck() override { return false; }

   virtual void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                     bool increaseButton);

   u8 increase = 0;

 private:
   void Step();
};

class SliderWidget : public ContainerWidget, public FloatRange
{
 public:
   SliderWidget() = default;
   ~SliderWidget() override;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   const char* TypeNameGet() override { return "SliderWidget"; }
   bool PixelTest(const Point2F& point) override;
   void OnPress() override;
   void OnHold(i32 repeatCount) override;
   bool LuaEventsEnabledCheck() override { return true; }
   // The range side: a change made through it is not the user's.
   void ValueSet(float newValue) override { ValueSet(newValue, false); }

   virtual float StepSmallGet() { return stepSmall; }
   virtual void StepSmallSet(float step) { stepSmall = step; }
   virtual float StepLargeGet() { return stepLarge; }
   virtual void StepLargeSet(float step) { stepLarge = step; }
   // Snaps and clamps, moves the thumb, and notifies only when the stored value changed.
   virtual void ValueSet(float newValue, bool byUser);
   virtual void OnValueChange(float newValue, float oldValue, bool byUser);

   // Pages the value by the large step towards the screen point, stopping once the thumb has
   // passed it.
   void PageTowardsPoint(const Point2F& point);
   // Keys reach the slider: enabled, input allowed, no transition, both directions known and no
   // focus neighbour along them.
   bool KeysEnabledCheck();

   // Makes "Slider" known to the widget-type registry.
   static void TypeRegister();

   WidgetChildSprite* backgroundSprite = nullptr;
   SliderThumbWidget* thumb = nullptr;
   float stepSmall = 1.0f;
   float stepLarge = 10.0f;
   // +1 or -1 once the current press has chosen a side, 0 before.
   float pageDirection = 0.0f;
   SliderValueChangeCallback valueChangeCallback = nullptr;
   void* valueChangeCallbackData = nullptr;
   // Navigation directions: 0 and 1 along y (1 towards larger y), 2 and 3 along x (3 towards larger x).
   i32 increaseDirection = 3;
   i32 decreaseDirection = 2;

 private:
   // The screen position of the pointer that pressed the slider, false when none is down.
   bool PressPointGet(Point2F* point);
};
} // namespace Corvale
