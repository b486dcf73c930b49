// A value between two bounds shown as a fill sprite cut to the filled width over an optional
// background; in indeterminate mode a bar of fixed width sweeps across the fill instead.
#pragma once

#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/FloatRange.h"
#include "gui/widgets/SpriteWidget.h"

namespace Corvale
{
class WidgetChildSprite;

// The fill: it clips itself to the part of its sprite that its parent bar shows.
class ProgressBarSpriteWidget : public SpriteWidget
{
 public:
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "ProgressBarSpriteWidget"; }

   virtual float SweepTimeGet() { return sweepTime; }
   virtual void SweepTimeSet(float milliseconds) { sweepTime = milliseconds; }

   // Milliseconds into the current indeterminate sweep.
   float sweepTime = 0.0f;
};

class ProgressBarWidget : public ContainerWidget, public FloatRange
{
 public:
   ProgressBarWidget() = default;
   ~ProgressBarWidget() override;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   const char* TypeNameGet() override { return "ProgressBarWidget"; }
   bool PixelTest(const Point2F& point) override;

   virtual void PixelStepSet(float step) { pixelStep = step; }
   virtual float PixelStepGet() { return pixelStep; }
   virtual bool IndeterminateGet() { return indeterminate != 0; }
   // Turning it on starts the sweep over from the left.
   virtual void IndeterminateSet(bool on);
   virtual i32 IndeterminateEffectBarWidthGet() { return indeterminateEffectBarWidth; }
   virtual void IndeterminateEffectBarWidthSet(i32 width) { indeterminateEffectBarWidth = width; }
   virtual float IndeterminateEffectDurationGet() { return indeterminateEffectDuration; }
   virtual void IndeterminateEffectDurationSet(float milliseconds)
   {
      indeterminateEffectDuration = milliseconds;
   }

   // Makes "ProgressBar" known to the widget-type registry.
   static void TypeRegister();

   u8 indeterminate = 0;
   i32 indeterminateEffectBarWidth = 16;
   // One sweep, in milliseconds.
   float indeterminateEffectDuration = 1000.0f;
   // The fill width and the sweep position are multiples of it; 0 for none.
   float pixelStep = 1.0f;
   WidgetChildSprite* backgroundSprite = nullptr;
   ProgressBarSpriteWidget* fill = nullptr;
};
} // namespace Corvale
