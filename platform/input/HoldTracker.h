// Turns an input that stays held into numbered repeat notifications: optionally one when the
// hold begins, one after a start delay, then one every interval.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class HoldTracker
{
 public:
   HoldTracker() = default;
   virtual ~HoldTracker() = default;

   // Advances by one step; true when the owner should notify with the new count.
   bool Step(bool held, u32 elapsed);

   bool holding = false;
   bool fireOnStart = true;
   u32 remaining = 500;
   u32 startDelay = 500;
   u32 interval = 50;
   i32 count = 0;
};
} // namespace Corvale
