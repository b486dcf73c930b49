// Snapping and clamping of a value range.
#include "gui/widgets/FloatRange.h"

#include <cmath>

#include "core/Log.h"

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

void FloatRange::GridWarn(const char* typeName, const char* widgetName, const char* key, float number)
{
   float step = StepMinimumGet();
   float low = MinimumGet();
   float q = (number - low) / step;
   if (std::floor(q) == q)
   {
      return;
   }
   if (widgetName)
   {
      WarningPrintf("%s %s -- %s %f is not a multiple of the minimum step %f from the minimum %f\n", typeName,
                    widgetName, key, number, step, low);
   }
   else
   {
      WarningPrintf("%s -- %s %f is not a multiple of the minimum step %f from the minimum %f\n", typeName,
                    key, number, step, low);
   }
}
} // namespace Corvale
