// Betsy Ross: the eight cards placed by the deal, the stepped foundations from the Two, Four, Six
// and Eight to the King, the base cards that never move, and the loss once the resets are spent.
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

class BetsyRossRecorded : public BetsyRossSolitaire
{
 public:
   void CardPileShuffle(CardPile* pile) override
   {
      BetsyRossSolitaire::CardPileShuffle(pile);
      shuffled.clear();
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         shuffled.push_back(pile->cards[i]);
      }
   }
   std::vector<Card*> shuffled;
};

TEST(BetsyRossSolitaireTest, TheDealPlacesTheFirstCardsOfTheirRanksFromTheTop)
{
   BetsyRossRecorded game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   // The nth card of a rank from the top of the shuffled stock.
   const auto nth = [&](i32 rank, i32 n)
   {
      for (auto it = game.shuffled.rbegin(); it != game.shuffled.rend(); ++it)
      {
         if ((*it)->rank == rank && n-- == 0)
         {
            return *it;
         }
      }
      return static_cast<Card*>(nullptr);
   };
   struct Case
   {
      i32 type;
      i32 secondaryID;
      i32 rank;
      i32 nth;
   };
   const Case cases[] = {
       {CARD_PILE_TYPE_RESERVE, 0, RANK_ACE, 0}, {CARD_PILE_TYPE_FOUNDATION, 0, RANK_TWO, 0},
       {CARD_PILE_TYPE_RESERVE, 1, RANK_TWO, 1}, {CARD_PILE_TYPE_RESERVE, 2, 3, 0},
       {CARD_PILE_TYPE_FOUNDATION, 1, 4, 0},     {CARD_PILE_TYPE_RESERVE, 3, 4, 1},
       {CARD_PILE_TYPE_FOUNDATION, 2, 6, 0},     {CARD_PILE_TYPE_FOUNDATION, 3, 8, 0},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.type * 10 + c.secondaryID);
      const CardPile* pile = harness.PileGet(c.type, c.secondaryID);
      ASSERT_EQ(pile->cards.count, 1);
      EXPECT_EQ(pile->cards[0], nth(c.rank, c.nth));
      EXPECT_TRUE(pile->cards[0]->faceUp);
      EXPECT_FALSE(game.CardPickUpCheck(pile->cards[0])) << "placed cards stay";
   }
   EXPECT_EQ(harness.StockGet()->cards.count, 44);
   EXPECT_EQ(game.maxResets, BETSY_ROSS_MAX_RESETS);
}

TEST(BetsyRossSolitaireTest, TheFoundationsStepByOneToFourToTheKing)
{
   const std::vector<std::vector<i32>> sequences = {
       {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
       {4, 6, 8, 10, 12, 1, 3, 5, 7, 9, 11, 13},
       {6, 9, 12, 2, 5, 8, 11, 1, 4, 7, 10, 13},
       {8, 12, 3, 7, 11, 2, 6, 10, 1, 5, 9, 13},
   };
   static const char ranks[] = "XA23456789TJQK";
   BetsyRossSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   for (i32 k = 0; k < BETSY_ROSS_FOUNDATION_COUNT; ++k)
   {
      SCOPED_TRACE(k);
      harness.TableEmpty();
      CardPile* foundation = harness.FoundationGet(k);
      for (size_t i = 0; i < sequences[k].size(); ++i)
      {
         harness.CardsPlace(foundation, {std::string(1, ranks[sequences[k][i]]) + "SHC"[i % 3] + "*"});
         const i32 next = i + 1 < sequences[k].size() ? sequences[k][i + 1] : -1;
         for (i32 rank = RANK_ACE; rank <= RANK_KING; ++rank)
         {
            harness.CardsPlace(harness.TalonGet(), {std::string(1, ranks[rank]) + "D*"});
            EXPECT_EQ(game.CardDropCheck(foundation, harness.TalonGet()->CardTopGet()), rank == next)
                << "rank " << rank << " on " << CardGameHarness::PileText(foundation);
            harness.StockGet()->CardInsert(0, harness.TalonGet()->CardTopGet());
         }
      }
   }
}

TEST(BetsyRossSolitaireTest, OnlyTheTalonTopPlaysAndTheBlockedGameIsLostAfterTheResets)
{
   BetsyRossSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   for (i32 k = 0; k < 4; ++k)
   {
      harness.CardsPlace(harness.PileGet(CARD_PILE_TYPE_RESERVE, k), {std::string(1, "A234"[k]) + "H*"});
      harness.CardsPlace(harness.FoundationGet(k), {std::string(1, "2468"[k]) + "S*"});
   }
   harness.CardsPlace(harness.TalonGet(), {"KD*", "9C*"});
   EXPECT_FALSE(game.CardPickUpCheck(harness.TalonGet()->cards[0]));
   EXPECT_TRUE(game.CardPickUpCheck(harness.TalonGet()->cards[1]));
   EXPECT_TRUE(game.CardDropCheck(harness.FoundationGet(2), harness.TalonGet()->cards[1])) << "9 after 6";
   EXPECT_FALSE(game.CardDropCheck(harness.PileGet(CARD_PILE_TYPE_RESERVE, 0), harness.TalonGet()->cards[1]));

   // The stock laid on the talon under the Nine, the resets spent: a card that fits keeps the game
   // going, and once none does it is lost.
   CardPile* stock = harness.StockGet();
   CardPile* talon = harness.TalonGet();
   while (stock->cards.count > 0)
   {
      Card* card = stock->CardTopGet();
      if (card->rank == 3 || card->rank == 6 || card->rank == 9 || card->rank == RANK_QUEEN)
      {
         // The ranks the foundations will ask for, kept out of reach under a foundation.
         harness.FoundationGet(0)->CardInsert(0, card);
      }
      else
      {
         talon->CardInsert(0, card);
      }
      card->FaceUpSet(true, false);
   }
   game.CardAnimationsFinish();
   game.resetNum = BETSY_ROSS_MAX_RESETS;
   ASSERT_TRUE(harness.DropAndSettle(talon->CardTopGet(), harness.FoundationGet(2)));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST) << CardGameHarness::PileText(talon);
}
} // namespace
} // namespace Corvale
