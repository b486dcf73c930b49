// A selector that stands its items on an ellipse and turns the ring until the chosen item is at the
// front: items further back are smaller and tinted, and each may show a reflection below it.
#pragma once

#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/SelectorWidget.h"

namespace Corvale
{
// Holds the ring's items and draws them back to front, each after its reflection.
class RingSelectorItemContainerWidget : public RadioButtonContainerWidget
{
 public:
   RingSelectorItemContainerWidget() = default;

   void Draw() override;
   const char* TypeNameGet() override { return "RingSelectorItemContainerWidget"; }
   // Only the container's own bounds are hit: the items are stepped through, not clicked.
   Widget* WidgetAtPointGet(const Point2F& point) override { return Widget::WidgetAtPointGet(point); }
   // The items move every frame, so they do not count towards the container's extent.
   Box2F ChildrenBoundsGet() override { return Box2F(); }
};

class RingSelectorWidget : public SelectorWidget
{
 public:
   RingSelectorWidget() = default;

   // After the selector's keys: "RingBounds", the front, back and reflection looks,
   // "RingRotationSpeed" and "Items".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "RingSelectorWidget"; }
   // Across the wrap the ring keeps turning the way of the step instead of spinning back.
   void SelectionStep(i32 delta, bool byUser) override;
   void ItemsLayout() override;
   ContainerWidget* ItemsContainerGet() override;
   void TransitionsFinish() override;

   // The ring angle that brings the chosen item to the front; the current angle without a choice.
   float RingAngleTargetGet();

   // Makes "RingSelector" known to the widget-type registry.
   static void TypeRegister();

   RingSelectorItemContainerWidget* itemContainer = nullptr;
   // Degrees added to every item's place on the ellipse.
   float ringAngle = 0.0f;
   // The share of the remaining turn done per second, 0 to 1.
   float ringRotationSpeed = 0.97f;
   Box2F ringBounds{0.0f, 0.0f, 1.0f, 1.0f};
   Point2F itemFrontScale{1.0f, 1.0f};
   Point2F itemBackScale{1.0f, 1.0f};
   ColorRGBA8 itemFrontColor{255, 255, 255, 255};
   ColorRGBA8 itemBackColor{255, 255, 255, 255};
   u8 itemReflectionVisible = 0;
   ColorRGBA8 itemReflectionColor{255, 255, 255, 255};
   Point2F itemReflectionScale{1.0f, -1.0f};
};
} // namespace Corvale
