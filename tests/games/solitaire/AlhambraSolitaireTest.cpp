// Alhambra: the Aces and Kings taken from the bottom of the two decks and the reserves, the
// foundations up and down without wrap, the talon built from the flip pile and by suit with wrap,
// and the loss once no turn, reset or move is left.
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

class AlhambraRecorded : public AlhambraSolitaire
{
 public:
   void CardPileShuffle(CardPile* pile) override
   {
      AlhambraSolitaire::CardPileShuffle(pile);
      shuffled.clear();
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         shuffled.push_back(pile->cards[i]);
      }
   }
   std::vector<Card*> shuffled;
};

CardPile* Flip(SolitaireHarness& harness)
{
   return harness.PileGet(CARD_PILE_TYPE_FLIP, -1);
}

TEST(AlhambraSolitaireTest, TheDealTakesAcesAndKingsFromTheBottomAndFillsEightReserves)
{
   AlhambraRecorded game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game, 2);
   for (i32 f = 0; f < 8; ++f)
   {
      const i32 rank = f < 4 ? RANK_ACE : RANK_KING;
      Card* expected = nullptr;
      for (size_t i = 0; i < game.shuffled.size() && !expected; ++i)
      {
         expected =
             game.shuffled[i]->rank == rank && game.shuffled[i]->suit == f % 4 ? game.shuffled[i] : nullptr;
      }
      const CardPile* foundation = harness.FoundationGet(f);
      ASSERT_EQ(foundation->cards.count, 1) << f;
      EXPECT_EQ(foundation->cards[0], expected) << f;
      EXPECT_TRUE(foundation->cards[0]->faceUp);
   }
   for (i32 r = 0; r < ALHAMBRA_RESERVE_COUNT; ++r)
   {
      const CardPile* reserve = harness.PileGet(CARD_PILE_TYPE_RESERVE, r);
      ASSERT_EQ(reserve->cards.count, ALHAMBRA_RESERVE_SIZE) << r;
      for (i32 i = 0; i < reserve->cards.count; ++i)
      {
         EXPECT_TRUE(reserve->cards[i]->faceUp);
      }
      EXPECT_FALSE(game.CardPickUpCheck(reserve->cards[0])) << "a covered reserve card";
      EXPECT_TRUE(game.CardPickUpCheck(reserve->CardTopGet()));
   }
   EXPECT_EQ(harness.StockGet()->cards.count, 104 - 8 - 32);
   EXPECT_EQ(game.maxResets, ALHAMBRA_MAX_RESETS);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(AlhambraSolitaireTest, FoundationsDoNotWrapAndTheTalonBuildsBySuitWithWrap)
{
   struct Case
   {
      const char* what;
      std::vector<std::string> talon;
      const char* card;
      // From the flip pile instead of a reserve.
      bool fromFlip;
      bool toTalon;
      bool toAces;
      bool toKings;
   };
   const Case cases[] = {
       {"a Two on the Ace", {}, "2H*", false, false, true, false},
       {"a Queen on the King", {}, "QH*", false, false, false, true},
       {"another suit's Two", {}, "2S*", false, false, false, false},
       {"a King after an Ace on the talon", {"AH*"}, "KH*", false, true, false, false},
       {"an Ace after a King on the talon", {"KH*"}, "AH*", false, true, false, false},
       {"a card a rank lower on the talon", {"7H*"}, "6H*", false, true, false, false},
       {"another suit on the talon", {"7H*"}, "6S*", false, false, false, false},
       {"two ranks away on the talon", {"7H*"}, "9H*", false, false, false, false},
       {"a reserve card on an empty talon", {}, "9H*", false, false, false, false},
       {"the flip card on an empty talon", {}, "9H*", true, true, false, false},
       {"the flip card on any talon", {"2S*"}, "9H*", true, true, false, false},
   };
   AlhambraSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game, 2);
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      harness.TableEmpty();
      harness.CardsPlace(harness.FoundationGet(0), {"AH*"});
      harness.CardsPlace(harness.FoundationGet(4), {"KH*"});
      harness.CardsPlace(harness.TalonGet(), c.talon);
      CardPile* from = c.fromFlip ? Flip(harness) : harness.PileGet(CARD_PILE_TYPE_RESERVE, 2);
      harness.CardsPlace(from, {c.card});
      Card* card = from->CardTopGet();
      EXPECT_TRUE(game.CardPickUpCheck(card));
      EXPECT_EQ(game.CardDropCheck(harness.TalonGet(), card), c.toTalon);
      EXPECT_EQ(game.CardDropCheck(harness.FoundationGet(0), card), c.toAces);
      EXPECT_EQ(game.CardDropCheck(harness.FoundationGet(4), card), c.toKings);
      EXPECT_FALSE(game.CardDropCheck(harness.PileGet(CARD_PILE_TYPE_RESERVE, 3), card));
   }
   // A full Ace foundation takes no Ace, an emptied King foundation no King.
   harness.TableEmpty();
   harness.CardsPlace(harness.FoundationGet(0), {"QH*", "KH*"});
   harness.CardsPlace(harness.FoundationGet(4), {"2H*", "AH*"});
   harness.CardsPlace(Flip(harness), {"AH*"});
   EXPECT_FALSE(game.CardDropCheck(harness.FoundationGet(0), Flip(harness)->CardTopGet()));
   harness.CardsPlace(Flip(harness), {"KH*"});
   EXPECT_FALSE(game.CardDropCheck(harness.FoundationGet(4), Flip(harness)->CardTopGet()));
}

TEST(AlhambraSolitaireTest, TheStockTurnsOneCardWhileTheFlipPileIsEmpty)
{
   AlhambraSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game, 2);
   CardPile* stock = harness.StockGet();
   EXPECT_TRUE(game.CardChooseOnClickCheck(stock->CardTopGet()));
   harness.Pick(stock->CardTopGet());
   EXPECT_EQ(Flip(harness)->cards.count, 1);
   EXPECT_FALSE(game.CardChooseOnClickCheck(stock->CardTopGet()));
   harness.Pick(stock->CardTopGet());
   EXPECT_EQ(Flip(harness)->cards.count, 1) << "the turned card must go first";
   EXPECT_EQ(stock->cards.count, 63);
}

// The stock and the talon both empty: a reset would bring nothing back, so a table without a move
// is lost although resets are left; with a card left in the talon and resets left it is not.
TEST(AlhambraSolitaireTest, ABlockedTableIsLostOnceNoResetCanHelp)
{
   for (const bool talonHolds : {false, true})
   {
      SCOPED_TRACE(talonHolds);
      AlhambraSolitaire game;
      SolitaireHarness harness;
      harness.SolitaireEnter(&game, 2);
      harness.TableEmpty();
      for (i32 f = 0; f < 8; ++f)
      {
         harness.CardsPlace(harness.FoundationGet(f), {std::string(f < 4 ? "A" : "K") + "HSDC"[f % 4] + "*"});
      }
      harness.CardsPlace(harness.TalonGet(), talonHolds ? std::vector<std::string>{"7C*", "2H*"}
                                                        : std::vector<std::string>{"2H*"});
      // Every other card in the reserves, under Fives and Nines that fit nowhere.
      CardPile* stock = harness.StockGet();
      std::vector<Card*> blockers;
      i32 r = 0;
      while (stock->cards.count > 0)
      {
         Card* card = stock->CardTopGet();
         if (card->rank == 5 || card->rank == 9)
         {
            blockers.push_back(card);
            harness.FoundationGet(0)->CardInsert(0, card);
            continue;
         }
         harness.PileGet(CARD_PILE_TYPE_RESERVE, r++ % 8)->CardInsert(0, card);
         card->FaceUpSet(true, false);
      }
      for (size_t i = 0; i < blockers.size(); ++i)
      {
         CardPile* reserve = harness.PileGet(CARD_PILE_TYPE_RESERVE, static_cast<i32>(i % 8));
         reserve->CardInsert(reserve->cards.count, blockers[i]);
         blockers[i]->FaceUpSet(true, false);
      }
      game.CardAnimationsFinish();
      ASSERT_TRUE(harness.DropAndSettle(harness.TalonGet()->CardTopGet(), harness.FoundationGet(0)));
      EXPECT_EQ(game.resetNum, 0);
      EXPECT_EQ(harness.TalonGet()->cards.count, talonHolds ? 1 : 0);
      EXPECT_EQ(game.gameResult, talonHolds ? MINIGAME_RESULT_RUNNING : MINIGAME_RESULT_LOST);
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}
} // namespace
} // namespace Corvale
