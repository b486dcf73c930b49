// Save and load of a document of 10,000 reflected records (players of two classes with actions):
// the counter "per_record" gives the time of one record.
#include <benchmark/benchmark.h>

#include <chrono>

#include "tests/core/ReflectionTestRecords.h"

using namespace Corvale;
using namespace ReflectionTest;

namespace
{
constexpr i32 RECORD_COUNT = 10000;

double Seconds(std::chrono::steady_clock::time_point since)
{
   return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Seconds per record, printed with an SI prefix ("1.5u" is 1.5 microseconds).
void RecordTimeReport(benchmark::State& state)
{
   state.counters["per_record"] = benchmark::Counter(
       RECORD_COUNT, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

struct Document
{
   Document()
   {
      RecordsRegister();
      game = MemoryNew<Solitaire>(HEAP_DEFAULT);
      // Half plain players and half derived ones, then as many actions: 10,000 records in all.
      for (i32 i = 0; i < RECORD_COUNT / 2; i++)
      {
         Player* player = i % 2 ? MemoryNew<HeartsPlayer>(HEAP_DEFAULT) : MemoryNew<Player>(HEAP_DEFAULT);
         player->Init();
         player->id = i;
         player->name = StringDuplicate("Player", HEAP_DEFAULT);
         game->players.Insert(player, game->players.count);
         Action action;
         action.Clear();
         action.type = i;
         action.command.intParam0 = i;
         game->actionQueue.Insert(action, game->actionQueue.count);
      }
      value = JSONValue::New(HEAP_DEFAULT);
      ReflectionManager::JSONSave(game, value, {});
   }
   ~Document()
   {
      MemoryDelete(value);
      MemoryDelete(game);
      ReflectionManager::Deinit();
   }

   Solitaire* game;
   JSONValue* value;
};

void ReflectionSave(benchmark::State& state)
{
   Document document;
   for (auto _ : state)
   {
      // Into a fresh value each time, so that every member is created as a first save does.
      JSONValue* value = JSONValue::New(HEAP_DEFAULT);
      auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(ReflectionManager::JSONSave(document.game, value, {}));
      state.SetIterationTime(Seconds(start));
      // Freeing the tree is the heap's cost, not reflection's.
      MemoryDelete(value);
   }
   RecordTimeReport(state);
}
BENCHMARK(ReflectionSave)->Unit(benchmark::kMillisecond)->UseManualTime();

// Loads over the live game reuse its players and buffers, as reloading into the running game does.
void ReflectionReload(benchmark::State& state)
{
   Document document;
   for (auto _ : state)
   {
      benchmark::DoNotOptimize(ReflectionManager::JSONLoad(document.game, document.value, {}));
   }
   RecordTimeReport(state);
}
BENCHMARK(ReflectionReload)->Unit(benchmark::kMillisecond);

void ReflectionLoad(benchmark::State& state)
{
   Document document;
   for (auto _ : state)
   {
      // Into a fresh game each time, so that every player is created as a first load does.
      Solitaire* game = MemoryNew<Solitaire>(HEAP_DEFAULT);
      auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(ReflectionManager::JSONLoad(game, document.value, {}));
      state.SetIterationTime(Seconds(start));
      MemoryDelete(game);
   }
   RecordTimeReport(state);
}
BENCHMARK(ReflectionLoad)->Unit(benchmark::kMillisecond)->UseManualTime();
} // namespace
