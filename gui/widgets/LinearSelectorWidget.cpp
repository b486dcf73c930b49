// The linear selector: its keys, and the chosen item with its neighbours on both sides placed round
// the circular list.
#include "gui/widgets/LinearSelectorWidget.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/SelectorItemWidget.h"

namespace Corvale
{
void LinearSelectorWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("LinearSelector", &WidgetCreate<LinearSelectorWidget>);
}

void LinearSelectorWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   itemContainer = nullptr;
   SelectorWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const char* typeName = TypeNameGet();
   const char* widgetLabel = name ? name : "";
   const Point2F zero{0.0f, 0.0f};
   specification->Point2FGet(&itemSelectedPositionOffset, "ItemSelectedPositionOffset", &zero, typeName,
                             widgetLabel, false);
   specification->Point2FGet(&itemNextPositionOffset, "ItemNextPositionOffset", &zero, typeName, widgetLabel,
                             false);
   double horizon;
   specification->DoubleGet(&horizon, "ItemCountHorizon", 0.0);
   // Clamped before the conversion: a NaN or out-of-range count would be undefined.
   horizon = horizon == horizon ? horizon : 0.0;
   horizon = horizon > 2147483647.0 ? 2147483647.0 : (horizon < -2147483648.0 ? -2147483648.0 : horizon);
   itemCountHorizon = static_cast<i32>(horizon);

   itemContainer = MemoryNew<RadioButtonContainerWidget>(HEAP_DEFAULT);
   if (!ItemsContainerAttach(itemContainer, this))
   {
      return;
   }
   ItemsAddIfGiven(specification);
}

void LinearSelectorWidget::Deinit()
{
   itemContainer = nullptr;
   SelectorWidget::Deinit();
}

ContainerWidget* LinearSelectorWidget::ItemsContainerGet()
{
   return itemContainer;
}

void LinearSelectorWidget::Update(u32 elapsed)
{
   SelectorWidget::Update(elapsed);
   ItemsLayout();
}

void LinearSelectorWidget::ItemsLayout()
{
   i32 selected = ItemIndexGet(selection);
   if (selected < 0)
   {
      return;
   }
   i32 count = itemContainer->ChildCountGet();
   for (i32 i = 0; i < count; i++)
   {
      itemContainer->ChildGetAt(i)->VisibleSet(false);
   }
   // Neighbours after the choice get the odd one out when the rest do not split evenly.
   i32 after = count / 2;
   i32 before = (count - 1) / 2;
   after = after < itemCountHorizon ? after : itemCountHorizon;
   before = before < itemCountHorizon ? before : itemCountHorizon;
   auto place = [this, count](i32 index, i32 steps)
   {
      Widget* item = itemContainer->ChildGetAt(((index % count) + count) % count);
      float k = static_cast<float>(steps);
      item->PositionSet(Point2F{itemSelectedPositionOffset.x + k * itemNextPositionOffset.x,
                                itemSelectedPositionOffset.y + k * itemNextPositionOffset.y});
      item->VisibleSet(true);
   };
   place(selected, 0);
   for (i32 k = 1; k <= after; k++)
   {
      place(selected + k, k);
   }
   for (i32 k = 1; k <= before; k++)
   {
      place(selected - k, -k);
   }
}
} // namespace Corvale
