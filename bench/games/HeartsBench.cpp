// Hearts played by four computer players without a window: every computer turn's decision timed
// against 10 ms (worst and median, as ratios), and whole seeded games per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/profile/SettingsApply.h"
#include "bench/games/GamesBenchEngine.h"
#include "core/JSONValue.h"
#include "games/tricktaking/Hearts.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"

using namespace Corvale;

namespace
{
constexpr double DECISION_TARGET_MS = 10.0;

// Hearts without its layer; each decision of the computer players is timed.
class TimedHearts : public Hearts
{
 public:
   const char* LayerNameGet() override { return nullptr; }

   void AITurnTake() override
   {
      const auto start = std::chrono::steady_clock::now();
      Hearts::AITurnTake();
      decisions.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
   }

   std::vector<double> decisions;
};

void HeartsComputerGames(benchmark::State& state)
{
   if (!GamesBench::EngineStart())
   {
      state.SkipWithError("no generated data");
      return;
   }
   const char* const passings[] = {"Alternates", "AlwaysLeft", "Never"};
   TimedHearts game;
   GameStateManager::Init(&game);
   i64 games = 0;
   i64 unfinished = 0;
   double seconds = 0.0;
   for (auto _ : state)
   {
      for (i32 seed = 1; seed <= 1000; ++seed)
      {
         JSONValue* options = ProfileMinigameSettingsGet("Hearts");
         options->ItemStringSet("Passing", passings[seed % 3]);
         options->ItemBoolSet("JackOfDiamondsWorthNegative10Points", seed % 2 == 0);
         game.seed1 = static_cast<u32>(seed) * 7919u;
         game.seed2 = static_cast<u32>(seed) * 104729u;
         const auto start = std::chrono::steady_clock::now();
         game.GameNew();
         game.players[0]->human = false;
         for (i32 frame = 0; frame < 400000 && game.gameResult == MINIGAME_RESULT_RUNNING; ++frame)
         {
            PopupManager::Update(400);
            game.Update(400);
            if (game.subgameOver && game.actionQueue.count == 0 && !game.CardsAnimatingCheck())
            {
               game.ResultsContinue();
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
   // Games that reached the frame cap without an end; any is a fault.
   state.counters["games_unfinished"] = static_cast<double>(unfinished);
   state.counters["decisions"] = static_cast<double>(times.size());
   state.counters["worst_over_10ms"] = worst / DECISION_TARGET_MS;
   state.counters["median_over_10ms"] = median / DECISION_TARGET_MS;
   state.counters["games_per_second"] = seconds > 0.0 ? static_cast<double>(games) / seconds : 0.0;
}
BENCHMARK(HeartsComputerGames)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace
