// Crazy Eights played by four computer players without a window, options drawn per seed: every
// computer decision timed against 10 ms (worst and median, as ratios), and whole games per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "bench/games/ComputerGamesBench.h"
#include "cardgame/Player.h"
#include "core/JSONValue.h"
#include "games/table/CrazyEights.h"
#include "games/table/CrazyEightsPopups.h"
#include "gui/state/GameStateManager.h"

using namespace Corvale;

namespace
{
constexpr double DECISION_TARGET_MS = 10.0;

// Crazy Eights without its layer; each decision of the computer players is timed.
class TimedCrazyEights : public CrazyEights
{
 public:
   const char* LayerNameGet() override { return nullptr; }

   void AITurnTake() override
   {
      const auto start = std::chrono::steady_clock::now();
      CrazyEights::AITurnTake();
      decisions.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
   }

   std::vector<double> decisions;
};

void CrazyEightsComputerGames(benchmark::State& state)
{
   if (!ComputerGamesEngineStart())
   {
      state.SkipWithError("no generated data");
      return;
   }
   const char* const conditions[] = {"1Hand", "1Hand", "100Points", "1Hand", "200Points"};
   TimedCrazyEights game;
   GameStateManager::Init(&game);
   i64 games = 0;
   i64 unfinished = 0;
   double seconds = 0.0;
   for (auto _ : state)
   {
      for (i32 seed = 1; seed <= 1000; ++seed)
      {
         JSONValue* options = ProfileMinigameSettingsGet("CrazyEights");
         options->ItemStringSet("Variation", seed % 2 ? "VeryCrazyEights" : "CrazyEights");
         options->ItemStringSet("GameOverCondition", conditions[(seed / 2) % 5]);
         options->ItemBoolSet("ReshuffleDiscards", (seed / 3) % 3 != 0);
         options->ItemBoolSet("OnlyDrawIfNecessary", (seed / 5) % 2 == 1);
         options->ItemBoolSet("DrawOneOnly", (seed / 7) % 2 == 1);
         game.seed1 = static_cast<u32>(seed) * 7919u;
         game.seed2 = static_cast<u32>(seed) * 104729u;
         const auto start = std::chrono::steady_clock::now();
         game.GameNew();
         game.players[0]->human = false;
         for (i32 frame = 0; frame < 20000 && game.gameResult == MINIGAME_RESULT_RUNNING; ++frame)
         {
            PopupManager::Update(400);
            game.Update(400);
            if (game.subgameOver && game.actionQueue.count == 0 && !game.CardsAnimatingCheck())
            {
               CrazyEightsResultsPopup::ResultsContinue(nullptr, nullptr, &game);
            }
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
   // Games still running at the frame cap: computers circling with a stock of eights alone.
   state.counters["games_unfinished"] = static_cast<double>(unfinished);
   state.counters["decisions"] = static_cast<double>(times.size());
   state.counters["worst_over_10ms"] = worst / DECISION_TARGET_MS;
   state.counters["median_over_10ms"] = median / DECISION_TARGET_MS;
   state.counters["games_per_second"] = seconds > 0.0 ? static_cast<double>(games) / seconds : 0.0;
}
BENCHMARK(CrazyEightsComputerGames)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace
