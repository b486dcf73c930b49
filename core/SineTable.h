// The shared 4096-entry sine table for one full turn: widgets, cards and effects look angles up
// here instead of calling sin and cos each frame.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class SineTable
{
 public:
   static constexpr i32 SIZE = 4096;
   static constexpr i32 MASK = SIZE - 1;
   // Entries past a quarter turn: the cosine's offset.
   static constexpr i32 QUARTER = SIZE / 4;

   // Entry index & MASK: sin(2π index / 4096).
   static float ValueGet(i32 index);
   // The position (in entries) truncated toward zero and masked; a position too large to index,
   // or NaN, reads entry 0.
   static i32 IndexGet(float position);
   // trunc(degrees × 4096 / 360), masked.
   static i32 DegreesIndexGet(float degrees);
   static float SineGet(float degrees);
   // The sine's index plus a quarter turn.
   static float CosineGet(float degrees);
};
} // namespace Corvale
