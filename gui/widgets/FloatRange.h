// The value model behind every widget that shows or edits a number between two bounds: a value
// clamped into [minimum, maximum] and, when a step is set, snapped to a grid from the minimum.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class FloatRange
{
 public:
   FloatRange() = default;
   virtual ~FloatRange() = default;

   // Snaps first, then clamps: the minimum bound is applied before the maximum, so an inverted
   // range always ends on the maximum.
   virtual void ValueSet(float newValue);
   virtual float ValueGet() { return value; }
   virtual float MaximumGet() { return maximum; }
   // The value is left alone; it may lie above the new maximum until the next ValueSet.
   virtual void MaximumSet(float newMaximum) { maximum = newMaximum; }
   virtual float MinimumGet() { return minimum; }
   // With a step the value is snapped again to the grid anchored at the new minimum.
   virtual void MinimumSet(float newMinimum);
   virtual float StepMinimumGet() { return stepMinimum; }
   virtual void StepMinimumSet(float newStep);
   virtual float ValueSnap(float candidate);
   virtual float RangeGet() { return MaximumGet() - MinimumGet(); }

 protected:
   // What ValueSet stores, for owners that write the value field themselves.
   float ValueConstrainedGet(float candidate);
   // Logs a number read from a layout that lies off the step grid; the number is kept as read.
   void GridWarn(const char* typeName, const char* widgetName, const char* key, float number);

   float value = 0.0f;
   float maximum = 100.0f;
   float minimum = 0.0f;
   // 0: values are not snapped.
   float stepMinimum = 0.0f;
};
} // namespace Corvale
