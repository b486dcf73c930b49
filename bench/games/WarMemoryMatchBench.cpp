// War played by two computer players and Memory Match by a random chooser, without a window:
// War's every computer decision timed against 10 ms (worst and median, as ratios), and whole
// seeded games per second of each, over the options the soaks cycle through.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/games/GamesBenchEngine.h"
#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "games/table/MemoryMatch.h"
#include "games/table/War.h"
#include "gui/state/GameStateManager.h"

using namespace Corvale;

namespace
{
constexpr double DECISION_TARGET_MS = 10.0;
constexpr i32 FRAME_MS = 400;
constexpr i32 FRAME_CAP = 20000;

// War without its layer; each decision of the computer players is timed.
class TimedWar : public War
{
 public:
   const char* LayerNameGet() override { return nullptr; }

   void AITurnTake() override
   {
      const auto start = std::chrono::steady_clock::now();
      War::AITurnTake();
      decisions.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
   }

   std::vector<double> decisions;
};

class HeadlessMemoryMatch : public MemoryMatch
{
 public:
   const char* LayerNameGet() override { return nullptr; }
};

void Frame(CardGame& game)
{
   PopupManager::Update(FRAME_MS);
   game.Update(FRAME_MS);
}

void WarComputerGames(benchmark::State& state)
{
   if (!GamesBench::EngineStart())
   {
      state.SkipWithError("no generated data");
      return;
   }
   const char* const conditions[] = {"AllCards", "3Wars", "6Wars", "9Wars"};
   TimedWar game;
   GameStateManager::Init(&game);
   i64 games = 0;
   i64 unfinished = 0;
   double seconds = 0.0;
   for (auto _ : state)
   {
      for (i32 seed = 1; seed <= 1000; ++seed)
      {
         JSONValue* options = ProfileMinigameSettingsGet("War");
         options->ItemStringSet("GameEndCondition", conditions[seed % 4]);
         options->ItemBoolSet("WarPeace", (seed / 4) % 2 == 1);
         game.seed1 = static_cast<u32>(seed) * 7919u;
         game.seed2 = static_cast<u32>(seed) * 104729u;
         const auto start = std::chrono::steady_clock::now();
         game.GameNew();
         game.players[0]->human = false;
         for (i32 frame = 0; frame < FRAME_CAP && game.gameResult == MINIGAME_RESULT_RUNNING; ++frame)
         {
            Frame(game);
         }
         seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
         games++;
         // Games of only even battles can go round for ever under "AllCards": counted, not a fault.
         unfinished += game.gameResult == MINIGAME_RESULT_RUNNING ? 1 : 0;
      }
   }
   GameStateManager::Deinit();
   std::vector<double>& times = game.decisions;
   std::sort(times.begin(), times.end());
   state.counters["games_unfinished"] = static_cast<double>(unfinished);
   state.counters["decisions"] = static_cast<double>(times.size());
   state.counters["worst_over_10ms"] = times.empty() ? 0.0 : times.back() / DECISION_TARGET_MS;
   state.counters["median_over_10ms"] = times.empty() ? 0.0 : times[times.size() / 2] / DECISION_TARGET_MS;
   state.counters["games_per_second"] = seconds > 0.0 ? static_cast<double>(games) / seconds : 0.0;
}
BENCHMARK(WarComputerGames)->Iterations(1)->Unit(benchmark::kSecond);

// Random turns over the face-down grid cards, as a player who remembers nothing.
void MemoryMatchRandomGames(benchmark::State& state)
{
   if (!GamesBench::EngineStart())
   {
      state.SkipWithError("no generated data");
      return;
   }
   const char* const sizes[] = {"4|4", "6|4", "6|6"};
   const char* const difficulties[] = {"Easy", "Medium", "Hard", "VeryHard"};
   HeadlessMemoryMatch game;
   GameStateManager::Init(&game);
   i64 games = 0;
   i64 unfinished = 0;
   double seconds = 0.0;
   std::vector<Card*> down;
   for (auto _ : state)
   {
      for (i32 seed = 1; seed <= 1000; ++seed)
      {
         JSONValue* options = ProfileMinigameSettingsGet("MemoryMatch");
         options->ItemStringSet("GridSize", sizes[seed % 3]);
         options->ItemStringSet("DeckDifficulty", difficulties[(seed / 3) % 4]);
         game.seed1 = static_cast<u32>(seed) * 7919u;
         game.seed2 = static_cast<u32>(seed) * 104729u;
         u32 random = static_cast<u32>(seed);
         const auto start = std::chrono::steady_clock::now();
         game.GameNew();
         for (i32 frame = 0; frame < FRAME_CAP && game.gameResult == MINIGAME_RESULT_RUNNING; ++frame)
         {
            Frame(game);
            if (game.actionQueue.count > 0 || game.CardsAnimatingCheck() || game.refreshPending)
            {
               continue;
            }
            down.clear();
            for (i32 i = 0; i < MEMORY_MATCH_CELLS_MAX; ++i)
            {
               Card* card = game.CellGet(i) ? game.CellGet(i)->CardTopGet() : nullptr;
               if (card && !card->faceUp)
               {
                  down.push_back(card);
               }
            }
            if (!down.empty())
            {
               random = random * 1103515245u + 12345u;
               game.CardChooseCommandQueue(down[(random >> 8) % down.size()], 0);
            }
         }
         seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
         games++;
         unfinished += game.gameResult == MINIGAME_RESULT_RUNNING ? 1 : 0;
      }
   }
   GameStateManager::Deinit();
   state.counters["games_unfinished"] = static_cast<double>(unfinished);
   state.counters["games_per_second"] = seconds > 0.0 ? static_cast<double>(games) / seconds : 0.0;
}
BENCHMARK(MemoryMatchRandomGames)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace
