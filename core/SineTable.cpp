// The shared sine table: built once, on first use, as single-precision floats.
#include "core/SineTable.h"

#include <cmath>

namespace Corvale
{
namespace
{
struct SineValues
{
   float values[SineTable::SIZE];

   SineValues()
   {
      for (i32 i = 0; i < SineTable::SIZE; i++)
      {
         values[i] = static_cast<float>(std::sin(6.283185307179586 * i / SineTable::SIZE));
      }
   }
};

const float* ValuesGet()
{
   static const SineValues table;
   return table.values;
}
} // namespace

float SineTable::ValueGet(i32 index)
{
   return ValuesGet()[index & MASK];
}

i32 SineTable::IndexGet(float position)
{
   if (!(std::fabs(position) < 2147483647.0f))
   {
      return 0;
   }
   return static_cast<i32>(position) & MASK;
}

i32 SineTable::DegreesIndexGet(float degrees)
{
   return IndexGet(degrees * static_cast<float>(SIZE) / 360.0f);
}

float SineTable::SineGet(float degrees)
{
   return ValueGet(DegreesIndexGet(degrees));
}

float SineTable::CosineGet(float degrees)
{
   return ValueGet(DegreesIndexGet(degrees) + QUARTER);
}
} // namespace Corvale
