// A selector that shows the chosen item at a fixed place with its neighbours lined up before and
// after it, the list running round in a circle.
#pragma once

#include "gui/widgets/SelectorWidget.h"

namespace Corvale
{
class RadioButtonContainerWidget;

class LinearSelectorWidget : public SelectorWidget
{
 public:
   LinearSelectorWidget() = default;

   // After the selector's keys: "ItemSelectedPositionOffset", "ItemNextPositionOffset",
   // "ItemCountHorizon" and "Items".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "LinearSelectorWidget"; }
   // Only the chosen item and up to ItemCountHorizon on each side of it are shown.
   void ItemsLayout() override;
   ContainerWidget* ItemsContainerGet() override;
   void TransitionsFinish() override { ItemsLayout(); }

   // Makes "LinearSelector" known to the widget-type registry.
   static void TypeRegister();

   RadioButtonContainerWidget* itemContainer = nullptr;
   Point2F itemSelectedPositionOffset;
   Point2F itemNextPositionOffset;
   i32 itemCountHorizon = 0;
};
} // namespace Corvale
