// Map<K,V> against std::map: insert, find and remove of 100,000 shuffled keys; each benchmark
// reports its time relative to std::map as the counter "ratio".
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <random>
#include <vector>

#include "core/Map.h"
#include "core/Memory.h"

using namespace Corvale;

namespace
{
constexpr i32 KEY_COUNT = 100000;

const std::vector<u32>& Keys()
{
   static std::vector<u32> keys;
   if (keys.empty())
   {
      for (i32 i = 0; i < KEY_COUNT; i++)
      {
         keys.push_back(static_cast<u32>(i) * 2654435761u);
      }
      std::shuffle(keys.begin(), keys.end(), std::mt19937(42));
   }
   return keys;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
   return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Inserts every key, then finds them, then removes them; returns the seconds of the phase asked for.
template <class M> double Phases(i32 phase, const std::vector<u32>& keys, M& map)
{
   auto started = std::chrono::steady_clock::now();
   double insert = 0.0;
   for (u32 key : keys)
   {
      if constexpr (std::is_same<M, std::map<u32, u32>>::value)
      {
         map.emplace(key, key);
      }
      else
      {
         map.Insert(key, key);
      }
   }
   insert = Seconds(started);
   if (phase == 0)
   {
      return insert;
   }
   started = std::chrono::steady_clock::now();
   u64 sum = 0;
   for (u32 key : keys)
   {
      if constexpr (std::is_same<M, std::map<u32, u32>>::value)
      {
         sum += map.find(key)->second;
      }
      else
      {
         sum += map.Find(key)->value;
      }
   }
   benchmark::DoNotOptimize(sum);
   double find = Seconds(started);
   if (phase == 1)
   {
      return find;
   }
   started = std::chrono::steady_clock::now();
   for (u32 key : keys)
   {
      if constexpr (std::is_same<M, std::map<u32, u32>>::value)
      {
         map.erase(key);
      }
      else
      {
         map.Remove(key);
      }
   }
   return Seconds(started);
}

// phase 0 insert, 1 find, 2 remove; only the phase asked for is timed.
void MapPhase(benchmark::State& state, i32 phase)
{
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
   }
   const std::vector<u32>& keys = Keys();
   double ours = 0.0;
   double standard = 0.0;
   for (auto _ : state)
   {
      (void)_;
      Map<u32, u32> map;
      std::map<u32, u32> reference;
      ours += Phases(phase, keys, map);
      standard += Phases(phase, keys, reference);
   }
   state.counters["ratio"] = standard > 0.0 ? ours / standard : 0.0;
   state.SetItemsProcessed(state.iterations() * KEY_COUNT);
}

void BM_MapInsert(benchmark::State& state)
{
   MapPhase(state, 0);
}
void BM_MapFind(benchmark::State& state)
{
   MapPhase(state, 1);
}
void BM_MapRemove(benchmark::State& state)
{
   MapPhase(state, 2);
}
} // namespace

BENCHMARK(BM_MapInsert)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapFind)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapRemove)->Unit(benchmark::kMillisecond);
