// Nestor: the deal with ten or four reserve cards, pairs of free cards by clicks, covered cards
// refused, the choice toggled and moved, the win, the loss with the stock's top counted, and the
// choice an undo clears.
#include <gtest/gtest.h>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "tests/games/solitaire/TableSolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::TableSolitaireHarness;

class NestorTest : public ::testing::Test
{
 protected:
   void Enter(bool four = false)
   {
      TableSolitaireHarness::OptionSet(&game, "OnlyFourReserveCards", four);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }
   CardPile* Column(i32 c) { return harness.Pile(CARD_PILE_TYPE_TABLEAU, c); }
   CardPile* Cell(i32 c) { return harness.Pile(CARD_PILE_TYPE_RESERVE, c); }
   CardPile* Foundation() { return harness.Pile(CARD_PILE_TYPE_FOUNDATION); }

   NestorSolitaire game;
   TableSolitaireHarness harness;
};

TEST_F(NestorTest, TheDealWithTenOrFourReserveCards)
{
   for (bool four : {false, true})
   {
      SCOPED_TRACE(four);
      ASSERT_NO_FATAL_FAILURE(Enter(four));
      for (i32 c = 0; c < 10; ++c)
      {
         const bool used = !four || c < 4;
         EXPECT_EQ(Cell(c)->visible, used) << c;
         EXPECT_EQ(Cell(c)->cards.count, used ? 1 : 0) << c;
      }
      for (i32 c = 0; c < 7; ++c)
      {
         EXPECT_EQ(Column(c)->cards.count, 6) << c;
      }
      EXPECT_EQ(harness.Stock()->cards.count, four ? 6 : 0);
      EXPECT_EQ(game.firstClickedCardID, -1);
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST_F(NestorTest, PairsOfFreeCardsLeaveByClicks)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   harness.TableClear();
   harness.Lay(Cell(0), "7H*");
   harness.Lay(Cell(1), "9C*");
   harness.Lay(Column(0), "7S* 2D*");
   harness.Lay(Column(1), "3C* 7D*");
   harness.Lay(Column(2), "9D*");
   Card* reserveSeven = Cell(0)->CardTopGet();
   Card* coveredSeven = Column(0)->cards[0];
   Card* topSeven = Column(1)->CardTopGet();
   // A covered card is not chosen, and does not pair.
   ASSERT_NO_FATAL_FAILURE(harness.Click(coveredSeven));
   EXPECT_EQ(game.firstClickedCardID, -1);
   EXPECT_FALSE(coveredSeven->selected);
   ASSERT_NO_FATAL_FAILURE(harness.Click(reserveSeven));
   ASSERT_NO_FATAL_FAILURE(harness.Click(coveredSeven));
   EXPECT_EQ(game.firstClickedCardID, reserveSeven->id);
   EXPECT_EQ(Foundation()->cards.count, 0);
   // Chosen again: nothing is chosen.
   ASSERT_NO_FATAL_FAILURE(harness.Click(reserveSeven));
   EXPECT_EQ(game.firstClickedCardID, -1);
   EXPECT_FALSE(reserveSeven->selected);
   // Another rank moves the choice.
   Card* nine = Cell(1)->CardTopGet();
   ASSERT_NO_FATAL_FAILURE(harness.Click(nine));
   ASSERT_NO_FATAL_FAILURE(harness.Click(reserveSeven));
   EXPECT_FALSE(nine->selected);
   EXPECT_TRUE(reserveSeven->selected);
   EXPECT_EQ(game.firstClickedCardID, reserveSeven->id);
   // A reserve card and a column top of one rank make a pair.
   ASSERT_NO_FATAL_FAILURE(harness.Click(topSeven));
   EXPECT_EQ(TableSolitaireHarness::PileText(Foundation()), "7H* 7D*");
   EXPECT_EQ(game.firstClickedCardID, -1);
   EXPECT_FALSE(reserveSeven->selected);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(NestorTest, TheWinAndTheLoss)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   harness.TableClear();
   harness.Lay(Cell(3), "QH*");
   harness.Lay(Column(6), "QS*");
   ASSERT_NO_FATAL_FAILURE(harness.Settle());
   EXPECT_TRUE(game.CardPlayableCheck(Cell(3)->CardTopGet()));
   // The stock's cards lie out of play here; the two Queens are the last pair.
   while (harness.Stock()->cards.count > 0)
   {
      Foundation()->CardInsert(0, harness.Stock()->cards[0]);
   }
   ASSERT_NO_FATAL_FAILURE(harness.Click(Cell(3)->CardTopGet()));
   ASSERT_NO_FATAL_FAILURE(harness.Click(Column(6)->CardTopGet()));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);

   harness.Leave();
   ASSERT_NO_FATAL_FAILURE(Enter());
   harness.TableClear();
   harness.Lay(Cell(0), "QH*");
   harness.Lay(Column(0), "QS* 4D*");
   while (harness.Stock()->cards.count > 0)
   {
      Foundation()->CardInsert(0, harness.Stock()->cards[0]);
   }
   ASSERT_NO_FATAL_FAILURE(harness.Settle());
   EXPECT_FALSE(game.CardPlayableCheck(Cell(0)->CardTopGet()));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
}

TEST_F(NestorTest, WithFourReserveCardsTheStockTopCountsInTheLossTest)
{
   ASSERT_NO_FATAL_FAILURE(Enter(true));
   harness.TableClear();
   harness.Lay(Cell(0), "QH*");
   harness.Lay(Column(0), "4D*");
   // The stock's top card, the Queen of Diamonds, is the only partner left.
   Card* queen = harness.CardFind(RANK_QUEEN, SUIT_DIAMONDS);
   harness.Stock()->CardInsert(harness.Stock()->cards.count, queen);
   while (harness.Stock()->cards.count > 1)
   {
      Foundation()->CardInsert(0, harness.Stock()->cards[0]);
   }
   ASSERT_NO_FATAL_FAILURE(harness.Settle());
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   // The stock's card is never chosen.
   ASSERT_NO_FATAL_FAILURE(harness.Click(harness.Stock()->CardTopGet()));
   EXPECT_EQ(game.firstClickedCardID, -1);
}

TEST_F(NestorTest, AnUndoClearsTheChoice)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   harness.TableClear();
   harness.Lay(Cell(0), "7H*");
   harness.Lay(Column(0), "7S* 7D*");
   harness.Lay(Column(1), "KC*");
   harness.Lay(Column(2), "KD*");
   ASSERT_NO_FATAL_FAILURE(harness.Click(Column(1)->CardTopGet()));
   ASSERT_NO_FATAL_FAILURE(harness.Click(Column(2)->CardTopGet()));
   ASSERT_EQ(Foundation()->cards.count, 2);
   Card* reserveSeven = Cell(0)->CardTopGet();
   ASSERT_NO_FATAL_FAILURE(harness.Click(reserveSeven));
   game.Undo();
   EXPECT_EQ(Foundation()->cards.count, 0);
   EXPECT_EQ(game.firstClickedCardID, -1);
   EXPECT_FALSE(reserveSeven->selected);
   // Choosing the covered Seven after the undo takes nothing off the table.
   ASSERT_NO_FATAL_FAILURE(harness.Click(Column(0)->cards[0]));
   EXPECT_EQ(Foundation()->cards.count, 0);
   EXPECT_EQ(game.firstClickedCardID, -1);
}
} // namespace
} // namespace Corvale
