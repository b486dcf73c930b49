// Press-and-hold repeat timing shared by widgets, the GUI manager and the tutorials.
#include "platform/input/HoldTracker.h"

namespace Corvale
{
bool HoldTracker::Step(bool held, u32 elapsed)
{
   bool notify = false;
   if (!held)
   {
      count = 0;
   }
   else if (holding)
   {
      // A long frame's overshoot is dropped on purpose: at most one repeat per step.
      if (elapsed >= remaining)
      {
         remaining = interval;
         notify = true;
      }
      else
      {
         remaining -= elapsed;
      }
   }
   else
   {
      remaining = startDelay;
      notify = fireOnStart;
   }
   holding = held;
   if (notify)
   {
      ++count;
   }
   return notify;
}
} // namespace Corvale
