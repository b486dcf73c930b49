// Selector change buttons: the press and every hold repeat step the owning selector by one.
#include "gui/widgets/SelectorSelectionChangeButtonWidget.h"

#include "gui/widgets/SelectorWidget.h"

namespace Corvale
{
void SelectorSelectionChangeButtonWidget::Init(const char* widgetName, Widget* parentWidget,
                                               const JSONValue* specification)
{
   Init(widgetName, parentWidget, specification, next != 0);
}

void SelectorSelectionChangeButtonWidget::Init(const char* widgetName, Widget* parentWidget,
                                               const JSONValue* specification, bool nextButton)
{
   PressButtonWidget::Init(widgetName, parentWidget, specification);
   next = nextButton ? 1 : 0;
}

void SelectorSelectionChangeButtonWidget::Step()
{
   SelectorWidget* selector = dynamic_cast<SelectorWidget*>(ParentGet());
   if (selector)
   {
      selector->SelectionStep(next ? 1 : -1, true);
   }
}

void SelectorSelectionChangeButtonWidget::OnPress()
{
   PressButtonWidget::OnPress();
   // The handlers may have hidden or disabled the button.
   if (UsableCheck())
   {
      Step();
   }
}

void SelectorSelectionChangeButtonWidget::OnHold(i32 repeatCount)
{
   if (!UsableCheck())
   {
      return;
   }
   PressButtonWidget::OnHold(repeatCount);
   Step();
}
} // namespace Corvale
