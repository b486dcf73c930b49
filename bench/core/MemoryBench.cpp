// Allocation and free throughput of the expandable heap against the C library heap, for small
// (16-256 bytes) and large blocks; the "ratio" counter is heap time over malloc time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "core/HeapDelegateExpandable.h"

using namespace Corvale;

namespace
{
constexpr int BATCH = 512;

// Allocates a batch of sizes, then frees every other block and the rest, so that frees meet
// both used and free neighbours.
template <class AllocateFn, class FreeFn>
double BatchRun(const std::vector<u32>& sizes, AllocateFn allocate, FreeFn release)
{
   std::vector<void*> blocks(sizes.size());
   auto start = std::chrono::steady_clock::now();
   for (size_t i = 0; i < sizes.size(); i++)
   {
      blocks[i] = allocate(sizes[i]);
      benchmark::DoNotOptimize(blocks[i]);
   }
   for (size_t i = 0; i < blocks.size(); i += 2)
   {
      release(blocks[i]);
   }
   for (size_t i = 1; i < blocks.size(); i += 2)
   {
      release(blocks[i]);
   }
   return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
}

void HeapAgainstMalloc(benchmark::State& state)
{
   u32 minSize = static_cast<u32>(state.range(0));
   u32 maxSize = static_cast<u32>(state.range(1));
   std::vector<u32> sizes(BATCH);
   u32 seed = 1;
   for (u32& size : sizes)
   {
      seed = seed * 1103515245u + 12345u;
      size = minSize + (seed >> 8) % (maxSize - minSize + 1);
   }
   const u32 regionSize = 0x4000000;
   void* region = std::malloc(regionSize);
   static HeapDelegateExpandable<40> heap;
   heap.Init(region, 1, regionSize);

   double heapNs = 0;
   double mallocNs = 0;
   for (auto _ : state)
   {
      heapNs += BatchRun(
          sizes, [](u32 size) { return heap.Allocate(size); }, [](void* p) { heap.Free(p); });
      mallocNs += BatchRun(
          sizes, [](u32 size) { return std::malloc(size); }, [](void* p) { std::free(p); });
   }
   double operations = static_cast<double>(state.iterations()) * BATCH;
   state.counters["heap_ns"] = heapNs / operations;
   state.counters["malloc_ns"] = mallocNs / operations;
   state.counters["ratio"] = mallocNs > 0 ? heapNs / mallocNs : 0;
   state.SetItemsProcessed(static_cast<int64_t>(operations) * 2);
   heap.Deinit();
   std::free(region);
}
} // namespace

BENCHMARK(HeapAgainstMalloc)
    ->Args({16, 256})
    ->Args({16, 64})
    ->Args({1024, 65536})
    ->Unit(benchmark::kMicrosecond);
