// Seeded games of Poker square, with and without the discards, played by a random player through
// drops, double-clicks and now and then an Undo. Every card must land in an empty cell or on the
// discards as the rules allow; the full grid's score, counted by the test's own categoriser over
// the ten lines, decides the win at 100; no card is lost or doubled in any frame, and a game saved
// and loaded midway ends in the same document.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "cardgame/Player.h"
#include "tests/games/solitaire/TraditionalSolitaireHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
// A line's points by the table, written from the rules of poker rather than the evaluator.
i32 LinePointsGet(const std::vector<const Card*>& cards)
{
   i32 rankCount[15] = {};
   i32 suitCount[4] = {};
   for (const Card* card : cards)
   {
      rankCount[card->rank]++;
      suitCount[card->suit]++;
   }
   std::vector<i32> groups;
   for (i32 rank = 1; rank <= 13; ++rank)
   {
      if (rankCount[rank] > 0)
      {
         groups.push_back(rankCount[rank]);
      }
   }
   std::sort(groups.rbegin(), groups.rend());
   const bool five = cards.size() == 5;
   const bool flush = five && *std::max_element(suitCount, suitCount + 4) == 5;
   bool straight = false;
   bool aceHigh = false;
   if (five && groups.size() == 5)
   {
      rankCount[14] = rankCount[1];
      // Runs of five from each low card, the ace counting 1 or 14.
      for (i32 low = 1; low <= 10; ++low)
      {
         bool run = true;
         for (i32 rank = low; rank < low + 5; ++rank)
         {
            run = run && rankCount[rank] == 1;
         }
         straight = straight || run;
         aceHigh = aceHigh || (run && low == 10);
      }
   }
   if (straight && flush)
   {
      return aceHigh ? 100 : 60;
   }
   if (groups[0] == 4)
   {
      return 30;
   }
   if (groups[0] == 3 && groups.size() > 1 && groups[1] == 2)
   {
      return 20;
   }
   if (flush)
   {
      return 10;
   }
   if (straight)
   {
      return 25;
   }
   if (groups[0] == 3)
   {
      return 15;
   }
   if (groups[0] == 2)
   {
      return groups.size() > 1 && groups[1] == 2 ? 5 : 2;
   }
   return 0;
}

i32 GridScoreGet(TraditionalSolitaireHarness& harness)
{
   i32 score = 0;
   for (i32 line = 0; line < 10; ++line)
   {
      std::vector<const Card*> cards;
      for (i32 i = 0; i < 5; ++i)
      {
         const i32 cell = line < 5 ? line * 5 + i : line - 5 + i * 5;
         const Card* card = harness.PileGet(CARD_PILE_TYPE_TABLEAU, cell)->CardTopGet();
         if (!card)
         {
            break;
         }
         cards.push_back(card);
      }
      score += cards.empty() ? 0 : LinePointsGet(cards);
   }
   return score;
}

TEST(PokerSquareSoakTest, SeededGamesWithAndWithoutDiscardsUndoAndAReload)
{
   TraditionalSolitaireHarness harness("PokerSquareSolitaire");
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   bool noWaste = false;
   auto options = [&noWaste](TraditionalSolitaireHarness& h, i32 seed)
   {
      noWaste = seed % 3 == 1;
      h.OptionSet("NoWastePile", noWaste);
      h.OptionSet("ShowPlayableCards", seed % 2 == 0);
   };
   auto play =
       [&](PokerSquareSolitaire& game, std::mt19937& random, bool undoAllowed, i32 stopAt, bool* stopped)
   {
      CardPile* flip = harness.PileGet(CARD_PILE_TYPE_FLIP);
      CardPile* waste = harness.PileGet(CARD_PILE_TYPE_WASTE);
      for (i32 step = 0; step < 400; ++step)
      {
         i32 filled = 0;
         for (i32 cell = 0; cell < POKER_SQUARE_CELL_COUNT; ++cell)
         {
            filled += harness.PileGet(CARD_PILE_TYPE_TABLEAU, cell)->cards.count;
         }
         if (filled == POKER_SQUARE_CELL_COUNT)
         {
            const i32 score = GridScoreGet(harness);
            EXPECT_EQ(game.gameResult, score >= 100 ? MINIGAME_RESULT_WON : MINIGAME_RESULT_LOST) << score;
            EXPECT_EQ(game.players[0]->minigameScore, score);
            return game.gameResult != MINIGAME_RESULT_RUNNING;
         }
         if (game.gameResult != MINIGAME_RESULT_RUNNING)
         {
            ADD_FAILURE() << "the game ended with " << filled << " cells filled";
            return false;
         }
         if (step == stopAt)
         {
            *stopped = true;
            return true;
         }
         Card* next = flip->CardTopGet();
         if (!next || !next->faceUp)
         {
            ADD_FAILURE() << "no next card face up";
            return false;
         }
         const i32 choice = static_cast<i32>(random() % 100);
         if (undoAllowed && choice < 5)
         {
            harness.UndoPress();
            continue;
         }
         if (choice < 15)
         {
            // A double-click: the first empty cell.
            harness.Choose(next);
            if (next->pile->type != CARD_PILE_TYPE_TABLEAU || next->pile->cards.count != 1)
            {
               ADD_FAILURE() << "the double-click put the card on pile " << next->pile->id;
               return false;
            }
            continue;
         }
         // Mostly a plan that scores: columns by suit and rows by rank, so that wins come too;
         // else any pile but the next card's own, and the rules decide.
         CardPile* target = nullptr;
         if (choice < 75)
         {
            const i32 row = next->rank % POKER_SQUARE_SIZE;
            for (const i32 column : {next->suit, POKER_SQUARE_SIZE - 1})
            {
               CardPile* cell = harness.PileGet(CARD_PILE_TYPE_TABLEAU, row * POKER_SQUARE_SIZE + column);
               target = !target && cell->cards.count == 0 ? cell : target;
            }
            if (!target && !noWaste && waste->cards.count < POKER_SQUARE_DISCARDS_MAX)
            {
               target = waste;
            }
         }
         if (!target)
         {
            std::vector<CardPile*> piles;
            for (i32 p = 0; p < game.cardPiles.count; ++p)
            {
               if (game.cardPiles[p] != flip)
               {
                  piles.push_back(game.cardPiles[p]);
               }
            }
            target = piles[random() % piles.size()];
         }
         const bool allowed =
             (target->type == CARD_PILE_TYPE_TABLEAU && target->cards.count == 0) ||
             (target == waste && !noWaste && target->cards.count < POKER_SQUARE_DISCARDS_MAX);
         const bool taken = harness.Drop(next, target);
         harness.Settle();
         if (::testing::Test::HasFatalFailure() || taken != allowed || (next->pile == target) != allowed)
         {
            ADD_FAILURE() << "a drop on pile " << target->id << " was " << (taken ? "taken" : "refused");
            return false;
         }
      }
      return false;
   };
   SeededGamesPlay<PokerSquareSolitaire>(harness, games, options, play);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
