// Radio buttons: toggle buttons of which at most one of a set is on. The set is a named group
// within the layer, or the ungrouped buttons under the nearest radio button container.
#pragma once

#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"

namespace Corvale
{
class RadioButtonWidget : public ToggleButtonWidget
{
 public:
   RadioButtonWidget() = default;
   ~RadioButtonWidget() override;

   // "On" is applied by the toggle before "RadioButtonGroupName" is read.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void OnClick() override;
   void OnNavigationClick() override;
   const char* TypeNameGet() override { return "RadioButtonWidget"; }
   // Turning on turns the rest of the set off.
   void OnSet(bool value) override;
   // A click never flips a radio button; it only turns an off button on.
   bool ToggleOnClickGet() override { return false; }
   bool ToggleOnClickDefaultGet() override { return false; }

   virtual const char* GroupNameGet() { return groupName; }
   virtual void GroupNameSet(const char* newName);
   // Turns off every other radio button of this one's set at or under the widget.
   virtual void OthersTurnOff(Widget* widget);

   // Makes "RadioButton" known to the widget-type registry.
   static void TypeRegister();

   char* groupName = nullptr;

 private:
   // The widget under which the set lives; null when the button belongs to no set.
   Widget* ScopeGet();
   bool SameSetCheck(RadioButtonWidget* other);
};

// Marks the scope of the ungrouped radio buttons inside it.
class RadioButtonContainerWidget : public ContainerWidget
{
 public:
   RadioButtonContainerWidget() = default;

   const char* TypeNameGet() override { return "RadioButtonContainerWidget"; }

   // Makes "RadioButtonContainer" known to the widget-type registry.
   static void TypeRegister();
};
} // namespace Corvale
