// Cost of evaluating the easing curves, which run for every moving card, particle and transition
// each frame: the table-driven ones should cost no more than the polynomial ones.
#include <benchmark/benchmark.h>

#include "core/Progression.h"

using namespace Corvale;

namespace
{
void CurveEvaluate(benchmark::State& state, const Progression* curve)
{
   float t = 0.0f;
   for (auto _ : state)
   {
      benchmark::DoNotOptimize(curve->ValueGet(t));
      t += 0.0009765625f;
      if (t > 1.0f)
      {
         t = 0.0f;
      }
   }
}
} // namespace

BENCHMARK_CAPTURE(CurveEvaluate, Linear, &progressionLinear);
BENCHMARK_CAPTURE(CurveEvaluate, Smooth, &progressionSmooth);
BENCHMARK_CAPTURE(CurveEvaluate, SmoothStop, &progressionSmoothStop);
BENCHMARK_CAPTURE(CurveEvaluate, ElasticStop, &progressionElasticStop);
BENCHMARK_CAPTURE(CurveEvaluate, BounceStop, &progressionBounceStop);
