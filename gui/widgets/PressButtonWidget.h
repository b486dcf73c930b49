// The plain clickable button: five visual states, and callbacks for press, click, hold, hover and
// the navigation press and click.
#pragma once

#include "gui/widgets/ButtonWidget.h"

namespace Corvale
{
class PressButtonWidget;

typedef void (*PressButtonCallback)(PressButtonWidget* button, void* userData);
typedef void (*PressButtonHoldCallback)(u32 repeatCount, PressButtonWidget* button, void* userData);

enum PressButtonState : i32
{
   PRESS_BUTTON_UP_OUT = 0,
   PRESS_BUTTON_UP_OVER = 1,
   PRESS_BUTTON_DOWN_OUT = 2,
   PRESS_BUTTON_DOWN_OVER = 3,
   PRESS_BUTTON_DISABLED = 4,
   PRESS_BUTTON_STATE_COUNT = 5
};

class PressButtonWidget : public ButtonWidget
{
 public:
   PressButtonWidget() = default;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "PressButtonWidget"; }
   void OnPress() override;
   void OnClick() override;
   void OnMouseOver() override;
   void OnHold(i32 repeatCount) override;
   void OnNavigationPress() override;
   void OnNavigationClick() override;
   bool LuaEventsEnabledCheck() override { return true; }
   i32 StateCountGet() override { return PRESS_BUTTON_STATE_COUNT; }
   const char* const* StateNamesGet() override;
   const i32* StateFallbacksGet() override;
   i32 StateCurrentGet() override;

   // Sets the click callback of the press button at a dotted path from the GUI root; false when
   // there is no such widget or it is not a press button.
   static bool OnClickCallbackSet(const char* path, PressButtonCallback function, void* userData);
   // Makes "PressButton" known to the widget-type registry.
   static void TypeRegister();

   PressButtonCallback onPress = nullptr;
   void* onPressUserData = nullptr;
   PressButtonCallback onClick = nullptr;
   void* onClickUserData = nullptr;
   PressButtonHoldCallback onHold = nullptr;
   void* onHoldUserData = nullptr;
   PressButtonCallback onMouseOver = nullptr;
   void* onMouseOverUserData = nullptr;
   PressButtonCallback onNavigationPress = nullptr;
   void* onNavigationPressUserData = nullptr;
   PressButtonCallback onNavigationClick = nullptr;
   void* onNavigationClickUserData = nullptr;

 private:
   bool UsableCheck() { return VisibleCheck() && EnabledCheck(); }
};
} // namespace Corvale
