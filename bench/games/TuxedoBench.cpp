// Tuxedo without a window: every computer decision of 1,000 seeded games of two computer players
// timed against 10 ms (worst and median, as ratios) with games per second, and the move search on
// a crowded table of small cards, once where moves abound and once where none exists.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/games/GamesBenchEngine.h"
#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "games/table/Tuxedo.h"
#include "gui/state/GameStateManager.h"

using namespace Corvale;

namespace
{
constexpr double DECISION_TARGET_MS = 10.0;

class TimedTuxedo : public Tuxedo
{
 public:
   const char* LayerNameGet() override { return nullptr; }

   void AITurnTake() override
   {
      const auto start = std::chrono::steady_clock::now();
      Tuxedo::AITurnTake();
      decisions.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
   }

   std::vector<double> decisions;
};

void TuxedoComputerGames(benchmark::State& state)
{
   if (!GamesBench::EngineStart())
   {
      state.SkipWithError("no generated data");
      return;
   }
   TimedTuxedo game;
   GameStateManager::Init(&game);
   i64 games = 0;
   i64 unfinished = 0;
   double seconds = 0.0;
   for (auto _ : state)
   {
      for (i32 seed = 1; seed <= 1000; ++seed)
      {
         game.seed1 = static_cast<u32>(seed) * 7919u;
         game.seed2 = static_cast<u32>(seed) * 104729u;
         const auto start = std::chrono::steady_clock::now();
         game.GameNew();
         game.players[0]->human = false;
         for (i32 frame = 0; frame < 20000 && game.gameResult == MINIGAME_RESULT_RUNNING; ++frame)
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
   state.counters["games_per_second"] = seconds > 0.0 ? static_cast<double>(games) / seconds : 0.0;
}
BENCHMARK(TuxedoComputerGames)->Iterations(1)->Unit(benchmark::kSecond);

// The table holds the cards that tableRank admits, the active player's hand those that handRank
// admits (at most four); the rest wait in the stock.
template <class TableRank, class HandRank> void TableLay(Tuxedo& game, TableRank tableRank, HandRank handRank)
{
   game.ActionQueueClear();
   CardPile* table = game.TablePileGet();
   CardPile* hand = game.PlayerHandGet(game.PlayerActiveGet());
   CardPile* draw = game.DrawPileGet();
   for (i32 i = 0; i < game.cards.count; ++i)
   {
      Card* card = game.cards[i];
      card->rank = card->id / 4 + 1;
      CardPile* pile = tableRank(card->rank)                           ? table
                       : handRank(card->rank) && hand->cards.count < 4 ? hand
                                                                       : draw;
      pile->CardInsert(pile->cards.count, card);
   }
}

void MovePossibleCheckTime(benchmark::State& state, bool moves)
{
   if (!GamesBench::EngineStart())
   {
      state.SkipWithError("no generated data");
      return;
   }
   TimedTuxedo game;
   GameStateManager::Init(&game);
   if (moves)
   {
      // Thirty small cards: every Ace to Seven and two Eights; the Tens in hand.
      i32 eights = 0;
      TableLay(
          game, [&](i32 rank) { return rank < 8 || (rank == 8 && eights++ < 2); },
          [](i32 rank) { return rank == 10; });
   }
   else
   {
      // Every even card and a Nine in hand: no sum of even cards is odd, so every search fails.
      TableLay(
          game, [](i32 rank) { return rank % 2 == 0; }, [](i32 rank) { return rank == 9; });
   }
   double worst = 0.0;
   bool possible = false;
   for (auto _ : state)
   {
      const auto start = std::chrono::steady_clock::now();
      possible = game.MovePossibleCheck();
      benchmark::DoNotOptimize(possible);
      worst = std::max(
          worst, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
   }
   state.counters["table_cards"] = static_cast<double>(game.TablePileGet()->cards.count);
   state.counters["move_possible"] = possible ? 1.0 : 0.0;
   state.counters["worst_ms"] = worst;
   GameStateManager::Deinit();
}

void TuxedoMovePossibleSmallCards(benchmark::State& state)
{
   MovePossibleCheckTime(state, true);
}
BENCHMARK(TuxedoMovePossibleSmallCards)->Unit(benchmark::kMicrosecond);

void TuxedoMovePossibleNone(benchmark::State& state)
{
   MovePossibleCheckTime(state, false);
}
BENCHMARK(TuxedoMovePossibleNone)->Unit(benchmark::kMicrosecond);
} // namespace
