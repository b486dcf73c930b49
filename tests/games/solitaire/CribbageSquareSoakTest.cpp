// Seeded games of Cribbage square played by a random player: drops the rules take and refuse,
// double clicks, and now and then an Undo, also of a finished game. The rules are written here on
// their own: the drops they allow, and the score of the full square from its eight hands counted by
// the cribbage hand scorer with the Jack bonus. No card is lost or doubled in any frame. One game in
// ten is also saved at an idle frame, loaded into a fresh game and played on to the same document.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "cardgame/CribbageHandScorer.h"
#include "tests/games/solitaire/ScoreSheetHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
bool RuleTakesCheck(CardPile* pile, bool noWaste)
{
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return pile->cards.count == 0;
   case CARD_PILE_TYPE_WASTE:
      return !noWaste && pile->cards.count < 4;
   default:
      return false;
   }
}

// The square's points by the rules: rows then columns scored with the stock's top card, plus 2 for
// a Jack starter.
i32 SquareScoreGet(ScoreSheetHarness& harness)
{
   CribbageHandScorer scorer;
   scorer.starter = harness.Stock()->CardTopGet();
   i32 total = scorer.starter && scorer.starter->rank == 11 ? 2 : 0;
   for (i32 line = 0; line < 8; ++line)
   {
      for (i32 i = 0; i < 4; ++i)
      {
         const i32 cell = line < 4 ? 4 * line + i : (line - 4) + 4 * i;
         scorer.hand[i] = harness.PileGet(CARD_PILE_TYPE_TABLEAU, cell)->CardTopGet();
      }
      total += scorer.PointsGet();
   }
   return total;
}

struct Account
{
   i32 moves = 0;
   i32 idleFrames = 0;
   i32 wins = 0;
   i32 undos = 0;
};

// Plays until the game ends for good (true), the idle frame numbered stopAt (true, stopped set), or
// a move that does not settle (false).
bool GamePlay(ScoreSheetHarness& harness, CribbageSquareSolitaire& game, std::mt19937& random,
              Account& account, bool undoAllowed, i32 stopAt = -1, bool* stopped = nullptr)
{
   const bool noWaste = game.SettingBoolGet("NoWastePile");
   std::vector<CardPile*> piles;
   for (i32 step = 0; step < 400; ++step)
   {
      CardPile* next = harness.PileGet(CARD_PILE_TYPE_RESERVE);
      if (game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         const i32 expected = SquareScoreGet(harness);
         EXPECT_EQ(game.ScoreGet(), expected);
         EXPECT_EQ(game.players[0]->minigameScore, expected);
         EXPECT_EQ(game.gameResult, expected >= 75 ? MINIGAME_RESULT_WON : MINIGAME_RESULT_LOST);
         EXPECT_TRUE(harness.Stock()->CardTopGet()->faceUp) << "the starter shows";
         // Now and then the last placement is taken back and the game played on.
         if (undoAllowed && random() % 4 == 0)
         {
            harness.UndoAndSettle();
            account.undos++;
            EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
            continue;
         }
         account.wins += game.gameResult == MINIGAME_RESULT_WON;
         return true;
      }
      Card* card = next->CardTopGet();
      if (!card || !game.MayActCheck())
      {
         ADD_FAILURE() << "a running game with no next card or not idle";
         return false;
      }
      if (account.idleFrames++ == stopAt)
      {
         *stopped = true;
         return true;
      }
      i32 discards = harness.PileGet(CARD_PILE_TYPE_WASTE)->cards.count;
      const u32 choice = random() % 100;
      if (choice < 6 && undoAllowed)
      {
         if (game.undoHistory.count > 0)
         {
            account.undos++;
         }
         harness.UndoAndSettle();
      }
      else if (choice < 12)
      {
         // A double click: the first pile in order that the rules let take it.
         CardPile* first = nullptr;
         for (i32 i = 0; i < game.cardPiles.count && !first; ++i)
         {
            CardPile* pile = game.cardPiles[i];
            first = pile != next && RuleTakesCheck(pile, noWaste) ? pile : nullptr;
         }
         harness.ChooseAndSettle(card);
         EXPECT_EQ(card->pile, first);
      }
      else
      {
         piles.clear();
         for (i32 i = 0; i < game.cardPiles.count; ++i)
         {
            CardPile* pile = game.cardPiles[i];
            if (pile != next && (choice < 20 || RuleTakesCheck(pile, noWaste)))
            {
               piles.push_back(pile);
            }
         }
         CardPile* target = piles[random() % piles.size()];
         const bool taken = RuleTakesCheck(target, noWaste);
         EXPECT_EQ(harness.DropAndSettle(card, target), taken);
         EXPECT_EQ(card->pile, taken ? target : next);
      }
      account.moves++;
      discards = harness.PileGet(CARD_PILE_TYPE_WASTE)->cards.count;
      EXPECT_LE(discards, noWaste ? 0 : 4);
      for (i32 cell = 0; cell < 16; ++cell)
      {
         EXPECT_LE(harness.PileGet(CARD_PILE_TYPE_TABLEAU, cell)->cards.count, 1);
      }
      if (::testing::Test::HasFailure())
      {
         return false;
      }
   }
   ADD_FAILURE() << "the game did not end";
   return false;
}

TEST(CribbageSquareSoakTest, SeededGames)
{
   CribbageSquareSolitaire game;
   ScoreSheetHarness harness;
   ScoreSheetHarness::OptionSet("CribbageSquareSolitaire", "NoWastePile", false);
   ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   harness.ConservedEveryFrame();
   harness.frameMilliseconds = 250;
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   Account account;
   i32 reloads = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      const bool reload = seed % 10 == 0;
      auto begin = [&](CribbageSquareSolitaire& which, std::mt19937& random)
      {
         // One game in five without the discard pile.
         ScoreSheetHarness::OptionSet("CribbageSquareSolitaire", "NoWastePile", seed % 5 == 1);
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         harness.Settle();
         random.seed(static_cast<u32>(seed));
      };
      std::mt19937 random;
      begin(game, random);
      // A loaded game has no history, so the game that is reloaded plays without Undo.
      ASSERT_TRUE(GamePlay(harness, game, random, account, !reload));
      if (!reload)
      {
         continue;
      }
      const std::string uninterrupted = ScoreSheetHarness::FinalDocument(game);
      begin(game, random);
      bool stopped = false;
      Account partial;
      ASSERT_TRUE(GamePlay(harness, game, random, partial, false, 1 + seed % 13, &stopped));
      ASSERT_TRUE(stopped);
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      CribbageSquareSolitaire fresh;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&fresh, 99, 98));
      ASSERT_TRUE(fresh.Load(saved.get()));
      harness.Settle();
      ASSERT_TRUE(GamePlay(harness, fresh, random, partial, false));
      EXPECT_EQ(ScoreSheetHarness::FinalDocument(fresh), uninterrupted);
      reloads++;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }
   EXPECT_EQ(reloads, games / 10);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games, %d won, %d moves, %d undos, %d reloads, %.1f games per second\n", games,
               account.wins, account.moves, account.undos, reloads, games / seconds);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
