// The next and previous buttons of a selector: a press steps once, and holding keeps stepping.
#pragma once

#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
// The press and hold callbacks are the press button's own onPress and onHold.
class SelectorSelectionChangeButtonWidget : public PressButtonWidget
{
 public:
   // Buttons are made by their selector, through the Init that gives the direction.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   const char* TypeNameGet() override { return "SelectorSelectionChangeButtonWidget"; }
   void OnPress() override;
   void OnHold(i32 repeatCount) override;
   bool EventHandlerTableWantedCheck() override { return false; }

   virtual void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                     bool nextButton);

   // True steps forward, false back.
   u8 next = 0;

 private:
   bool UsableCheck() { return VisibleCheck() && EnabledCheck(); }
   void Step();
};
} // namespace Corvale
