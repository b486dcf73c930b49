// A card game's whole frame under a real GL context (Xvfb and Mesa) at 960 x 720 with the
// generated card art: 104 cards dealt in ten columns, once at rest and once with ten cards
// flying, in CPU milliseconds per frame against the 4 ms target; and the card game's own update
// at rest as a share of the frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/cardgame/CardTableBench.h"
#include "cardgame/CardGame.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"

using namespace Corvale;
using namespace Corvale::CardTableBench;

namespace
{
class FrameBenchGame : public CardGame
{
 public:
   i32 GameNumberGet() override { return 996; }
   const char* GameNameGet() override { return "FrameBenchGame"; }
   const char* LayerNameGet() override { return "FrameBenchGame"; }
   i32 PlayersCountGet() override { return 1; }
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return 1; }
   bool CardPickUpCheck(Card* card) override { return card->faceUp; }
   CardPile* CardPileCreate(const JSONValue* specification) override
   {
      CardPile* pile = CardGame::CardPileCreate(specification);
      if (pile)
      {
         pile->id = cardPiles.count - 1;
      }
      return pile;
   }
   Card* CardCreate(i32 rank, i32 suit) override
   {
      Card* card = CardGame::CardCreate(rank, suit);
      if (card)
      {
         card->id = cards.count - 1;
      }
      return card;
   }
};

// The resource tree: the generated fonts and sprites, a layer with the four card containers, the
// game's constants with a stock and ten columns.
std::string TreeMake()
{
   char pattern[] = "/tmp/corvale-bench-cardgame-XXXXXX";
   const std::string folder = mkdtemp(pattern);
   const std::string data = CORVALE_BENCH_DATA;
   std::filesystem::create_directories(folder + "/Graphics/GUI/FrameBenchGame");
   std::filesystem::create_directories(folder + "/Graphics/GUI/MinigameBackground");
   std::filesystem::create_directories(folder + "/Scripts/Minigames");
   std::filesystem::create_directory_symlink(data + "/Graphics/Fonts", folder + "/Graphics/Fonts");
   std::filesystem::create_directory_symlink(data + "/Graphics/Sprites", folder + "/Graphics/Sprites");
   std::ofstream(folder + "/Graphics/GUI/FrameBenchGame/Widgets.json")
       << R"({"Children": [{"Type": "Container", "Name": "CardPileContainer"},
          {"Type": "Container", "Name": "CardContainerBottom"}, {"Type": "Container", "Name": "CardContainerTop"},
          {"Type": "Container", "Name": "HelpLabelContainer"}]})";
   std::ofstream(folder + "/Graphics/GUI/FrameBenchGame/Sprites.json") << "{}";
   std::ofstream(folder + "/Graphics/GUI/MinigameBackground/Widgets.json") << R"({"Children": []})";
   std::ofstream(folder + "/Graphics/GUI/MinigameBackground/Sprites.json") << "{}";
   std::string piles = R"({"Type": "Draw", "Position": "60|660", "Animation": "EmptyStock"})";
   for (i32 i = 0; i < 10; ++i)
   {
      piles += R"(, {"Type": "Tableau", "Position": ")" + std::to_string(60 + i * 92) +
               R"(|80", "CardPositionOffset": "0|24", "Animation": "Empty"})";
   }
   std::ofstream(folder + "/Scripts/Minigames/FrameBenchGame.json") << R"({"CardPiles": [)" + piles + "]}";
   return folder;
}

struct Table104
{
   std::string folder;
   FrameBenchGame game;
   bool ready = false;

   bool Start()
   {
      folder = TreeMake();
      std::filesystem::create_symlink(std::string(CORVALE_BENCH_DATA) + "/Graphics/GraphicsConsts.json",
                                      folder + "/Graphics/GraphicsConsts.json");
      if (!ScreenStart(folder + "/"))
      {
         return false;
      }
      GameStateManager::Init(&game);
      game.GameNew();
      game.cardPiles[0]->DecksAdd(2);
      game.subgameFirstTurnBegan = true;
      game.CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, game.cardPiles[0], 10, true);
      game.delayCardDeal = 0;
      // The whole deal lands: 100 cards in the columns, 4 left in the stock.
      for (i32 i = 0; i < 20000 && (game.actionQueue.count > 0 || game.CardsAnimatingCheck()); ++i)
      {
         Frame();
      }
      game.CardAnimationsFinish();
      Frame();
      ready = true;
      return true;
   }

   void Frame() { CardTableBench::Frame(); }

   void Stop()
   {
      ScreenStop();
      std::filesystem::remove_all(folder);
   }
};

void CardTableFrame(benchmark::State& state)
{
   const bool flying = state.range(0) != 0;
   Table104 table;
   if (!table.Start())
   {
      state.SkipWithError("no display or no generated data: run under xvfb-run after the data build");
      return;
   }
   double cpu = 0.0;
   i64 frames = 0;
   for (auto _ : state)
   {
      if (flying)
      {
         state.PauseTiming();
         // Ten cards, one from each column, fly to the next column.
         for (i32 p = 1; p <= 10; ++p)
         {
            CardPile* from = table.game.cardPiles[p];
            CardPile* to = table.game.cardPiles[p % 10 + 1];
            if (from->cards.count > 1)
            {
               to->CardInsert(to->cards.count, from->CardTopGet());
            }
         }
         table.game.CardPilesLayOut();
         state.ResumeTiming();
      }
      const double start = CPUMillisecondsGet();
      table.Frame();
      cpu += CPUMillisecondsGet() - start;
      frames++;
   }
   FrameReport(state, cpu, frames);
   table.Stop();
}
BENCHMARK(CardTableFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

void CardGameUpdateAtRest(benchmark::State& state)
{
   Table104 table;
   if (!table.Start())
   {
      state.SkipWithError("no display or no generated data: run under xvfb-run after the data build");
      return;
   }
   double frameCpu = 0.0;
   for (i32 i = 0; i < 100; ++i)
   {
      const double start = CPUMillisecondsGet();
      table.Frame();
      frameCpu += CPUMillisecondsGet() - start;
   }
   const auto begin = std::chrono::steady_clock::now();
   i64 updates = 0;
   for (auto _ : state)
   {
      table.game.Update(16);
      updates++;
   }
   const double updateMs =
       std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count() /
       static_cast<double>(updates > 0 ? updates : 1);
   state.counters["update_ms"] = updateMs;
   state.counters["share_of_frame"] = frameCpu > 0.0 ? updateMs / (frameCpu / 100.0) : 0.0;
   table.Stop();
}
BENCHMARK(CardGameUpdateAtRest)->Unit(benchmark::kMicrosecond);
} // namespace
