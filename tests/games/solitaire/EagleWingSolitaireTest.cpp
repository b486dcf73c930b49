// Eagle Wing: the deal with its trunk size, the wings' wrap and three-card limit, the foundations
// from the build rank, the trunk refilling the wings, and the two resets with their undo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/widgets/PressButtonWidget.h"
#include "tests/games/solitaire/SolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::SolitaireHarness;

constexpr const char* KEY = "EagleWingSolitaire";

CardPile* Trunk(SolitaireHarness& harness)
{
   return harness.PileGet(CARD_PILE_TYPE_RESERVE, -1);
}

TEST(EagleWingSolitaireTest, TheDealFixesTheBuildRankAndFillsWingsAndTrunk)
{
   for (const bool seventeen : {false, true})
   {
      SCOPED_TRACE(seventeen);
      EagleWingSolitaire game;
      SolitaireHarness harness;
      SolitaireHarness::OptionSet(KEY, "SeventeenCardReserve", seventeen);
      harness.SolitaireEnter(&game);
      const i32 trunk = seventeen ? 17 : 14;
      ASSERT_EQ(harness.FoundationGet(0)->cards.count, 1);
      EXPECT_EQ(harness.FoundationGet(0)->cards[0]->rank, game.buildRank);
      for (i32 wing = 0; wing < EAGLE_WING_WING_COUNT; ++wing)
      {
         ASSERT_EQ(harness.ColumnGet(wing)->cards.count, 1) << wing;
         EXPECT_TRUE(harness.ColumnGet(wing)->cards[0]->faceUp);
      }
      ASSERT_EQ(Trunk(harness)->cards.count, trunk);
      EXPECT_TRUE(Trunk(harness)->CardTopGet()->faceUp);
      EXPECT_EQ(harness.StockGet()->cards.count, 52 - 9 - trunk);
      EXPECT_EQ(game.maxResets, EAGLE_WING_MAX_RESETS);
      EXPECT_EQ(game.resetNum, 0);
   }
}

TEST(EagleWingSolitaireTest, WingsBuildDownBySuitWithWrapUpToThreeCards)
{
   struct Case
   {
      const char* what;
      std::vector<std::string> wing0;
      std::vector<std::string> wing1;
      std::vector<std::string> foundation0;
      Rank buildRank;
      // The card of wing 0 (index) that moves; -1 its top.
      i32 index;
      bool toWing1;
      bool toFoundation0;
   };
   const Case cases[] = {
       {"a King on an Ace of its suit", {"KS*"}, {"AS*"}, {}, RANK_ACE, -1, true, false},
       {"a King on an Ace of another suit", {"KS*"}, {"AC*"}, {}, RANK_ACE, -1, false, false},
       {"a card on one a rank lower", {"5H*"}, {"4H*"}, {}, RANK_ACE, -1, false, false},
       {"a third card onto a wing of two", {"7D*"}, {"9D*", "8D*"}, {}, RANK_ACE, -1, true, false},
       {"a fourth card onto a wing of three", {"6D*"}, {"9D*", "8D*", "7D*"}, {}, RANK_ACE, -1, false, false},
       {"two cards onto a wing of one", {"8C*", "7C*"}, {"9C*"}, {}, RANK_ACE, 0, true, false},
       {"two cards onto a wing of two", {"8C*", "7C*"}, {"TC*", "9C*"}, {}, RANK_ACE, 0, false, false},
       {"three cards onto an empty wing", {"8C*", "7C*", "6C*"}, {}, {}, RANK_ACE, 0, true, false},
       {"the build rank onto an empty foundation", {"QH*"}, {"2S*"}, {}, RANK_QUEEN, -1, false, true},
       {"an Ace after a King on a foundation", {"AH*"}, {"3S*"}, {"QH*", "KH*"}, RANK_QUEEN, -1, false, true},
       {"another suit after a King", {"AS*"}, {"3S*"}, {"QH*", "KH*"}, RANK_QUEEN, -1, false, false},
       {"a card with another above it to a foundation",
        {"KS*", "QH*"},
        {},
        {"QS*"},
        RANK_QUEEN,
        0,
        true,
        false},
   };
   EagleWingSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      harness.TableEmpty();
      game.buildRank = c.buildRank;
      harness.CardsPlace(harness.ColumnGet(0), c.wing0);
      harness.CardsPlace(harness.ColumnGet(1), c.wing1);
      harness.CardsPlace(harness.FoundationGet(0), c.foundation0);
      Card* card = c.index < 0 ? harness.ColumnGet(0)->CardTopGet() : harness.ColumnGet(0)->cards[c.index];
      EXPECT_TRUE(game.CardPickUpCheck(card));
      EXPECT_EQ(game.CardDropCheck(harness.ColumnGet(1), card), c.toWing1);
      EXPECT_EQ(game.CardDropCheck(harness.FoundationGet(0), card), c.toFoundation0);
      EXPECT_FALSE(game.CardDropCheck(Trunk(harness), card)) << "nothing goes onto the trunk";
      EXPECT_FALSE(game.CardDropCheck(harness.TalonGet(), card));
   }
}

TEST(EagleWingSolitaireTest, OnlyTheTopOfTheTrunkAndTheTalonLiftAndOnlyWingsCarry)
{
   EagleWingSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   harness.CardsPlace(Trunk(harness), {"9H*", "2C*", "KD*"});
   harness.CardsPlace(harness.TalonGet(), {"4H*", "5S*"});
   harness.CardsPlace(harness.ColumnGet(3), {"8S*", "7S*"});
   EXPECT_FALSE(game.CardPickUpCheck(Trunk(harness)->cards[1]));
   EXPECT_TRUE(game.CardPickUpCheck(Trunk(harness)->cards[2]));
   EXPECT_FALSE(game.CardPickUpCheck(harness.TalonGet()->cards[0]));
   EXPECT_TRUE(game.CardPickUpCheck(harness.TalonGet()->cards[1]));
   EXPECT_TRUE(game.CardPickUpCheck(harness.ColumnGet(3)->cards[0]));
   EXPECT_TRUE(game.CardStackPickUpCheck(harness.ColumnGet(3)->cards[0]));
   EXPECT_FALSE(game.CardStackPickUpCheck(Trunk(harness)->cards[2]));
   EXPECT_FALSE(game.CardPickUpCheck(harness.StockGet()->CardTopGet()));
   EXPECT_TRUE(game.CardChooseOnClickCheck(harness.StockGet()->CardTopGet()));
}

TEST(EagleWingSolitaireTest, AnEmptiedWingIsRefilledFromTheTrunkAndTakesAnyCardOnceItIsEmpty)
{
   EagleWingSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   game.buildRank = RANK_ACE;
   for (i32 wing = 1; wing < EAGLE_WING_WING_COUNT; ++wing)
   {
      harness.CardsPlace(harness.ColumnGet(wing), {std::string(1, "23456789"[wing]) + "D*"});
   }
   harness.CardsPlace(Trunk(harness), {"QC*"});
   harness.CardsPlace(harness.ColumnGet(0), {"AS*"});
   ASSERT_TRUE(harness.DropAndSettle(harness.ColumnGet(0)->CardTopGet(), harness.FoundationGet(0)));
   EXPECT_EQ(CardGameHarness::PileText(harness.ColumnGet(0)), "QC*");
   EXPECT_EQ(Trunk(harness)->cards.count, 0);
   harness.StockGet()->CardInsert(0, harness.ColumnGet(0)->CardTopGet());
   harness.CardsPlace(harness.TalonGet(), {"JH*"});
   EXPECT_TRUE(game.CardDropCheck(harness.ColumnGet(0), harness.TalonGet()->CardTopGet()))
       << "the trunk is empty: any card";
}

TEST(EagleWingSolitaireTest, TheLastStockCardOffersTwoResetsAndAResetIsUndone)
{
   EagleWingSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   CardPile* stock = harness.StockGet();
   const i32 cards = stock->cards.count;
   for (i32 pass = 0; pass <= EAGLE_WING_MAX_RESETS; ++pass)
   {
      SCOPED_TRACE(pass);
      while (stock->cards.count > 1)
      {
         harness.Pick(stock->CardTopGet());
      }
      EXPECT_FALSE(game.resetButton && game.resetButton->VisibleCheck());
      harness.Pick(stock->CardTopGet());
      EXPECT_EQ(harness.TalonGet()->cards.count, cards);
      EXPECT_EQ(game.ResetAllowedCheck(), pass < EAGLE_WING_MAX_RESETS);
      if (pass == EAGLE_WING_MAX_RESETS)
      {
         continue;
      }
      TalonSolitaire::ResetButtonHandler(nullptr, &game);
      harness.Settle();
      EXPECT_EQ(stock->cards.count, cards);
      EXPECT_EQ(game.resetNum, pass + 1);
      if (pass == 1)
      {
         // The second reset taken back with the turn that called for it, and made again.
         game.CommandCodePost(COMMAND_UNDO, 0);
         harness.Settle();
         EXPECT_EQ(game.resetNum, 1);
         EXPECT_EQ(stock->cards.count, 1);
         EXPECT_EQ(harness.TalonGet()->cards.count, cards - 1);
         harness.Pick(stock->CardTopGet());
         EXPECT_TRUE(game.ResetAllowedCheck());
         TalonSolitaire::ResetButtonHandler(nullptr, &game);
         harness.Settle();
         EXPECT_EQ(game.resetNum, 2);
      }
   }
}
} // namespace
} // namespace Corvale
