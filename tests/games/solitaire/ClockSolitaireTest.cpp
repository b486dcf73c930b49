// Clock: the deal and its winnable arrangement, the carrying rules, the score after the deal, and
// the win tested before the loss.
#include <gtest/gtest.h>

#include "tests/games/solitaire/SolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::SolitaireHarness;

constexpr const char* KEY = "ClockSolitaire";

CardPile* Flip(SolitaireHarness& harness)
{
   return harness.PileGet(CARD_PILE_TYPE_FLIP, CLOCK_FLIP_PILE_ID);
}

CardPile* Kings(SolitaireHarness& harness)
{
   return harness.PileGet(CARD_PILE_TYPE_WASTE, CLOCK_KING_PILE_ID);
}

CardPile* Finished(SolitaireHarness& harness)
{
   return harness.PileGet(CARD_PILE_TYPE_WASTE, CLOCK_FINISHED_PILE_ID);
}

// The card to carry next: a face-up hour top, else the turned card.
Card* NextCardGet(SolitaireHarness& harness)
{
   for (i32 hour = 0; hour < CLOCK_HOUR_COUNT; ++hour)
   {
      Card* top = harness.ColumnGet(hour)->CardTopGet();
      if (top && top->faceUp)
      {
         return top;
      }
   }
   return Flip(harness)->CardTopGet();
}

TEST(ClockSolitaireTest, TheDealLaysFourHiddenCardsOnEachHourAndTurnsOneOfTheFourLeft)
{
   for (const bool winnable : {false, true})
   {
      SCOPED_TRACE(winnable);
      ClockSolitaire game;
      SolitaireHarness harness;
      SolitaireHarness::OptionSet(KEY, "DealWinnableHand", winnable);
      harness.SolitaireEnter(&game);
      for (i32 hour = 0; hour < CLOCK_HOUR_COUNT; ++hour)
      {
         const CardPile* pile = harness.ColumnGet(hour);
         ASSERT_EQ(pile->cards.count, CLOCK_CARDS_PER_HOUR) << hour;
         for (i32 i = 0; i < pile->cards.count; ++i)
         {
            EXPECT_FALSE(pile->cards[i]->faceUp) << hour;
         }
      }
      EXPECT_EQ(harness.StockGet()->cards.count, 3);
      ASSERT_EQ(Flip(harness)->cards.count, 1);
      EXPECT_TRUE(Flip(harness)->cards[0]->faceUp);
      EXPECT_EQ(game.ScoreGet(), 4) << "the stock's cards";
      EXPECT_EQ(game.undoHistory.count, 0) << "the first turn belongs to the deal";
      EXPECT_TRUE(harness.CardsConservedCheck());
      if (winnable)
      {
         // The three cards under the turned one are Kings, and the turned one is not.
         for (i32 i = 0; i < harness.StockGet()->cards.count; ++i)
         {
            EXPECT_EQ(harness.StockGet()->cards[i]->rank, RANK_KING);
         }
         EXPECT_NE(Flip(harness)->cards[0]->rank, RANK_KING);
      }
   }
}

TEST(ClockSolitaireTest, AWinnableDealFollowedCardByCardClearsTheHoursBeforeTheFourthKing)
{
   ClockSolitaire game;
   SolitaireHarness harness;
   harness.frameMilliseconds = 50;
   SolitaireHarness::OptionSet(KEY, "DealWinnableHand", true);
   harness.SolitaireEnter(&game);
   for (u32 seed = 1; seed <= 40 && !::testing::Test::HasFailure(); ++seed)
   {
      SCOPED_TRACE(seed);
      game.seed1 = seed * 31u;
      game.seed2 = seed * 977u;
      game.GameNew();
      harness.Settle();
      for (i32 moves = 0; moves < 60 && game.gameResult == MINIGAME_RESULT_RUNNING; ++moves)
      {
         Card* card = NextCardGet(harness);
         ASSERT_NE(card, nullptr);
         CardPile* target = card->rank == RANK_KING ? Kings(harness) : harness.ColumnGet(card->rank - 1);
         ASSERT_TRUE(harness.DropAndSettle(card, target));
      }
      EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
      EXPECT_EQ(Kings(harness)->cards.count, 1) << "only the King dealt into the hours was carried";
      EXPECT_EQ(Finished(harness)->cards.count, 48);
   }
}

TEST(ClockSolitaireTest, EachCardGoesOnlyToItsHourAndKingsOnlyToTheKingPile)
{
   ClockSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   harness.CardsPlace(harness.ColumnGet(4), {"3C", "QH*"});
   harness.CardsPlace(harness.ColumnGet(6), {"AS*"});
   harness.CardsPlace(harness.ColumnGet(8), {"KD*"});
   harness.CardsPlace(harness.ColumnGet(9), {"5D"});
   struct Case
   {
      const char* what;
      Card* card;
      bool pickUp;
      CardPile* target;
      bool accepted;
   };
   Card* queen = harness.ColumnGet(4)->CardTopGet();
   Card* ace = harness.ColumnGet(6)->CardTopGet();
   Card* king = harness.ColumnGet(8)->CardTopGet();
   const Case cases[] = {
       {"a Queen to the twelfth hour", queen, true, harness.ColumnGet(11), true},
       {"a Queen to another hour", queen, true, harness.ColumnGet(10), false},
       {"an Ace to the first hour", ace, true, harness.ColumnGet(0), true},
       {"an Ace to the King pile", ace, true, Kings(harness), false},
       {"a King to the King pile", king, true, Kings(harness), true},
       {"a King to the last hour", king, true, harness.ColumnGet(11), false},
       {"a King to the finished pile", king, true, Finished(harness), false},
       {"a face-down top card", harness.ColumnGet(9)->CardTopGet(), false, harness.ColumnGet(4), true},
       {"a card under another", harness.ColumnGet(4)->cards[0], false, harness.ColumnGet(2), true},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      EXPECT_EQ(game.CardPickUpCheck(c.card), c.pickUp);
      EXPECT_EQ(game.CardDropCheck(c.target, c.card), c.accepted);
   }
   EXPECT_TRUE(game.CardPlayableCheck(king)) << "the King pile counts as a target";
}

TEST(ClockSolitaireTest, ACardThatReachesItsHourLeavesAndUncoversTheNext)
{
   ClockSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   harness.CardsPlace(harness.ColumnGet(2), {"9H", "7S"});
   harness.CardsPlace(Flip(harness), {"3D*"});
   ASSERT_TRUE(harness.DropAndSettle(Flip(harness)->CardTopGet(), harness.ColumnGet(2)));
   EXPECT_EQ(SolitaireHarness::PileText(Finished(harness)), "3D*");
   EXPECT_EQ(SolitaireHarness::PileText(harness.ColumnGet(2)), "9H 7S*");
   EXPECT_EQ(Flip(harness)->cards.count, 0) << "a face-up hour top waits, so no card is turned";
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
}

TEST(ClockSolitaireTest, TheFourthKingLosesUnlessTheHoursAreClearWhichWins)
{
   for (const bool hourLeft : {false, true})
   {
      SCOPED_TRACE(hourLeft);
      ClockSolitaire game;
      SolitaireHarness harness;
      harness.SolitaireEnter(&game);
      harness.TableEmpty();
      harness.CardsPlace(Kings(harness), {"KH*", "KS*", "KD*"});
      harness.CardsPlace(Flip(harness), {"KC*"});
      CardPile* stock = harness.StockGet();
      while (stock->cards.count > (hourLeft ? 1 : 0))
      {
         Card* card = stock->CardTopGet();
         Finished(harness)->CardInsert(Finished(harness)->cards.count, card);
         card->FaceUpSet(true, false);
      }
      if (hourLeft)
      {
         harness.ColumnGet(5)->CardInsert(0, stock->CardTopGet());
      }
      game.CardAnimationsFinish();
      ASSERT_TRUE(harness.DropAndSettle(Flip(harness)->CardTopGet(), Kings(harness)));
      EXPECT_EQ(game.gameResult, hourLeft ? MINIGAME_RESULT_LOST : MINIGAME_RESULT_WON);
   }
}
} // namespace
} // namespace Corvale
