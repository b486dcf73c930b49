// Snapping and clamping of a value range.
#include "gui/widgets/FloatRange.h"

#include <cmath>

namespace Corvale
{
void FloatRange::ValueSet(float newValue)
{
   value = ValueConstrainedGet(newValue);
}

void FloatRange::MinimumSet(float newMinimum)
{
   minimum = newMinimum;
   if (StepMinimumGet() != 0.0f)
   {
      ValueSet(ValueGet());
   }
}

void FloatRange::StepMinimumSet(float newStep)
{
   stepMinimum = newStep;
   if (newStep != 0.0f)
   {
      ValueSet(ValueGet());
   }
}

float FloatRange::ValueSnap(float candidate)
{
   float step = StepMinimumGet();
   float low = MinimumGet();
   if (step == 0.0f)
   {
      return candidate;
   }
   // Single precision up to the floor, which rounds halfway values up, also below zero.
   float q = (candidate - low) / step + 0.5f;
   float steps = static_cast<float>(std::floor(static_cast<double>(q)));
   return steps * step + low;
}

float FloatRange::ValueConstrainedGet(float candidate)
{
   float high = MaximumGet();
   float low = MinimumGet();
   float snapped = ValueSnap(candidate);
   float t = low > snapped ? low : snapped;
   return t > high ? high : t;
}
} // namespace Corvale
