// The millisecond clock over the standard library's monotonic clock.
#include "core/Clock.h"

#include <chrono>

namespace Corvale
{
u32 ClockCommon::Start()
{
   running = 1;
   u32 now = TimeGet();
   timeStart = now;
   timeLast = now;
   counters[0] = 0;
   counters[1] = 0;
   return now;
}

u32 Clock::Start()
{
   timeBase = SystemTimeGet();
   return ClockCommon::Start();
}

u32 Clock::TimeGet()
{
   // Unsigned subtraction keeps counting across the wrap of the system time.
   return SystemTimeGet() - timeBase;
}

u32 Clock::SystemTimeGet()
{
   auto since = std::chrono::steady_clock::now().time_since_epoch();
   return static_cast<u32>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}
} // namespace Corvale
