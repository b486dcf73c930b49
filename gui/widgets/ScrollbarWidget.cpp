// Scroll bars: every change of the value moves the scroll box's content at once.
#include "gui/widgets/ScrollbarWidget.h"

#include "gui/widgets/ScrollBoxWidget.h"

namespace Corvale
{
void ScrollbarWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   (void)widgetName;
   (void)parentWidget;
   (void)specification;
}

void ScrollbarWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   (void)widgetName;
   (void)parentWidget;
}

void ScrollbarWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                           bool verticalBar)
{
   vertical = verticalBar ? 1 : 0;
   SliderWidget::Init(widgetName, parentWidget, specification);
}

void ScrollbarWidget::OnValueChange(float newValue, float oldValue, bool byUser)
{
   SliderWidget::OnValueChange(newValue, oldValue, byUser);
   ScrollBoxWidget* box = dynamic_cast<ScrollBoxWidget*>(ParentGet());
   if (!box)
   {
      return;
   }
   Point2F offset = box->ContentOffsetGet();
   if (vertical)
   {
      offset.y = newValue;
   }
   else
   {
      offset.x = newValue;
   }
   box->ContentOffsetSet(offset.x, offset.y);
}
} // namespace Corvale
