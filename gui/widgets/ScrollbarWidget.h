// A slider whose value is one coordinate of its scroll box's content offset; made only by a
// scroll box, never by name from a layer file.
#pragma once

#include "gui/widgets/SliderWidget.h"

namespace Corvale
{
class ScrollbarWidget : public SliderWidget
{
 public:
   // Set up only by its scroll box, through the Init that takes the axis.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   const char* TypeNameGet() override { return "ScrollbarWidget"; }
   void OnValueChange(float newValue, float oldValue, bool byUser) override;
   bool EventHandlerTableWantedCheck() override { return false; }
   bool LuaEventsEnabledCheck() override { return false; }

   virtual void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                     bool verticalBar);

   // True: the bar drives the y offset; false: the x offset.
   u8 vertical = 1;
};
} // namespace Corvale
