// Pyramid: the covering rows, which cards are free, Kings and pairs by clicks, the selection and
// its undo, the loss, and each of the four options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/games/solitaire/TraditionalSolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::TraditionalSolitaireHarness;

class PyramidSolitaireTest : public ::testing::Test
{
 protected:
   void Enter() { ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game)); }

   // Entered, then everything back in the stock for a fixture.
   void EnterCleared()
   {
      ASSERT_NO_FATAL_FAILURE(Enter());
      harness.TableClear();
   }

   // The card named "6H" style.
   Card* Named(const std::string& name)
   {
      return harness.CardFind(static_cast<i32>(std::string("XA23456789TJQK").find(name[0])),
                              static_cast<i32>(std::string("HSDC").find(name[1])));
   }

   CardPile* Tab(i32 id) { return harness.PileGet(CARD_PILE_TYPE_TABLEAU, id); }
   CardPile* Stock() { return harness.PileGet(CARD_PILE_TYPE_DRAW); }
   CardPile* Flip() { return harness.PileGet(CARD_PILE_TYPE_FLIP); }
   CardPile* Waste() { return harness.PileGet(CARD_PILE_TYPE_WASTE); }
   CardPile* Foundation() { return harness.PileGet(CARD_PILE_TYPE_FOUNDATION); }
   CardPile* Reserve(i32 id) { return harness.PileGet(CARD_PILE_TYPE_RESERVE, id); }

   // Whatever is still in the stock onto the Foundation: an empty stock for the loss rules.
   void StockEmpty()
   {
      while (Stock()->cards.count > 0)
      {
         Foundation()->CardInsert(Foundation()->cards.count, Stock()->CardTopGet());
      }
   }

   PyramidSolitaire game;
   TraditionalSolitaireHarness harness{"PyramidSolitaire"};
};

TEST_F(PyramidSolitaireTest, EachPyramidCardIsCoveredByTheTwoPilesOfTheRowBelow)
{
   ASSERT_NO_FATAL_FAILURE(EnterCleared());
   const struct
   {
      i32 pile;
      i32 first;
      i32 second;
   } cases[] = {{0, 1, 2},    {1, 3, 4},    {2, 4, 5},    {5, 8, 9},   {6, 10, 11},
                {14, 19, 20}, {20, 26, 27}, {21, -1, -1}, {27, -1, -1}};
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.pile);
      Card* card = Stock()->CardTopGet();
      Tab(c.pile)->CardInsert(0, card);
      i32 first = 0;
      i32 second = 0;
      game.CardCoveringPilesGet(card, &first, &second);
      EXPECT_EQ(first, c.first);
      EXPECT_EQ(second, c.second);
   }
   i32 first = 0;
   i32 second = 0;
   game.CardCoveringPilesGet(Stock()->CardTopGet(), &first, &second);
   EXPECT_EQ(first, -1);
   EXPECT_EQ(second, -1);
   game.CardCoveringPilesGet(nullptr, &first, &second);
   EXPECT_EQ(first, -1);
}

TEST_F(PyramidSolitaireTest, FreeCardsAreUncoveredPyramidCardsTheTopsOfFlipAndWasteAndEveryReserveCard)
{
   ASSERT_NO_FATAL_FAILURE(EnterCleared());
   harness.CardsPlace(Tab(20), {"2H*"});
   harness.CardsPlace(Tab(26), {"3H*"});
   harness.CardsPlace(Tab(19), {"4H*"});
   harness.CardsPlace(Tab(14), {"5H*"});
   harness.CardsPlace(Tab(21), {"6H*"});
   harness.CardsPlace(Tab(0), {"7H*"});
   harness.CardsPlace(Flip(), {"8H*", "9H*"});
   harness.CardsPlace(Waste(), {"TH*", "JH*"});
   harness.CardsPlace(Reserve(0), {"QH*"});
   harness.CardsPlace(Foundation(), {"KH*"});
   const struct
   {
      const char* card;
      bool available;
   } cases[] = {
       {"2H", false}, // pile 26 lies on it, though 27 is empty
       {"3H", true},  {"4H", false}, {"5H", false}, {"6H", true}, {"7H", true}, // the rows below it are empty
       {"8H", false}, {"9H", true},  {"TH", false}, {"JH", true}, {"QH", true}, {"KH", false},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.card);
      Card* card = Named(c.card);
      EXPECT_EQ(game.CardAvailableCheck(card), c.available);
   }
   EXPECT_FALSE(game.CardAvailableCheck(Stock()->CardTopGet()));
   EXPECT_FALSE(game.CardAvailableCheck(nullptr));
   // Free pairs: 6H with 7H (13) and QH needs an Ace; JH with 2H is covered.
   EXPECT_TRUE(game.CardPlayableCheck(Named("6H")));
   EXPECT_FALSE(game.CardPlayableCheck(Named("JH")));
   EXPECT_FALSE(game.CardPlayableCheck(Named("2H")));
}

TEST_F(PyramidSolitaireTest, AKingGoesOnOneClickAndAPairTo13OnTwo)
{
   ASSERT_NO_FATAL_FAILURE(EnterCleared());
   harness.CardsPlace(Tab(21), {"KS*"});
   harness.CardsPlace(Tab(22), {"QS*"});
   harness.CardsPlace(Tab(23), {"5D*"});
   harness.CardsPlace(Tab(24), {"6D*"});
   harness.CardsPlace(Tab(25), {"KD*"});
   harness.CardsPlace(Reserve(0), {"AH*"});
   Card* king = Tab(21)->CardTopGet();

   // The bottom-row King goes at once and never becomes the selection.
   harness.Choose(king);
   EXPECT_EQ(king->pile, Foundation());
   EXPECT_EQ(game.selectedCardID, -1);
   EXPECT_FALSE(king->selected);

   // A pair not adding up to 13 hands the selection to the second card; choosing it again keeps it.
   Card* five = Tab(23)->CardTopGet();
   Card* six = Tab(24)->CardTopGet();
   harness.Choose(five);
   EXPECT_EQ(game.selectedCardID, five->id);
   EXPECT_TRUE(five->selected);
   harness.Choose(six);
   EXPECT_EQ(game.selectedCardID, six->id);
   EXPECT_FALSE(five->selected);
   EXPECT_TRUE(six->selected);
   harness.Choose(six);
   EXPECT_EQ(game.selectedCardID, six->id);
   EXPECT_TRUE(six->selected);

   // A King removed while a card is chosen ends the choice with the removal.
   harness.Choose(Tab(25)->CardTopGet());
   EXPECT_EQ(Tab(25)->cards.count, 0);
   EXPECT_EQ(game.selectedCardID, -1);
   EXPECT_FALSE(six->selected);

   // Queen and Ace: both go, the Reserve card included.
   Card* queen = Tab(22)->CardTopGet();
   Card* ace = Reserve(0)->CardTopGet();
   harness.Choose(queen);
   harness.Choose(ace);
   EXPECT_EQ(queen->pile, Foundation());
   EXPECT_EQ(ace->pile, Foundation());
   EXPECT_EQ(game.selectedCardID, -1);
   EXPECT_EQ(harness.PileText(Foundation()), "KS* KD* QS* AH*");

   // A covered card does nothing when clicked.
   harness.CardsPlace(Tab(15), {"7C*"});
   harness.CardsPlace(Tab(21), {"2C*"});
   harness.Choose(Tab(15)->CardTopGet());
   EXPECT_EQ(game.selectedCardID, -1);
}

TEST_F(PyramidSolitaireTest, TwoCardsOfOnePileNeverMakeAPair)
{
   ASSERT_NO_FATAL_FAILURE(EnterCleared());
   harness.CardsPlace(Reserve(0), {"6H*", "7H*"});
   StockEmpty();
   EXPECT_TRUE(game.CardAvailableCheck(Named("6H")));
   EXPECT_TRUE(game.CardAvailableCheck(Named("7H")));
   EXPECT_FALSE(game.PairExists());
   Reserve(1)->CardInsert(0, Named("7H"));
   EXPECT_TRUE(game.PairExists());
}

TEST_F(PyramidSolitaireTest, WithTheStockEmptyAndNothingToRemoveTheGameIsLost)
{
   // At once after a click that does not pair.
   ASSERT_NO_FATAL_FAILURE(EnterCleared());
   harness.CardsPlace(Tab(21), {"2H*"});
   harness.CardsPlace(Tab(22), {"3H*"});
   harness.CardsPlace(Tab(23), {"5D*"});
   StockEmpty();
   game.CardChoose(Named("2H"));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   game.CardChoose(Named("3H"));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);

   // At the next refresh after the last removal.
   ASSERT_NO_FATAL_FAILURE(EnterCleared());
   harness.CardsPlace(Tab(21), {"2H*"});
   harness.CardsPlace(Tab(22), {"3H*"});
   harness.CardsPlace(Tab(23), {"KD*"});
   StockEmpty();
   harness.Choose(Named("KD"));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);

   // A card left in the stock keeps the game running.
   ASSERT_NO_FATAL_FAILURE(EnterCleared());
   harness.CardsPlace(Tab(21), {"2H*"});
   harness.CardsPlace(Tab(23), {"KD*"});
   harness.Choose(Named("KD"));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
}

TEST_F(PyramidSolitaireTest, AnUndoForgetsTheSelectionSoACoveredCardCannotBePaired)
{
   ASSERT_NO_FATAL_FAILURE(EnterCleared());
   harness.CardsPlace(Tab(15), {"6C*"});
   harness.CardsPlace(Tab(21), {"KS*"});
   harness.CardsPlace(Tab(22), {"KD*"});
   harness.CardsPlace(Reserve(0), {"7H*"});
   harness.Choose(Tab(21)->CardTopGet());
   harness.Choose(Tab(22)->CardTopGet());
   Card* six = Tab(15)->CardTopGet();
   harness.Choose(six);
   ASSERT_EQ(game.selectedCardID, six->id);

   ASSERT_TRUE(harness.UndoPress());
   EXPECT_EQ(Tab(22)->cards.count, 1);
   EXPECT_EQ(game.selectedCardID, -1);
   EXPECT_FALSE(six->selected);
   // The Seven would make 13 with the Six, which is covered again: it only becomes the selection.
   Card* seven = Reserve(0)->CardTopGet();
   harness.Choose(seven);
   EXPECT_EQ(six->pile, Tab(15));
   EXPECT_EQ(seven->pile, Reserve(0));
   EXPECT_EQ(game.selectedCardID, seven->id);
   EXPECT_EQ(Foundation()->cards.count, 1);

   // A stock turn ends a choice too.
   harness.Choose(Stock()->CardTopGet());
   EXPECT_EQ(game.selectedCardID, -1);
   EXPECT_FALSE(seven->selected);
}

TEST_F(PyramidSolitaireTest, TheDealFollowsTheFaceDownAndReserveOptions)
{
   for (const bool faceDown : {false, true})
   {
      for (const bool noReserve : {false, true})
      {
         SCOPED_TRACE(std::string(faceDown ? "face down" : "face up") +
                      (noReserve ? ", no reserve" : ", reserve"));
         harness.OptionSet("ShowCoveredCardsFaceDown", faceDown);
         harness.OptionSet("NoReserve", noReserve);
         ASSERT_NO_FATAL_FAILURE(Enter());
         for (i32 pile = 0; pile < PYRAMID_PILE_COUNT; ++pile)
         {
            ASSERT_EQ(Tab(pile)->cards.count, 1) << pile;
            EXPECT_EQ(Tab(pile)->cards[0]->faceUp, !faceDown || pile >= 21) << pile;
         }
         for (i32 reserve = 0; reserve < 3; ++reserve)
         {
            ASSERT_EQ(Reserve(reserve)->cards.count, noReserve ? 0 : 1) << reserve;
            EXPECT_TRUE(noReserve || Reserve(reserve)->cards[0]->faceUp);
         }
         EXPECT_EQ(Stock()->cards.count, noReserve ? 24 : 21);
         EXPECT_EQ(game.selectedCardID, -1);
      }
   }
}

TEST_F(PyramidSolitaireTest, ACoveredCardTurnsUpOnceUncoveredAndTurnsBackOnUndo)
{
   harness.OptionSet("ShowCoveredCardsFaceDown", true);
   ASSERT_NO_FATAL_FAILURE(EnterCleared());
   harness.CardsPlace(Tab(15), {"9C"});
   harness.CardsPlace(Tab(21), {"KS*"});
   harness.CardsPlace(Tab(22), {"KD*"});
   Card* nine = Tab(15)->CardTopGet();
   harness.Choose(Tab(21)->CardTopGet());
   EXPECT_FALSE(nine->faceUp);
   harness.Choose(Tab(22)->CardTopGet());
   EXPECT_TRUE(nine->faceUp);
   ASSERT_TRUE(harness.UndoPress());
   EXPECT_FALSE(nine->faceUp);
   EXPECT_EQ(Tab(22)->cards.count, 1);
}

TEST_F(PyramidSolitaireTest, StockTurnsFollowTheWasteOption)
{
   for (const bool noWaste : {false, true})
   {
      SCOPED_TRACE(noWaste ? "no waste" : "waste");
      harness.OptionSet("NoWastePile", noWaste);
      ASSERT_NO_FATAL_FAILURE(Enter());
      EXPECT_EQ(Waste()->visible, !noWaste);
      for (i32 turn = 1; turn <= 3; ++turn)
      {
         harness.Choose(Stock()->CardTopGet());
         EXPECT_EQ(Flip()->cards.count, noWaste ? turn : 1);
         EXPECT_EQ(Waste()->cards.count, noWaste ? 0 : turn - 1);
         EXPECT_TRUE(Flip()->CardTopGet()->faceUp);
      }
      EXPECT_TRUE(game.CardAvailableCheck(Flip()->CardTopGet()));
      EXPECT_EQ(game.CardAvailableCheck(Flip()->cards[0]), !noWaste);
   }
}

TEST_F(PyramidSolitaireTest, TheWinFollowsThePlayAllCardsOption)
{
   for (const bool playAll : {false, true})
   {
      SCOPED_TRACE(playAll ? "all cards" : "the pyramid");
      harness.OptionSet("PlayAllCardsToWin", playAll);
      // The pyramid's last card goes while the stock still holds cards.
      ASSERT_NO_FATAL_FAILURE(EnterCleared());
      harness.CardsPlace(Tab(21), {"KS*"});
      harness.Choose(Tab(21)->CardTopGet());
      EXPECT_EQ(game.gameResult, playAll ? MINIGAME_RESULT_RUNNING : MINIGAME_RESULT_WON);
      if (!playAll)
      {
         continue;
      }
      // Every card on the Foundation.
      ASSERT_NO_FATAL_FAILURE(EnterCleared());
      harness.CardsPlace(Reserve(2), {"KS*"});
      StockEmpty();
      harness.Choose(Reserve(2)->CardTopGet());
      EXPECT_EQ(Foundation()->cards.count, 52);
      EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   }
}

TEST_F(PyramidSolitaireTest, EveryCardActsOnOneClickAndNoneCanBeDragged)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   for (i32 i = 0; i < game.cards.count; ++i)
   {
      EXPECT_TRUE(game.CardChooseOnClickCheck(game.cards[i]));
      EXPECT_FALSE(game.CardPickUpCheck(game.cards[i]));
   }
}
} // namespace
} // namespace Corvale
