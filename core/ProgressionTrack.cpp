// Timed progress of one motion through an easing curve.
#include "core/ProgressionTrack.h"

#include "core/Progression.h"

namespace Corvale
{
void ProgressionTrack::MotionStart(u32 delay, u32 duration, const Point2F& fromPoint, const Point2F& toPoint,
                                   const Progression* progression)
{
   active = 1;
   finished = 0;
   elapsed = 0;
   start = delay;
   end = delay + duration;
   curve = progression;
   from = fromPoint;
   to = toPoint;
   if (end == 0)
   {
      finished = 1;
   }
}

float ProgressionTrack::ProgressGet() const
{
   float t;
   if (!active || elapsed < start)
   {
      t = 0.0f;
   }
   else if (finished || end == start)
   {
      t = 1.0f;
   }
   else
   {
      t = static_cast<float>(elapsed - start) / static_cast<float>(end - start);
   }
   // A track started without a curve runs linearly rather than through a null pointer.
   return curve ? curve->ValueGet(t) : progressionLinear.ValueGet(t);
}
} // namespace Corvale
