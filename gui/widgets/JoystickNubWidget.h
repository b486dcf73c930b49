// The knob of an on-screen joystick: dragged within its travel circle around home, and gliding
// back home once it is let go.
#pragma once

#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
class JoystickNubWidget : public PressButtonWidget
{
 public:
   JoystickNubWidget() = default;

   using PressButtonWidget::Init;
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "JoystickNubWidget"; }
   void OnDrag() override;

   virtual Point2F HomePositionGet() { return home; }
   // How far the nub may go from home inside its drag area, never below 0.
   virtual float TravelRadiusGet();

   Point2F home;
   // Travel radii per second.
   float returnSpeed = 0.0f;
};
} // namespace Corvale
