// Cribbage square's rules: what may be picked up and where it may go, the discard pile and its
// option, the score of a full square with the starter and the Jack bonus at the 75 line, the row
// and column labels and their hiding by an undo, and a saved game that loads whole.
#include <gtest/gtest.h>

#include "gui/widgets/NumberLabelWidget.h"
#include "tests/games/solitaire/ScoreSheetHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
class CribbageSquareTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      ScoreSheetHarness::OptionSet("CribbageSquareSolitaire", "NoWastePile", false);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }

   CardPile* Cell(i32 i) { return harness.PileGet(CARD_PILE_TYPE_TABLEAU, i); }
   CardPile* Next() { return harness.PileGet(CARD_PILE_TYPE_RESERVE); }
   CardPile* Discard() { return harness.PileGet(CARD_PILE_TYPE_WASTE); }

   CribbageSquareSolitaire game;
   // A second game to load into; it outlives the harness, which leaves it.
   CribbageSquareSolitaire fresh;
   ScoreSheetHarness harness;
};

TEST_F(CribbageSquareTest, DealsOneNextCardAndFillsItAgainAfterEachPlacement)
{
   EXPECT_EQ(Next()->cards.count, 1);
   EXPECT_TRUE(Next()->CardTopGet()->faceUp);
   EXPECT_EQ(harness.Stock()->cards.count, 51);
   EXPECT_TRUE(Discard()->visible);
   Card* first = Next()->CardTopGet();
   ASSERT_TRUE(harness.DropAndSettle(first, Cell(5)));
   EXPECT_EQ(Cell(5)->CardTopGet(), first);
   EXPECT_EQ(Next()->cards.count, 1);
   EXPECT_EQ(harness.Stock()->cards.count, 50);
   // A double click fills the first empty cell, before the discard pile.
   harness.ChooseAndSettle(Next()->CardTopGet());
   EXPECT_EQ(Cell(0)->cards.count, 1);
   EXPECT_EQ(Discard()->cards.count, 0);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(CribbageSquareTest, OnlyTheNextCardMovesAndOnlyOntoAnEmptyCellOrAShortDiscardPile)
{
   harness.StockStack({"2C", "3C", "4C", "5C", "6C", "7C", "8C"});
   harness.CardsPlace(Next(), {"8C*"});
   harness.CardsPlace(Cell(0), {"7C*"});
   harness.CardsPlace(Discard(), {"6C*", "5C*", "4C*"});
   Card* next = Next()->CardTopGet();
   EXPECT_TRUE(game.CardPickUpCheck(next));
   EXPECT_FALSE(game.CardPickUpCheck(Cell(0)->CardTopGet())) << "a placed card stays";
   EXPECT_FALSE(game.CardPickUpCheck(Discard()->CardTopGet())) << "a discard stays";
   EXPECT_FALSE(game.CardPickUpCheck(harness.Stock()->CardTopGet()));
   const struct
   {
      CardPile* pile;
      bool taken;
   } cases[] = {{Cell(0), false},  {Cell(1), true},          {Cell(15), true},
                {Discard(), true}, {harness.Stock(), false}, {Next(), false}};
   for (const auto& c : cases)
   {
      EXPECT_EQ(game.CardDropCheck(c.pile, next), c.taken) << "pile " << c.pile->id;
   }
   ASSERT_TRUE(harness.DropAndSettle(next, Discard()));
   EXPECT_EQ(Discard()->cards.count, 4);
   EXPECT_FALSE(harness.DropAndSettle(Next()->CardTopGet(), Discard())) << "a fifth discard";
   EXPECT_EQ(Discard()->cards.count, 4);
   EXPECT_FALSE(harness.DropAndSettle(Next()->CardTopGet(), Cell(0))) << "an occupied cell";
   EXPECT_EQ(Cell(0)->cards.count, 1);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(CribbageSquareTest, WithoutTheDiscardPileItIsHiddenAndTakesNothing)
{
   ScoreSheetHarness::OptionSet("CribbageSquareSolitaire", "NoWastePile", true);
   game.GameNew();
   harness.Settle();
   EXPECT_FALSE(Discard()->visible);
   Card* next = Next()->CardTopGet();
   EXPECT_FALSE(game.CardDropCheck(Discard(), next));
   EXPECT_FALSE(harness.DropAndSettle(next, Discard()));
   EXPECT_EQ(Discard()->cards.count, 0);
   // So a double click can only fill a cell.
   harness.ChooseAndSettle(next);
   EXPECT_EQ(Cell(0)->CardTopGet(), next);
}

// A square whose hands score 74 with the Four of Clubs as the starter; with the Jack of Diamonds as
// the starter the hands still make 74 and the Jack adds 2. Rows 6, 6, 10, 4 and columns 16, 12, 8,
// 12 with the Four, counted by hand from the cribbage rules.
const std::vector<std::string> SQUARE = {"KC", "QS", "TS", "AD", "5C", "5S", "QD", "9S",
                                         "5H", "5D", "TD", "AH", "6C", "QH", "JH", "AS"};

TEST_F(CribbageSquareTest, AFullSquareScoresItsEightHandsAndWinsFromSeventyFive)
{
   const struct
   {
      const char* starter;
      i32 score;
      i32 result;
   } cases[] = {{"4C", 74, MINIGAME_RESULT_LOST}, {"JD", 76, MINIGAME_RESULT_WON}};
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.starter);
      game.GameNew();
      harness.Settle();
      NumberLabelWidget labels[8];
      for (i32 i = 0; i < 8; ++i)
      {
         game.lineLabels[i] = &labels[i];
      }
      harness.StockStack({c.starter});
      for (i32 i = 0; i < 15; ++i)
      {
         harness.CardsPlace(Cell(i), {SQUARE[i] + "*"});
      }
      harness.CardsPlace(Next(), {SQUARE[15] + "*"});
      ASSERT_TRUE(harness.DropAndSettle(Next()->CardTopGet(), Cell(15)));
      harness.Settle();
      EXPECT_EQ(game.gameResult, c.result);
      EXPECT_EQ(game.ScoreGet(), c.score);
      EXPECT_EQ(game.players[0]->minigameScore, c.score);
      // The starter shows, and no card went to the next-card pile after the square filled.
      EXPECT_TRUE(harness.Stock()->CardTopGet()->faceUp);
      EXPECT_EQ(Next()->cards.count, 0);
      if (c.score == 74)
      {
         const double expected[8] = {6, 6, 10, 4, 16, 12, 8, 12};
         for (i32 i = 0; i < 8; ++i)
         {
            EXPECT_EQ(labels[i].ValueGet(), expected[i]) << "label " << i;
            EXPECT_TRUE(labels[i].VisibleCheck()) << "label " << i;
         }
      }
      // The last placement taken back: the game runs again, labels hidden, the starter face down.
      harness.UndoAndSettle();
      EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
      EXPECT_EQ(Cell(15)->cards.count, 0);
      EXPECT_FALSE(harness.Stock()->CardTopGet()->faceUp);
      for (i32 i = 0; i < 8; ++i)
      {
         EXPECT_FALSE(labels[i].VisibleCheck()) << "label " << i;
         game.lineLabels[i] = nullptr;
      }
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST_F(CribbageSquareTest, ASavedGameLoadsWhole)
{
   ASSERT_TRUE(harness.DropAndSettle(Next()->CardTopGet(), Cell(3)));
   ASSERT_TRUE(harness.DropAndSettle(Next()->CardTopGet(), Discard()));
   EXPECT_TRUE(harness.RoundTripCheck(&fresh));
   EXPECT_EQ(fresh.CardPileGet(CARD_PILE_TYPE_TABLEAU, 3, -1)->cards.count, 1);
   EXPECT_EQ(fresh.CardPileGet(CARD_PILE_TYPE_RESERVE, -1, -1)->cards.count, 1);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
