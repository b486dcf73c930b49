// Poker square: the point table over rows with empty cells, the full grid's win at exactly 100,
// the discards' limit and the option that removes them, the one card that can move, and the turn
// of the next card.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cardgame/Player.h"
#include "tests/games/solitaire/TraditionalSolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::TraditionalSolitaireHarness;

class PokerSquareSolitaireTest : public ::testing::Test
{
 protected:
   void Enter() { ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game)); }

   void EnterCleared()
   {
      ASSERT_NO_FATAL_FAILURE(Enter());
      harness.TableClear();
   }

   CardPile* Cell(i32 id) { return harness.PileGet(CARD_PILE_TYPE_TABLEAU, id); }
   CardPile* Stock() { return harness.PileGet(CARD_PILE_TYPE_DRAW); }
   CardPile* Flip() { return harness.PileGet(CARD_PILE_TYPE_FLIP); }
   CardPile* Waste() { return harness.PileGet(CARD_PILE_TYPE_WASTE); }

   // "AH AS -- KD" into the cells from first on, step apart; "--" leaves a cell empty.
   void LinePlace(const std::string& line, i32 first, i32 step)
   {
      std::istringstream names(line);
      std::string name;
      for (i32 cell = first; names >> name; cell += step)
      {
         if (name != "--")
         {
            harness.CardsPlace(Cell(cell), {name + "*"});
         }
      }
   }

   // The drop of the next card on the pile, then what it sets off.
   bool NextDrop(CardPile* pile)
   {
      const bool taken = harness.Drop(Flip()->CardTopGet(), pile);
      harness.Settle();
      return taken;
   }

   PokerSquareSolitaire game;
   TraditionalSolitaireHarness harness{"PokerSquareSolitaire"};
};

TEST_F(PokerSquareSolitaireTest, EachHandScoresByThePointTableAndStopsAtItsFirstEmptyCell)
{
   const struct
   {
      const char* row;
      i32 points;
   } cases[] = {
       {"AH 9C 7D 4S 2H", 0},
       {"AH 9C 9D 4S 2H", 2},
       {"AH 9C 9D 4S 4H", 5},
       {"9H 9C 9D 4S 2H", 15},
       {"9H TC JD QS KH", 25},
       {"AH 2C 3D 4S 5H", 25},
       {"QH KC AD 2S 3H", 0},
       {"2H 9H JH 4H KH", 10},
       {"9H 9C 9D 4S 4H", 20},
       {"9H 9C 9D 9S 4H", 30},
       {"5S 6S 7S 8S 9S", 60},
       {"AD 2D 3D 4D 5D", 60},
       {"TC JC QC KC AC", 100},
       // Empty cells end the hand: the pair before the gap counts, the one after it does not.
       {"AH AS -- AD AC", 2},
       {"-- AS AD AC AH", 0},
       {"7H 7S 7D -- --", 15},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.row);
      ASSERT_NO_FATAL_FAILURE(EnterCleared());
      // Every other row and column holds at most one card of these: worth nothing.
      LinePlace(c.row, 0, 1);
      EXPECT_EQ(game.ScoreGet(), c.points);
      ASSERT_NO_FATAL_FAILURE(EnterCleared());
      LinePlace(c.row, 2, POKER_SQUARE_SIZE);
      EXPECT_EQ(game.ScoreGet(), c.points) << "as a column";
   }
}

TEST_F(PokerSquareSolitaireTest, AFullGridWorthExactly100WinsAnd99Loses)
{
   const struct
   {
      std::vector<std::string> rows;
      i32 score;
      i32 result;
   } cases[] = {
       // Rows: pair, two pair, four, pair, three; columns: pair, pair, three, pair, straight.
       {{"8D 3H QH 3S 6S", "JS KS JH 4H 4D", "6H 7C 7S 7D 7H", "9C 5S QC 4S 5C", "8S 5D QS 8H 8C"},
        100,
        MINIGAME_RESULT_WON},
       // Rows: three, four, nothing, two pair, nothing; columns: pair, three, pair, straight, two pair.
       {{"9D JH 9C 5S 9S", "3H 3D 3S 3C 5C", "8H JD TH 6D QD", "7S KS KC 7H 5H", "8C JC TD 4S QC"},
        99,
        MINIGAME_RESULT_LOST},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.score);
      ASSERT_NO_FATAL_FAILURE(EnterCleared());
      for (i32 row = 0; row < POKER_SQUARE_SIZE; ++row)
      {
         LinePlace(c.rows[row], row * POKER_SQUARE_SIZE, 1);
      }
      EXPECT_EQ(game.ScoreGet(), c.score);
      game.RefreshMark();
      harness.Settle();
      EXPECT_EQ(game.gameResult, c.result);
      EXPECT_EQ(game.players[0]->minigameScore, c.score);
   }
}

TEST_F(PokerSquareSolitaireTest, TheDiscardsTakeFiveCardsAndNoneWithoutTheWastePile)
{
   for (const bool noWaste : {false, true})
   {
      SCOPED_TRACE(noWaste ? "no waste" : "waste");
      harness.OptionSet("NoWastePile", noWaste);
      ASSERT_NO_FATAL_FAILURE(Enter());
      EXPECT_EQ(Waste()->visible, !noWaste);
      for (i32 discard = 1; discard <= 6; ++discard)
      {
         EXPECT_EQ(NextDrop(Waste()), !noWaste && discard <= 5) << discard;
      }
      EXPECT_EQ(Waste()->cards.count, noWaste ? 0 : 5);
      EXPECT_EQ(Flip()->cards.count, 1);
   }
}

TEST_F(PokerSquareSolitaireTest, OnlyTheNextCardMovesAndAPlacedCardStays)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   EXPECT_EQ(Stock()->cards.count, 51);
   Card* first = Flip()->CardTopGet();
   ASSERT_NE(first, nullptr);
   EXPECT_TRUE(first->faceUp);
   EXPECT_TRUE(game.CardPickUpCheck(first));
   EXPECT_FALSE(game.CardPickUpCheck(Stock()->CardTopGet()));

   // The placed card stays; the refresh turns the next one.
   EXPECT_TRUE(NextDrop(Cell(12)));
   EXPECT_EQ(first->pile, Cell(12));
   Card* second = Flip()->CardTopGet();
   ASSERT_NE(second, nullptr);
   EXPECT_TRUE(second->faceUp);
   EXPECT_EQ(Stock()->cards.count, 50);
   EXPECT_FALSE(game.CardPickUpCheck(first));
   EXPECT_FALSE(NextDrop(Cell(12)));
   // Never draggable: the drag would ask the pick-up rule first.
   EXPECT_FALSE(game.CardMoveToPileCheck(Cell(3), first));
   EXPECT_FALSE(game.CardPlayableCheck(first));
   EXPECT_TRUE(game.CardPlayableCheck(second));

   // A double-click fills the first empty cell; the undo takes it back to the Flip pile.
   harness.Choose(second);
   EXPECT_EQ(second->pile, Cell(0));
   ASSERT_TRUE(harness.UndoPress());
   EXPECT_EQ(second->pile, Flip());
   EXPECT_EQ(Flip()->cards.count, 1);
}
} // namespace
} // namespace Corvale
