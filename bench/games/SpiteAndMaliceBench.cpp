// Spite and Malice without a window: every computer decision of 1,000 seeded games of two computer
// players (Variation and Difficulty drawn per seed) timed against 10 ms (worst and median, as
// ratios), the worst single decision's goal-chain searches, and games per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "bench/games/GamesBenchEngine.h"
#include "cardgame/Player.h"
#include "core/JSONValue.h"
#include "games/table/SpiteAndMalice.h"
#include "gui/state/GameStateManager.h"

using namespace Corvale;

namespace
{
constexpr double DECISION_TARGET_MS = 10.0;

class TimedSpiteAndMalice : public SpiteAndMalice
{
 public:
   const char* LayerNameGet() override { return nullptr; }

   void AITurnTake() override
   {
      const auto start = std::chrono::steady_clock::now();
      SpiteAndMalice::AITurnTake();
      decisions.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      chainCallsWorst = std::max(chainCallsWorst, goalChainCalls);
   }

   std::vector<double> decisions;
   i32 chainCallsWorst = 0;
};

void SpiteAndMaliceComputerGames(benchmark::State& state)
{
   if (!GamesBench::EngineStart())
   {
      state.SkipWithError("no generated data");
      return;
   }
   TimedSpiteAndMalice game;
   GameStateManager::Init(&game);
   JSONValue* options = ProfileMinigameSettingsGet("SpiteAndMalice");
   const char* variations[] = {"SingleGame", "SingleGame", "Match25", "SingleGame", "Match50", "Match100"};
   const char* difficulties[] = {"Easy", "Medium", "Hard"};
   i64 games = 0;
   i64 unfinished = 0;
   double seconds = 0.0;
   for (auto _ : state)
   {
      for (i32 seed = 1; seed <= 1000; ++seed)
      {
         if (options)
         {
            options->ItemStringSet("Variation", variations[seed % 6]);
            options->ItemStringSet("Difficulty", difficulties[seed % 3]);
         }
         game.seed1 = static_cast<u32>(seed) * 7919u;
         game.seed2 = static_cast<u32>(seed) * 104729u;
         const auto start = std::chrono::steady_clock::now();
         game.GameNew();
         game.players[0]->human = false;
         for (i32 frame = 0; frame < 60000 && game.gameResult == MINIGAME_RESULT_RUNNING; ++frame)
         {
            PopupManager::Update(400);
            game.Update(400);
         }
         seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
         games++;
         unfinished += game.gameResult == MINIGAME_RESULT_RUNNING ? 1 : 0;
      }
   }
   GameStateManager::Deinit();
   std::vector<double>& times = game.decisions;
   std::sort(times.begin(), times.end());
   const double worst = times.empty() ? 0.0 : times.back();
   const double median = times.empty() ? 0.0 : times[times.size() / 2];
   // Games that reached the frame cap without an end; any is a fault.
   state.counters["games_unfinished"] = static_cast<double>(unfinished);
   state.counters["decisions"] = static_cast<double>(times.size());
   state.counters["worst_over_10ms"] = worst / DECISION_TARGET_MS;
   state.counters["median_over_10ms"] = median / DECISION_TARGET_MS;
   state.counters["worst_goal_chain_calls"] = static_cast<double>(game.chainCallsWorst);
   state.counters["games_per_second"] = seconds > 0.0 ? static_cast<double>(games) / seconds : 0.0;
}
BENCHMARK(SpiteAndMaliceComputerGames)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace
