// Radio buttons and their containers: finding a button's set and keeping one button of it on.
#include "gui/widgets/RadioButtonWidget.h"

#include <cstring>

#include "core/JSONValue.h"
#include "core/Memory.h"

namespace Corvale
{
void RadioButtonWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("RadioButton", &WidgetCreate<RadioButtonWidget>);
}

void RadioButtonContainerWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("RadioButtonContainer", &WidgetCreate<RadioButtonContainerWidget>);
}

RadioButtonWidget::~RadioButtonWidget()
{
   MemoryFree(groupName);
}

void RadioButtonWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   GroupNameSet(nullptr);
   ToggleButtonWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   GroupNameSet(specification->ItemGet("RadioButtonGroupName")->StringValueGet());
}

void RadioButtonWidget::Deinit()
{
   GroupNameSet(nullptr);
   ToggleButtonWidget::Deinit();
}

void RadioButtonWidget::GroupNameSet(const char* newName)
{
   char* copy = newName ? StringDuplicate(newName, HEAP_DEFAULT) : nullptr;
   MemoryFree(groupName);
   groupName = copy;
}

void RadioButtonWidget::OnClick()
{
   if (!UsableCheck())
   {
      return;
   }
   if (!on)
   {
      OnSet(true);
   }
   ToggleButtonWidget::OnClick();
}

void RadioButtonWidget::OnNavigationClick()
{
   if (!UsableCheck())
   {
      return;
   }
   if (!on)
   {
      OnSet(true);
   }
   ToggleButtonWidget::OnNavigationClick();
}

void RadioButtonWidget::OnSet(bool value)
{
   ToggleButtonWidget::OnSet(value);
   if (!value)
   {
      return;
   }
   Widget* scope = ScopeGet();
   if (scope)
   {
      OthersTurnOff(scope);
   }
}

Widget* RadioButtonWidget::ScopeGet()
{
   // A grouped button passes through radio containers up to its layer.
   for (Widget* ancestor = ParentGet(); ancestor; ancestor = ancestor->ParentGet())
   {
      if (!groupName && !ancestor->removed && dynamic_cast<RadioButtonContainerWidget*>(ancestor))
      {
         return ancestor;
      }
      if (std::strcmp(ancestor->TypeNameGet(), "LayerWidget") == 0)
      {
         return groupName ? ancestor : nullptr;
      }
   }
   return nullptr;
}

bool RadioButtonWidget::SameSetCheck(RadioButtonWidget* other)
{
   const char* otherGroup = other->GroupNameGet();
   if (!groupName || !otherGroup)
   {
      return !groupName && !otherGroup;
   }
   return std::strcmp(groupName, otherGroup) == 0;
}

void RadioButtonWidget::OthersTurnOff(Widget* widget)
{
   if (!widget || widget->removed)
   {
      return;
   }
   RadioButtonWidget* radio = dynamic_cast<RadioButtonWidget*>(widget);
   if (radio)
   {
      if (radio != this && SameSetCheck(radio))
      {
         radio->OnSet(false);
      }
      return;
   }
   ContainerWidget* container = dynamic_cast<ContainerWidget*>(widget);
   if (!container)
   {
      return;
   }
   for (i32 i = 0; i < container->children.count; i++)
   {
      OthersTurnOff(container->children[i]);
   }
}
} // namespace Corvale
