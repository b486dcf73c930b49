// Seeded Spider and Spiderette games played by the random player with their options drawn per
// seed, judged by the rules written out again here: pick-ups, drops, double-clicks, deals, the
// idle table (no face-down top, no complete run left, no column above 25) and the end of the game.
// One game in ten is also saved at a random step, loaded into a fresh game and played on to the
// same final document.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/games/solitaire/SolitaireSoak.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
class SpiderRules : public SoakRules
{
 public:
   SpiderRules(SolitaireHarness& harnessUsed, bool oneDeck) : harness(harnessUsed), spiderette(oneDeck) {}

   i32 ColumnsGet() { return spiderette ? 7 : 10; }
   bool EmptyColumnDeals()
   {
      return spiderette || ProfileMinigameSettingsGet("SpiderSolitaire")
                               ->ItemGet("CanDealWithEmptyColumns")
                               ->BoolValueGet();
   }

   // Each card one rank below the one it lies on, up to the top: of one suit in Spider.
   bool RunCheck(const CardPile* pile, i32 from)
   {
      for (i32 i = from + 1; i < pile->cards.count; ++i)
      {
         const Card* card = pile->cards[i];
         const Card* under = pile->cards[i - 1];
         if (!card->faceUp || card->rank + 1 != under->rank || (!spiderette && card->suit != under->suit))
         {
            return false;
         }
      }
      return true;
   }

   bool PickUpLegal(const Card* card) override
   {
      return card->pile->type == CARD_PILE_TYPE_TABLEAU && card->faceUp &&
             RunCheck(card->pile, card->pile->CardIndexGet(card));
   }

   bool DropLegal(const CardPile* target, const Card* card) override
   {
      const i32 moving = card->pile->cards.count - card->pile->CardIndexGet(card);
      const Card* top = target->CardTopGet();
      return target->type == CARD_PILE_TYPE_TABLEAU && target->cards.count + moving <= 25 &&
             (!top || top->rank == card->rank + 1);
   }

   bool DealAllowed()
   {
      bool empty = false;
      for (i32 column = 0; column < ColumnsGet(); ++column)
      {
         const i32 count = harness.ColumnGet(column)->cards.count;
         if (count >= 25)
         {
            return false;
         }
         empty = empty || count == 0;
      }
      return harness.StockGet()->cards.count > 0 && (!empty || EmptyColumnDeals());
   }

   std::string IdleFault() override
   {
      for (i32 column = 0; column < ColumnsGet(); ++column)
      {
         const CardPile* pile = harness.ColumnGet(column);
         if (pile->cards.count > 25)
         {
            return "column " + std::to_string(column) + " above 25";
         }
         if (pile->cards.count > 0 && !pile->CardTopGet()->faceUp)
         {
            return "column " + std::to_string(column) + " has a face-down top";
         }
         const i32 king = pile->cards.count - 13;
         if (king >= 0 && pile->cards[king]->rank == RANK_KING && pile->cards[king]->faceUp &&
             RunCheck(pile, king))
         {
            return "column " + std::to_string(column) + " keeps a complete run";
         }
      }
      if (harness.FoundationGet(-1)->cards.count % 13 != 0)
      {
         return "the foundation holds part of a run";
      }
      return "";
   }

   i32 ResultExpected() override
   {
      bool tableauEmpty = true;
      for (i32 column = 0; column < ColumnsGet(); ++column)
      {
         tableauEmpty = tableauEmpty && harness.ColumnGet(column)->cards.count == 0;
      }
      if (tableauEmpty && harness.StockGet()->cards.count == 0)
      {
         return MINIGAME_RESULT_WON;
      }
      // The game goes on while the stock can deal at all (even if an empty column stops it for now).
      bool dealPossible = harness.StockGet()->cards.count > 0;
      for (i32 column = 0; column < ColumnsGet(); ++column)
      {
         dealPossible = dealPossible && harness.ColumnGet(column)->cards.count < 25;
      }
      if (dealPossible)
      {
         return MINIGAME_RESULT_RUNNING;
      }
      for (i32 from = 0; from < ColumnsGet(); ++from)
      {
         const CardPile* pile = harness.ColumnGet(from);
         for (i32 i = 0; i < pile->cards.count; ++i)
         {
            for (i32 to = 0; to < ColumnsGet() && PickUpLegal(pile->cards[i]); ++to)
            {
               if (to != from && DropLegal(harness.ColumnGet(to), pile->cards[i]))
               {
                  return MINIGAME_RESULT_RUNNING;
               }
            }
         }
      }
      return MINIGAME_RESULT_LOST;
   }

   bool StockAct(std::mt19937& random) override
   {
      (void)random;
      CardPile* stock = harness.StockGet();
      if (stock->cards.count == 0)
      {
         return false;
      }
      const bool deals = DealAllowed();
      const i32 before = stock->cards.count;
      const i32 dealt = before < ColumnsGet() ? before : ColumnsGet();
      harness.ChoosePost(stock->CardTopGet());
      EXPECT_TRUE(harness.RunUntilSettled(20000));
      EXPECT_EQ(stock->cards.count, deals ? before - dealt : before) << (deals ? "a deal" : "no deal");
      return true;
   }

   bool RunsLeaveCheck() override { return true; }

   SolitaireHarness& harness;
   bool spiderette;
};

void SoakRun(TraditionalSolitaireGame& game, TraditionalSolitaireGame& fresh, bool spiderette)
{
   SolitaireHarness harness;
   harness.frameMilliseconds = 50;
   const i32 decks = spiderette ? 1 : 2;
   harness.SolitaireEnter(&game, decks);
   harness.ConservedEveryFrame();
   SpiderRules rules(harness, spiderette);
#ifdef __SANITIZE_ADDRESS__
   const u32 games = 100;
#else
   const u32 games = 1000;
#endif
   const i32 maxSteps = spiderette ? 220 : 150;
   const auto start = std::chrono::steady_clock::now();
   u32 results[4] = {0, 0, 0, 0};
   u32 roundTrips = 0;
   for (u32 seed = 1; seed <= games && !::testing::Test::HasFailure(); ++seed)
   {
      SCOPED_TRACE(seed);
      std::mt19937 options(seed);
      const char* const suits[] = {"OneSuit", "TwoSuits", "FourSuits", "Unknown"};
      const char* const deals[] = {"TwoDown", "ThreeDown", "Klondike", "Unknown"};
      SolitaireHarness::OptionSet("SpiderSolitaire", "SuitNumber", suits[options() % 4]);
      SolitaireHarness::OptionSet("SpiderSolitaire", "CanDealWithEmptyColumns", options() % 2 == 0);
      SolitaireHarness::OptionSet("SpideretteSolitaire", "DealStlye", deals[options() % 4]);
      auto deal = [&]()
      {
         game.seed1 = seed * 7919u;
         game.seed2 = seed * 104729u;
         game.GameNew();
         harness.Settle();
      };
      deal();
      SolitaireSoak soak(harness, rules);
      soak.random.seed(seed);
      soak.undoAllowed = seed % 10 != 0;
      soak.Play(0, maxSteps, -1, nullptr);
      results[game.gameResult >= 0 && game.gameResult < 4 ? game.gameResult : 0]++;
      if (seed % 10 != 0)
      {
         continue;
      }
      const std::string uninterrupted = SoakTimersCleared(harness.SavedText(&game));
      deal();
      SolitaireSoak resumed(harness, rules);
      resumed.random.seed(seed);
      resumed.undoAllowed = false;
      const i32 saveStep = 1 + static_cast<i32>(options() % 100);
      JSONTest::ValuePointer saved;
      resumed.Play(0, maxSteps, saveStep, &saved);
      if (saved)
      {
         harness.SolitaireEnter(&fresh, decks);
         ASSERT_TRUE(fresh.Load(saved.get()));
         resumed.Play(saveStep, maxSteps, -1, nullptr);
         EXPECT_EQ(SoakTimersCleared(harness.SavedText(&fresh)), uninterrupted);
         roundTrips++;
         harness.SolitaireEnter(&game, decks);
      }
   }
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%s: %u games, %u won, %u lost, %u unfinished, %u saved and loaded, %.1f s\n",
               spiderette ? "Spiderette" : "Spider", games, results[MINIGAME_RESULT_WON],
               results[MINIGAME_RESULT_LOST], results[MINIGAME_RESULT_RUNNING], roundTrips, seconds);
   EXPECT_GE(roundTrips, games / 20);
}

TEST(SpiderSoakTest, RandomSpiderGamesKeepTheRulesAndSavedGamesFinishTheSame)
{
   SpiderSolitaire game;
   SpiderSolitaire fresh;
   SoakRun(game, fresh, false);
}

TEST(SpiderSoakTest, RandomSpideretteGamesKeepTheRulesAndSavedGamesFinishTheSame)
{
   SpideretteSolitaire game;
   SpideretteSolitaire fresh;
   SoakRun(game, fresh, true);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
