// The six easing curves. The trigonometric ones read a rounded 4096-entry sine table instead of
// calling sin and cos, so their values are the table's, not the library's.
#include "core/Progression.h"

#include <cmath>

namespace Corvale
{
ProgressionLinear progressionLinear;
ProgressionSmooth progressionSmooth;
ProgressionSmoothStart progressionSmoothStart;
ProgressionSmoothStop progressionSmoothStop;
ProgressionElasticStop progressionElasticStop;
ProgressionBounceStop progressionBounceStop;

namespace
{
// Entries per degree, as a float: 4096 / 360.
constexpr float SINE_TABLE_DEGREE_SCALE = 11.377778f;

// The curves keep their own table of values rounded to six decimals; the shared one is exact.
constexpr i32 CURVE_SINE_TABLE_SIZE = 4096;

struct CurveSineTable
{
   float entries[CURVE_SINE_TABLE_SIZE];

   CurveSineTable()
   {
      const double turn = 6.283185307179586476925;
      for (i32 i = 0; i < CURVE_SINE_TABLE_SIZE; ++i)
      {
         // Six decimals, as the values were always stored; n / 1e6 in float is the nearest float
         // to the decimal, as a literal of it would be.
         const double micro = std::round(std::sin(turn * i / CURVE_SINE_TABLE_SIZE) * 1000000.0);
         entries[i] = static_cast<float>(micro) / 1000000.0f;
      }
   }
};

const float* CurveSineTableGet()
{
   static const CurveSineTable table;
   return table.entries;
}

// The offset terms are added one after the other in float; the index is truncated, not rounded.
float SineLookup(float degrees, float offset0, float offset1)
{
   const float position = degrees * SINE_TABLE_DEGREE_SCALE + offset0 + offset1;
   const i32 index = static_cast<i32>(position) & (CURVE_SINE_TABLE_SIZE - 1);
   return CurveSineTableGet()[index];
}

float Clamp01(float t)
{
   if (t < 0.0f)
   {
      return 0.0f;
   }
   if (t > 1.0f)
   {
      return 1.0f;
   }
   // NaN fails both tests above; treat it as the start so no index is computed from it.
   return t == t ? t : 0.0f;
}
} // namespace

float ProgressionLinear::ValueGet(float t) const
{
   return Clamp01(t);
}

float ProgressionSmooth::ValueGet(float t) const
{
   const float c = Clamp01(t);
   return 0.5f * SineLookup(c * 180.0f, 2048.0f, 1024.0f) + 0.5f;
}

float ProgressionSmoothStart::ValueGet(float t) const
{
   const float c = Clamp01(t);
   return SineLookup(c * 90.0f, 2048.0f, 1024.0f) + 1.0f;
}

float ProgressionSmoothStop::ValueGet(float t) const
{
   const float c = Clamp01(t);
   return SineLookup(c * 90.0f, 3072.0f, 1024.0f);
}

float ProgressionElasticStop::ValueGet(float t) const
{
   const float c = Clamp01(t);
   const float c2 = c * c;
   const float c3 = c2 * c;
   return c3 * 33.0f * c2 - c2 * 106.0f * c2 + c3 * 126.0f - c2 * 67.0f + c * 15.0f;
}

float ProgressionBounceStop::ValueGet(float t) const
{
   const float c = Clamp01(t);
   const float k = 7.5625f;
   if (c < 0.36363637f)
   {
      return k * c * c;
   }
   if (c < 0.72727275f)
   {
      const float d = c - 0.54545456f;
      return k * d * d + 0.75f;
   }
   if (c < 0.90909094f)
   {
      const float d = c - 0.8181818f;
      return k * d * d + 0.9375f;
   }
   const float d = c - 0.95454544f;
   return k * d * d + 0.984375f;
}
} // namespace Corvale
