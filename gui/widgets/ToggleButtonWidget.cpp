// Toggle buttons: their state table, the current state from pointer, value and override, the
// "On" and "ToggleOnClick" keys, and clicks that flip the value and report it.
#include "gui/widgets/ToggleButtonWidget.h"

#include "core/JSONValue.h"
#include "gui/GUIManager.h"

namespace Corvale
{
namespace
{
const char* const stateNames[TOGGLE_BUTTON_STATE_COUNT] = {
    "OffUpOutState", "OffUpOverState", "OffDownOutState", "OffDownOverState", "OffDisabledState",
    "OnUpOutState",  "OnUpOverState",  "OnDownOutState",  "OnDownOverState",  "OnDisabledState"};
// Each half falls back inside itself only, so an "on" button never shows an "off" picture.
const i32 stateFallbacks[TOGGLE_BUTTON_STATE_COUNT * (TOGGLE_BUTTON_STATE_COUNT - 1)] = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, // OffUpOutState
    0,  -1, -1, -1, -1, -1, -1, -1, -1, // OffUpOverState
    3,  0,  -1, -1, -1, -1, -1, -1, -1, // OffDownOutState
    1,  0,  -1, -1, -1, -1, -1, -1, -1, // OffDownOverState
    0,  -1, -1, -1, -1, -1, -1, -1, -1, // OffDisabledState
    -1, -1, -1, -1, -1, -1, -1, -1, -1, // OnUpOutState
    5,  -1, -1, -1, -1, -1, -1, -1, -1, // OnUpOverState
    8,  5,  -1, -1, -1, -1, -1, -1, -1, // OnDownOutState
    6,  5,  -1, -1, -1, -1, -1, -1, -1, // OnDownOverState
    5,  -1, -1, -1, -1, -1, -1, -1, -1, // OnDisabledState
};
const i32 enabledStates[8] = {0, 1, 2, 3, 5, 6, 7, 8};
} // namespace

void ToggleButtonWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("ToggleButton", &WidgetCreate<ToggleButtonWidget>);
}

void ToggleButtonWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   onClick = nullptr;
   onClickUserData = nullptr;
   onMouseOver = nullptr;
   onMouseOverUserData = nullptr;
   onNavigationClick = nullptr;
   onNavigationClickUserData = nullptr;
   ButtonWidget::Init(widgetName, parentWidget, specification);
   pointerState = BUTTON_POINTER_UP_OUT;
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   // A number counts as on unless it is 0; a string such as "true" does not count.
   const JSONValue* item = specification->ItemGet("On");
   bool value = false;
   if (item->TypeGet() == JSONValue::TYPE_BOOL)
   {
      value = item->BoolValueGet();
   }
   else if (item->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      value = item->DoubleValueGet() != 0.0;
   }
   OnSet(value);

   item = specification->ItemGet("ToggleOnClick");
   ToggleOnClickSet(item->TypeGet() == JSONValue::TYPE_BOOL ? item->BoolValueGet()
                                                            : ToggleOnClickDefaultGet());
}

void ToggleButtonWidget::Update(u32 elapsed)
{
   ButtonWidget::Update(elapsed);
   PointerStateUpdate();
}

const char* const* ToggleButtonWidget::StateNamesGet()
{
   return stateNames;
}

const i32* ToggleButtonWidget::StateFallbacksGet()
{
   return stateFallbacks;
}

i32 ToggleButtonWidget::StateCurrentGet()
{
   if (stateOverride != -1)
   {
      return stateOverride;
   }
   if (!EnabledCheck())
   {
      return on ? TOGGLE_BUTTON_ON_DISABLED : TOGGLE_BUTTON_OFF_DISABLED;
   }
   i32 index = pointerState + 4 * (on ? 1 : 0);
   return index >= 0 && index < 8 ? enabledStates[index] : TOGGLE_BUTTON_OFF_UP_OUT;
}

void ToggleButtonWidget::OnClick()
{
   Widget::OnClick();
   if (!UsableCheck())
   {
      return;
   }
   if (ToggleOnClickGet())
   {
      OnSet(!on);
   }
   if (GUIManager::scriptingEnabled)
   {
      LuaEventCallf("OnClick", "%s", on ? "true" : "false");
   }
   if (onClick)
   {
      onClick(on, this, onClickUserData);
   }
}

void ToggleButtonWidget::OnMouseOver()
{
   Widget::OnMouseOver();
   if (UsableCheck() && onMouseOver)
   {
      onMouseOver(this, onMouseOverUserData);
   }
}

void ToggleButtonWidget::OnNavigationClick()
{
   Widget::OnClick();
   if (!UsableCheck())
   {
      return;
   }
   if (ToggleOnClickGet())
   {
      OnSet(!on);
   }
   if (onNavigationClick)
   {
      onNavigationClick(on, this, onNavigationClickUserData);
   }
}
} // namespace Corvale
