// Calculation: the bases taken from the top of the shuffled stock, the four stepped foundation
// sequences, the waste columns with their hidden fifth, the one-card turn and the loss.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/games/solitaire/SolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::SolitaireHarness;

constexpr const char* KEY = "CalculationSolitaire";

// Keeps the stock's order as the shuffle left it, for the deal's expectations.
class CalculationRecorded : public CalculationSolitaire
{
 public:
   void CardPileShuffle(CardPile* pile) override
   {
      CalculationSolitaire::CardPileShuffle(pile);
      shuffled.clear();
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         shuffled.push_back(pile->cards[i]);
      }
   }
   std::vector<Card*> shuffled;
};

TEST(CalculationSolitaireTest, TheBasesAreTheFirstAceTwoThreeAndFourFromTheTop)
{
   for (const bool four : {true, false})
   {
      SCOPED_TRACE(four);
      CalculationRecorded game;
      SolitaireHarness harness;
      SolitaireHarness::OptionSet(KEY, "FourColumns", four);
      harness.SolitaireEnter(&game);
      for (i32 base = 0; base < CALCULATION_FOUNDATION_COUNT; ++base)
      {
         Card* expected = nullptr;
         for (auto it = game.shuffled.rbegin(); it != game.shuffled.rend() && !expected; ++it)
         {
            expected = (*it)->rank == base + 1 ? *it : nullptr;
         }
         const CardPile* pile = harness.PileGet(CARD_PILE_TYPE_RESERVE, base);
         ASSERT_EQ(pile->cards.count, 1);
         EXPECT_EQ(pile->cards[0], expected) << base;
         EXPECT_TRUE(pile->cards[0]->faceUp);
         EXPECT_FALSE(game.CardPickUpCheck(pile->cards[0])) << "a base never moves";
         EXPECT_EQ(harness.FoundationGet(base)->cards.count, 0);
      }
      EXPECT_EQ(harness.StockGet()->cards.count, 48);
      EXPECT_EQ(harness.ColumnGet(4)->visible, !four);
   }
}

TEST(CalculationSolitaireTest, EachFoundationRunsItsOwnSequenceToTheKing)
{
   // Foundation k after its base, as the players' tables give them.
   const std::vector<std::vector<i32>> sequences = {
       {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
       {4, 6, 8, 10, 12, 1, 3, 5, 7, 9, 11, 13},
       {6, 9, 12, 2, 5, 8, 11, 1, 4, 7, 10, 13},
       {8, 12, 3, 7, 11, 2, 6, 10, 1, 5, 9, 13},
   };
   static const char ranks[] = "XA23456789TJQK";
   CalculationSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   for (i32 k = 0; k < CALCULATION_FOUNDATION_COUNT; ++k)
   {
      SCOPED_TRACE(k);
      harness.TableEmpty();
      CardPile* foundation = harness.FoundationGet(k);
      for (const i32 wanted : sequences[k])
      {
         for (i32 rank = RANK_ACE; rank <= RANK_KING; ++rank)
         {
            harness.CardsPlace(harness.TalonGet(), {std::string(1, ranks[rank]) + "C*"});
            EXPECT_EQ(game.CardDropCheck(foundation, harness.TalonGet()->CardTopGet()), rank == wanted)
                << "rank " << rank << " after " << foundation->cards.count << " cards";
            harness.StockGet()->CardInsert(0, harness.TalonGet()->CardTopGet());
         }
         // Suits do not matter: lay the next one from hearts.
         harness.CardsPlace(foundation,
                            {std::string(1, ranks[wanted]) + (foundation->cards.count % 2 ? "H*" : "S*")});
      }
      harness.CardsPlace(harness.TalonGet(), {"AD*"});
      EXPECT_FALSE(game.CardDropCheck(foundation, harness.TalonGet()->CardTopGet())) << "nothing on a King";
   }
}

TEST(CalculationSolitaireTest, TheTurnedCardGoesOnAnyVisibleColumnAndColumnsFeedOnlyFoundations)
{
   for (const bool four : {true, false})
   {
      SCOPED_TRACE(four);
      CalculationSolitaire game;
      SolitaireHarness harness;
      SolitaireHarness::OptionSet(KEY, "FourColumns", four);
      harness.SolitaireEnter(&game);
      harness.TableEmpty();
      harness.CardsPlace(harness.ColumnGet(0), {"7S*"});
      harness.CardsPlace(harness.ColumnGet(1), {"9D*", "2H*"});
      harness.CardsPlace(harness.TalonGet(), {"7H*"});
      Card* turned = harness.TalonGet()->CardTopGet();
      Card* columnTop = harness.ColumnGet(1)->CardTopGet();
      EXPECT_TRUE(game.CardPickUpCheck(turned));
      EXPECT_TRUE(game.CardPickUpCheck(columnTop));
      EXPECT_FALSE(game.CardPickUpCheck(harness.ColumnGet(1)->cards[0])) << "a covered card";
      EXPECT_TRUE(game.CardDropCheck(harness.ColumnGet(0), turned)) << "even on a card of its rank";
      EXPECT_EQ(game.CardDropCheck(harness.ColumnGet(4), turned), !four) << "the fifth column";
      EXPECT_FALSE(game.CardDropCheck(harness.ColumnGet(2), columnTop)) << "no column to column";
      EXPECT_TRUE(game.CardDropCheck(harness.FoundationGet(0), columnTop)) << "a Two over the Ace";
      EXPECT_FALSE(game.CardDropCheck(harness.PileGet(CARD_PILE_TYPE_RESERVE, 0), columnTop));
   }
}

TEST(CalculationSolitaireTest, TheStockTurnsOnlyWhileNoCardWaitsAndTheBlockedEndLoses)
{
   CalculationSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   CardPile* stock = harness.StockGet();
   Card* top = stock->CardTopGet();
   EXPECT_TRUE(game.CardChooseOnClickCheck(top));
   harness.Pick(top);
   EXPECT_EQ(harness.TalonGet()->cards.count, 1);
   EXPECT_FALSE(game.CardChooseOnClickCheck(stock->CardTopGet()));
   harness.Pick(stock->CardTopGet());
   EXPECT_EQ(harness.TalonGet()->cards.count, 1) << "a second click waits for the turned card";
   EXPECT_EQ(stock->cards.count, 47);

   // The stock used up, the turned card gone and every foundation closed by a King: lost.
   harness.TableEmpty();
   for (i32 k = 0; k < 4; ++k)
   {
      harness.CardsPlace(harness.PileGet(CARD_PILE_TYPE_RESERVE, k), {std::string(1, "A234"[k]) + "H*"});
      harness.CardsPlace(harness.FoundationGet(k), {std::string("K") + "HSDC"[k] + "*"});
   }
   harness.CardsPlace(harness.TalonGet(), {"5D*"});
   while (stock->cards.count > 0)
   {
      Card* card = stock->CardTopGet();
      harness.ColumnGet(1)->CardInsert(harness.ColumnGet(1)->cards.count, card);
      card->FaceUpSet(true, false);
   }
   game.CardAnimationsFinish();
   ASSERT_TRUE(harness.DropAndSettle(harness.TalonGet()->CardTopGet(), harness.ColumnGet(2)));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
}
} // namespace
} // namespace Corvale
