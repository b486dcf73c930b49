// An on-screen analogue stick: a background picture and a nub whose offset from home reads as a
// vector of length at most 1 (up positive), with a dead zone around home.
#pragma once

#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class JoystickNubWidget;
class WidgetChildSprite;

class JoystickWidget : public ContainerWidget
{
 public:
   JoystickWidget() = default;
   ~JoystickWidget() override;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   const char* TypeNameGet() override { return "JoystickWidget"; }
   bool PixelTest(const Point2F& point) override;

   virtual Point2F ValueGet();
   // Clamped to 0..1.
   virtual void DeadZoneSet(float value);
   virtual float DeadZoneGet() { return deadZone; }

   // Makes "Joystick" known to the widget-type registry; its nub is made only by a joystick.
   static void TypeRegister();

   WidgetChildSprite* background = nullptr;
   JoystickNubWidget* nub = nullptr;
   float deadZone = 0.0f;

 private:
   void BackgroundDestroy();
};
} // namespace Corvale
