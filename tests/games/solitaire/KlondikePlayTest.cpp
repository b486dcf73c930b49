// A stacked Klondike deal played to a win through the commands a player posts, saved half way and
// finished in a freshly entered game from the saved document: both end in the same position. And
// seeded deals played by a simple player, saved at a point drawn from the seed: the loaded game
// saves back the very document it loaded and finishes as the uninterrupted one.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "app/profile/StatisticsStore.h"
#include "cardgame/CardPile.h"
#include "cardgame/Player.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::KlondikeHarness;

// The lowest 24 cards (Aces to Sixes) in the stock, the first to turn on top; the 28 others in the
// columns, each column falling from bottom to top. The lowest card left is then always free.
void TableStack(KlondikeHarness& harness)
{
   static const char* const ranks = "A23456789TJQK";
   static const char* const suits = "HSDC";
   std::vector<std::string> ascending;
   for (i32 rank = 0; rank < 13; ++rank)
   {
      for (i32 suit = 0; suit < 4; ++suit)
      {
         ascending.push_back(std::string(1, ranks[rank]) + suits[suit]);
      }
   }
   harness.TableClear();
   std::vector<std::string> stock(ascending.rbegin() + 28, ascending.rend());
   harness.CardsPlace(harness.Stock(), stock);
   i32 next = 51;
   for (i32 column = 0; column < 7; ++column)
   {
      std::vector<std::string> cards;
      for (i32 i = 0; i <= column; ++i)
      {
         cards.push_back(ascending[next--] + (i == column ? "*" : ""));
      }
      harness.CardsPlace(harness.Column(column), cards);
   }
   harness.klondike->UndoHistoryClear();
}

// The simple player: a free card that a foundation takes, else the stock's top; null when neither.
Card* ChoiceGet(KlondikeHarness& harness)
{
   KlondikeSolitaire* game = harness.klondike;
   std::vector<CardPile*> sources = {harness.Waste()};
   for (i32 column = 0; column < 7; ++column)
   {
      sources.push_back(harness.Column(column));
   }
   for (CardPile* source : sources)
   {
      Card* top = source->CardTopGet();
      for (i32 f = 0; top && top->faceUp && f < 4; ++f)
      {
         if (game->CardDropCheck(harness.Foundation(f), top))
         {
            return top;
         }
      }
   }
   return harness.Stock()->CardTopGet();
}

std::string TimersCleared(const std::string& text)
{
   return std::regex_replace(text, std::regex("\"(gameTimer|gameTimeFrozen)\": [0-9]+"), "\"$1\": 0");
}

TEST(KlondikePlayTest, AStackedDealIsWonAndASaveHalfWayFinishesTheSame)
{
   KlondikeSolitaire game;
   KlondikeSolitaire fresh;
   KlondikeHarness harness;
   harness.KlondikeEnter(&game);
   TableStack(harness);
   harness.ConservedEveryFrame();

   std::vector<i32> commands;
   JSONTest::ValuePointer halfWay;
   for (i32 step = 0; step < 200 && game.gameResult == MINIGAME_RESULT_RUNNING; ++step)
   {
      if (step == 30)
      {
         halfWay.reset(JSONValue::New(HEAP_DEFAULT));
         ASSERT_TRUE(game.Save(halfWay.get()));
      }
      Card* choice = ChoiceGet(harness);
      ASSERT_NE(choice, nullptr) << "stuck at step " << step;
      commands.push_back(choice->id);
      harness.Choose(choice);
   }
   ASSERT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   ASSERT_GT(commands.size(), 30u);
   for (i32 f = 0; f < 4; ++f)
   {
      EXPECT_EQ(harness.Foundation(f)->cards.count, 13);
   }
   EXPECT_EQ(game.players[0]->minigameScore, 52);
   EXPECT_EQ(StatisticGameGet("GamesWon", "KlondikeSolitaire", "Player"), 1);
   EXPECT_EQ(StatisticGameGet("GamesPlayed", "KlondikeSolitaire", "Player"), 1);
   EXPECT_EQ(StatisticGameGet("BestScore", "KlondikeSolitaire", "Player"), 52);
   EXPECT_TRUE(StatisticGameCheck("BestWinTimeSecondsDefined", "KlondikeSolitaire", "Player"));
   const std::string finished = TimersCleared(harness.SavedText(&game));

   harness.KlondikeEnter(&fresh, 999, 1000);
   ASSERT_TRUE(fresh.Load(halfWay.get()));
   EXPECT_EQ(fresh.undoHistory.count, 0);
   fresh.Undo();
   EXPECT_TRUE(harness.CardsConservedCheck()) << "nothing to take back past the load";
   for (size_t i = 30; i < commands.size(); ++i)
   {
      Card* card = fresh.CardGet(commands[i]);
      ASSERT_NE(card, nullptr);
      harness.Choose(card);
   }
   EXPECT_EQ(fresh.gameResult, MINIGAME_RESULT_WON);
   EXPECT_EQ(TimersCleared(harness.SavedText(&fresh)), finished);
   EXPECT_EQ(StatisticGameGet("GamesWon", "KlondikeSolitaire", "Player"), 2);
}

// The simple player beyond the foundations: the base of a column's face-up run when another column
// takes it and a face-down card lies under it, then the waste's top onto a column, then the stock.
// Null when nothing is left to do (the stock is never reset).
Card* SeededChoiceGet(KlondikeHarness& harness)
{
   KlondikeSolitaire* game = harness.klondike;
   Card* choice = ChoiceGet(harness);
   if (choice && choice->pile != harness.Stock())
   {
      return choice;
   }
   for (i32 column = 0; column < 7; ++column)
   {
      CardPile* pile = harness.Column(column);
      i32 base = pile->cards.count - 1;
      while (base > 0 && pile->cards[base - 1]->faceUp)
      {
         base--;
      }
      Card* card = base > 0 && pile->cards[base]->faceUp ? pile->cards[base] : nullptr;
      for (i32 other = 0; card && other < 7; ++other)
      {
         if (other != column && game->CardDropCheck(harness.Column(other), card))
         {
            return card;
         }
      }
   }
   Card* waste = harness.Waste()->CardTopGet();
   for (i32 column = 0; waste && column < 7; ++column)
   {
      if (game->CardDropCheck(harness.Column(column), waste))
      {
         return waste;
      }
   }
   return choice;
}

// Plays from step first until the game ends, step 400 or the player has nothing left, resetting
// the stock while the variation allows; at step stopStep (when reached) the game is saved into
// saved and the play stops.
void SeededPlay(KlondikeHarness& harness, i32 first, i32 stopStep, JSONTest::ValuePointer* saved)
{
   KlondikeSolitaire* game = harness.klondike;
   for (i32 step = first; step < 400 && game->gameResult == MINIGAME_RESULT_RUNNING; ++step)
   {
      if (step == stopStep)
      {
         saved->reset(JSONValue::New(HEAP_DEFAULT));
         ASSERT_TRUE(game->Save(saved->get()));
         return;
      }
      Card* choice = SeededChoiceGet(harness);
      if (choice)
      {
         harness.Choose(choice);
         continue;
      }
      if (harness.Waste()->cards.count == 0 || !game->ResetAllowedCheck())
      {
         return;
      }
      // The Reset button's press.
      TalonSolitaire::ResetButtonHandler(nullptr, game);
      ASSERT_TRUE(harness.RunUntilSettled(5000));
      ASSERT_TRUE(harness.RunUntilIdle(1000));
   }
}

TEST(KlondikePlayTest, SeededDealsSaveBackWhatTheyLoadedAndFinishTheSame)
{
   // The harness goes first: it leaves whichever game is current while both still stand.
   KlondikeSolitaire game;
   KlondikeSolitaire fresh;
   KlondikeHarness harness;
   harness.KlondikeEnter(&game);
#ifdef __SANITIZE_ADDRESS__
   const u32 deals = 3;
#else
   const u32 deals = 30;
#endif
   u32 roundTrips = 0;
   for (u32 seed = 1; seed <= deals; ++seed)
   {
      SCOPED_TRACE(seed);
      KlondikeHarness::OptionSet("Variation", seed % 2 ? "FlipOneNoResets" : "FlipThreeInfiniteResets");
      auto deal = [&]()
      {
         game.seed1 = seed * 7919u;
         game.seed2 = seed * 104729u;
         game.GameNew();
         ASSERT_TRUE(harness.RunUntilSettled(20000));
         ASSERT_TRUE(harness.RunUntilIdle(1000));
      };
      deal();
      JSONTest::ValuePointer unused;
      SeededPlay(harness, 0, -1, &unused);
      const std::string uninterrupted = TimersCleared(harness.SavedText(&game));

      deal();
      JSONTest::ValuePointer saved;
      const i32 stop = 3 + static_cast<i32>(seed * 37u % 50u);
      SeededPlay(harness, 0, stop, &saved);
      if (!saved)
      {
         continue;
      }
      harness.KlondikeEnter(&fresh, 999, 1000);
      ASSERT_TRUE(fresh.Load(saved.get()));
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get())) << "load, then save";
      SeededPlay(harness, stop, -1, &unused);
      EXPECT_EQ(TimersCleared(harness.SavedText(&fresh)), uninterrupted);
      roundTrips++;
      harness.KlondikeEnter(&game);
   }
   EXPECT_GE(roundTrips, deals / 2);
   std::printf("%u deals, %u saved and loaded\n", deals, roundTrips);
}
} // namespace
} // namespace Corvale
