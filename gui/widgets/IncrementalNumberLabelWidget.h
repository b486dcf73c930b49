// A number label whose shown value moves toward a target over time, with a pulsing text scale and a
// sound while it moves. Setting the value jumps straight to it.
#pragma once

#include "gui/widgets/NumberLabelWidget.h"

namespace Corvale
{
class Sound;

class IncrementalNumberLabelWidget : public NumberLabelWidget
{
 public:
   IncrementalNumberLabelWidget() = default;
   ~IncrementalNumberLabelWidget() override;

   // After the number label's keys: "IncrementRate", "DifferenceDecaySpeed", "ScaleRate",
   // "ScaleOffsetMax", "Pulse" and "IncrementSound".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "IncrementalNumberLabelWidget"; }
   // Target, current and shown value all become the new value.
   void ValueSet(double newValue) override;

   // Makes "IncrementalNumberLabel" known to the widget-type registry.
   static void TypeRegister();

   Sound* incrementSound = nullptr;
   double targetValue = 0.0;
   double currentValue = 0.0;
   float currentScale = 1.0f;
   Point2F baseScale{1.0f, 1.0f};
   float scaleRate = 1.0f;
   float scaleOffsetMax = 1.3f;
   float incrementRate = 1.0f;
   float differenceDecaySpeed = 0.0f;
   u8 pulse = 1;

 private:
   void IncrementSoundRelease();
};
} // namespace Corvale
