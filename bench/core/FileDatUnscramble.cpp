// Unscrambling archive contents runs over every byte the program loads: measure its throughput.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/FileDat.h"

static void BM_FileDatUnscramble(benchmark::State& state)
{
   std::vector<Corvale::u8> bytes(static_cast<size_t>(state.range(0)), 0x42);
   for (auto _ : state)
   {
      Corvale::FileDatUnscramble(bytes.data(), static_cast<Corvale::u32>(bytes.size()), 0x5A);
      benchmark::DoNotOptimize(bytes.data());
   }
   state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_FileDatUnscramble)->Arg(37)->Arg(4096)->Arg(1 << 20);
