// The small timer record through which a motion runs an easing curve: the owner advances
// `elapsed` each frame and reads the eased progress back.
#pragma once

#include "core/Point.h"
#include "core/Types.h"

namespace Corvale
{
class Progression;

class ProgressionTrack
{
 public:
   void MotionStart(u32 delay, u32 duration, const Point2F& from, const Point2F& to,
                    const Progression* curve);
   // The curve's value of the elapsed fraction between start and end.
   float ProgressGet() const;

   u8 active = 0;
   u8 finished = 0;
   u32 start = 0;
   u32 end = 0;
   u32 elapsed = 0;
   const Progression* curve = nullptr;
   Point2F from;
   Point2F to;
};
} // namespace Corvale
