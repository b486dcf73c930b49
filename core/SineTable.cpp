// The sine table's entries and the wrapping of positions into it.
#include "core/SineTable.h"

#include <cmath>

namespace Corvale
{
namespace
{
struct SineTable
{
   float entries[SINE_TABLE_SIZE];

   SineTable()
   {
      const double turn = 6.283185307179586476925;
      for (i32 i = 0; i < SINE_TABLE_SIZE; ++i)
      {
         // Six decimals, as the values were always stored; n / 1e6 in float is the nearest float
         // to the decimal, as a literal of it would be.
         const double micro = std::round(std::sin(turn * i / SINE_TABLE_SIZE) * 1000000.0);
         entries[i] = static_cast<float>(micro) / 1000000.0f;
      }
   }
};
} // namespace

const float* SineTableGet()
{
   static const SineTable table;
   return table.entries;
}

i32 SineTableIndexGet(float position)
{
   if (!(std::fabs(position) < 2147483520.0f))
   {
      return 0;
   }
   return static_cast<i32>(position) & (SINE_TABLE_SIZE - 1);
}
} // namespace Corvale
