// The game base's per-frame cost: one queued action run per frame at full speed, and the update
// of a game with nothing queued, each against the 4 ms a frame may spend.
#include <benchmark/benchmark.h>

#include "app/profile/ProfileStore.h"
#include "app/profile/SettingsApply.h"
#include "cardgame/Minigame.h"
#include "core/Event.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "gui/state/GameStateManager.h"

using namespace Corvale;

namespace
{
constexpr double FRAME_TARGET_MS = 4.0;

class BenchGame : public Minigame
{
 public:
   i32 GameNumberGet() override { return 998; }
   const char* GameNameGet() override { return "BenchGame"; }
   i32 PlayersCountGet() override { return 1; }
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return 1; }
};

// The engine pieces the game base touches, once for the program.
void EngineStart()
{
   static bool started = false;
   if (started)
   {
      return;
   }
   started = true;
   // Another benchmark of the program may have started the engine already.
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
      Event::SystemInit();
   }
   MemoryDelete(consts);
   consts = JSONValue::New(HEAP_DEFAULT);
   consts->ObjectSet();
}

void QueueOneActionPerFrame(benchmark::State& state)
{
   EngineStart();
   BenchGame game;
   GameStateManager::Init(&game);
   gameSpeed = 100;
   Action action;
   action.Clear();
   action.type = ACTION_WAIT;
   action.startDelay = 500;
   i64 ran = 0;
   for (auto _ : state)
   {
      state.PauseTiming();
      for (i32 i = 0; i < 10000; ++i)
      {
         game.ActionPush(action, 0);
      }
      state.ResumeTiming();
      while (game.actionQueue.count > 0)
      {
         game.Update(16);
         ran++;
      }
   }
   GameStateManager::Deinit();
   state.SetItemsProcessed(ran);
   // Seconds per action over the 4 ms frame: the share of a frame one action costs.
   state.counters["frame_share_per_action"] =
       benchmark::Counter(static_cast<double>(ran) * FRAME_TARGET_MS * 1e-3,
                          benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
// Filling the queue costs a shift per post (new actions go in at the front), so few rounds.
BENCHMARK(QueueOneActionPerFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

void UpdateWithNothingQueued(benchmark::State& state)
{
   EngineStart();
   BenchGame game;
   GameStateManager::Init(&game);
   for (auto _ : state)
   {
      game.Update(16);
   }
   GameStateManager::Deinit();
   state.counters["frame_share"] =
       benchmark::Counter(static_cast<double>(state.iterations()) * FRAME_TARGET_MS * 1e-3,
                          benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(UpdateWithNothingQueued);
} // namespace
