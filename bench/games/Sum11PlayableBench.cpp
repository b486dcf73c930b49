// Sum 11's playable highlight is a subset search per card. Its worst table: twelve pyramid cards
// free at once (the most the covering allows) and the current card, all Twos, so that no eleven
// exists and every search runs to its end. The searches of one highlight, in CPU milliseconds,
// against a 1 ms target.
#include <benchmark/benchmark.h>

#include <ctime>

#include "games/solitaire/Sum11Solitaire.h"

using namespace Corvale;

namespace
{
// The thread's CPU time, so that a loaded machine's waits do not count.
double ThreadCPUMillisecondsGet()
{
   timespec now{};
   clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
   return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

void Sum11PlayableHighlightWorst(benchmark::State& state)
{
   constexpr i32 FREE_CARDS = 13;
   i32 others[FREE_CARDS - 1];
   for (i32& rank : others)
   {
      rank = 2;
   }
   double worst = 0.0;
   for (auto _ : state)
   {
      const double start = ThreadCPUMillisecondsGet();
      bool any = false;
      // One search for each free card, over the ranks of the other twelve.
      for (i32 card = 0; card < FREE_CARDS; ++card)
      {
         any = Sum11Solitaire::ElevenCompletableCheck(2, others, 0, FREE_CARDS - 1) || any;
      }
      benchmark::DoNotOptimize(any);
      const double ms = ThreadCPUMillisecondsGet() - start;
      worst = ms > worst ? ms : worst;
   }
   state.counters["worst_ms"] = worst;
   state.counters["target_ms"] = 1.0;
}
BENCHMARK(Sum11PlayableHighlightWorst)->Unit(benchmark::kMicrosecond)->Iterations(1000);
} // namespace
