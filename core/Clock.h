// The millisecond clock that gives the main loop its time base.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class ClockCommon
{
 public:
   u8 running = 0;
   u32 timeStart = 0;
   u32 timeLast = 0;
   u32 counters[2] = {0, 0};

   virtual ~ClockCommon() = default;
   // Starts the clock; returns the time it started at.
   virtual u32 Start();
   virtual u32 TimeGet() = 0;
};

// Milliseconds since Start, wrapping with the 32-bit system time.
class Clock : public ClockCommon
{
 public:
   u32 timeBase = 0;

   u32 Start() override;
   u32 TimeGet() override;

 protected:
   // Milliseconds of a monotonic system clock, truncated to 32 bits.
   virtual u32 SystemTimeGet();
};
} // namespace Corvale
