// Press buttons: their state table, the current state, and the input calls turned into sounds,
// Lua events and the owner's callbacks.
#include "gui/widgets/PressButtonWidget.h"

#include "gui/GUIManager.h"

namespace Corvale
{
namespace
{
const char* const stateNames[PRESS_BUTTON_STATE_COUNT] = {"UpOutState", "UpOverState", "DownOutState",
                                                          "DownOverState", "DisabledState"};
// A pressed button that lost the pointer looks pressed before it looks hovered.
const i32 stateFallbacks[PRESS_BUTTON_STATE_COUNT * (PRESS_BUTTON_STATE_COUNT - 1)] = {
    -1, -1, -1, -1, // UpOutState
    0,  -1, -1, -1, // UpOverState
    3,  0,  -1, -1, // DownOutState
    1,  0,  -1, -1, // DownOverState
    0,  -1, -1, -1, // DisabledState
};
} // namespace

void PressButtonWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("PressButton", &WidgetCreate<PressButtonWidget>);
}

void PressButtonWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   onPress = nullptr;
   onPressUserData = nullptr;
   onClick = nullptr;
   onClickUserData = nullptr;
   onHold = nullptr;
   onHoldUserData = nullptr;
   onMouseOver = nullptr;
   onMouseOverUserData = nullptr;
   onNavigationPress = nullptr;
   onNavigationPressUserData = nullptr;
   onNavigationClick = nullptr;
   onNavigationClickUserData = nullptr;
   ButtonWidget::Init(widgetName, parentWidget, specification);
   pointerState = BUTTON_POINTER_UP_OUT;
}

void PressButtonWidget::Update(u32 elapsed)
{
   ButtonWidget::Update(elapsed);
   PointerStateUpdate();
}

const char* const* PressButtonWidget::StateNamesGet()
{
   return stateNames;
}

const i32* PressButtonWidget::StateFallbacksGet()
{
   return stateFallbacks;
}

i32 PressButtonWidget::StateCurrentGet()
{
   if (stateOverride != -1)
   {
      return stateOverride;
   }
   if (!EnabledCheck())
   {
      return PRESS_BUTTON_DISABLED;
   }
   return pointerState;
}

void PressButtonWidget::OnPress()
{
   Widget::OnPress();
   if (UsableCheck())
   {
      LuaEventCallf("OnPress", "");
      if (onPress)
      {
         onPress(this, onPressUserData);
      }
   }
}

void PressButtonWidget::OnClick()
{
   Widget::OnClick();
   if (UsableCheck())
   {
      LuaEventCallf("OnClick", "");
      if (onClick)
      {
         onClick(this, onClickUserData);
      }
   }
}

void PressButtonWidget::OnMouseOver()
{
   Widget::OnMouseOver();
   if (UsableCheck() && onMouseOver)
   {
      onMouseOver(this, onMouseOverUserData);
   }
}

void PressButtonWidget::OnHold(i32 repeatCount)
{
   if (UsableCheck() && onHold)
   {
      onHold(static_cast<u32>(repeatCount), this, onHoldUserData);
   }
}

void PressButtonWidget::OnNavigationPress()
{
   Widget::OnNavigationPress();
   if (UsableCheck() && onNavigationPress)
   {
      onNavigationPress(this, onNavigationPressUserData);
   }
}

void PressButtonWidget::OnNavigationClick()
{
   Widget::OnClick();
   if (UsableCheck() && onNavigationClick)
   {
      onNavigationClick(this, onNavigationClickUserData);
   }
}

bool PressButtonWidget::OnClickCallbackSet(const char* path, PressButtonCallback function, void* userData)
{
   PressButtonWidget* button = dynamic_cast<PressButtonWidget*>(GUIManager::WidgetGetByPath(path));
   if (!button)
   {
      return false;
   }
   button->onClick = function;
   button->onClickUserData = userData;
   return true;
}
} // namespace Corvale
