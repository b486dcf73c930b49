// A sprite widget for backgrounds: its animation is stretched to the screen's fill area, or scaled
// evenly to cover it and centred, and refitted whenever the area or the animation changes.
#pragma once

#include "gui/widgets/SpriteWidget.h"

namespace Corvale
{
enum ScreenFillMode : i32
{
   SCREEN_FILL_FULL = 0,
   SCREEN_FILL_FULL_KEEP_ASPECT_RATIO = 1
};

class ScreenFillSpriteWidget : public SpriteWidget
{
 public:
   ScreenFillSpriteWidget() = default;
   ~ScreenFillSpriteWidget() override;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "ScreenFillSpriteWidget"; }
   using Widget::BoundsSet;
   void BoundsSet(const Box2F& box) override;
   void AnimationSet(const char* fileName, const char* animationName) override;
   void AnimationClear() override;

   virtual void FillModeSet(i32 mode) { fillMode = mode; }
   virtual i32 FillModeGet() { return fillMode; }
   // Scale and position from the animation's box and the fill area; bounds over the area unless
   // they were given.
   virtual void Refit();

   // The window changed: the fill area may have moved.
   void OnWindowChange() { Refit(); }
   // Makes "ScreenFillSprite" known to the widget-type registry.
   static void TypeRegister();

   i32 fillMode = SCREEN_FILL_FULL_KEEP_ASPECT_RATIO;
   u8 boundsGiven = 0;
   // Registered for "OnWindowChange" between Init and Deinit.
   u8 windowEventsRegistered = 0;
};
} // namespace Corvale
