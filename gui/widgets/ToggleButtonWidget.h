// A button with an on/off value that a click flips: ten visual states, five for each value, and
// callbacks for click, hover and the navigation click.
#pragma once

#include "gui/widgets/ButtonWidget.h"

namespace Corvale
{
class ToggleButtonWidget;

typedef void (*ToggleButtonClickCallback)(u8 on, ToggleButtonWidget* button, void* userData);
typedef void (*ToggleButtonCallback)(ToggleButtonWidget* button, void* userData);

enum ToggleButtonState : i32
{
   TOGGLE_BUTTON_OFF_UP_OUT = 0,
   TOGGLE_BUTTON_OFF_UP_OVER = 1,
   TOGGLE_BUTTON_OFF_DOWN_OUT = 2,
   TOGGLE_BUTTON_OFF_DOWN_OVER = 3,
   TOGGLE_BUTTON_OFF_DISABLED = 4,
   TOGGLE_BUTTON_ON_UP_OUT = 5,
   TOGGLE_BUTTON_ON_UP_OVER = 6,
   TOGGLE_BUTTON_ON_DOWN_OUT = 7,
   TOGGLE_BUTTON_ON_DOWN_OVER = 8,
   TOGGLE_BUTTON_ON_DISABLED = 9,
   TOGGLE_BUTTON_STATE_COUNT = 10
};

class ToggleButtonWidget : public ButtonWidget
{
 public:
   ToggleButtonWidget() = default;

   // After the button's own keys: "On" and "ToggleOnClick".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "ToggleButtonWidget"; }
   void OnClick() override;
   void OnMouseOver() override;
   void OnNavigationClick() override;
   bool LuaEventsEnabledCheck() override { return true; }
   i32 StateCountGet() override { return TOGGLE_BUTTON_STATE_COUNT; }
   const char* const* StateNamesGet() override;
   const i32* StateFallbacksGet() override;
   i32 StateCurrentGet() override;

   virtual void OnSet(bool value) { on = value ? 1 : 0; }
   virtual bool OnGet() { return on != 0; }
   virtual bool ToggleOnClickGet() { return toggleOnClick != 0; }
   virtual void ToggleOnClickSet(bool value) { toggleOnClick = value ? 1 : 0; }
   // What "ToggleOnClick" means when the layer file leaves it out.
   virtual bool ToggleOnClickDefaultGet() { return true; }

   // Makes "ToggleButton" known to the widget-type registry.
   static void TypeRegister();

   u8 toggleOnClick = 1;
   u8 on = 0;
   ToggleButtonClickCallback onClick = nullptr;
   void* onClickUserData = nullptr;
   ToggleButtonCallback onMouseOver = nullptr;
   void* onMouseOverUserData = nullptr;
   ToggleButtonClickCallback onNavigationClick = nullptr;
   void* onNavigationClickUserData = nullptr;

 protected:
   bool UsableCheck() { return VisibleCheck() && EnabledCheck(); }
};
} // namespace Corvale
