// Shamrocks: the deal in list order with its single-card fan, the fans' neighbour rule and limit
// of three, emptied fans that stay empty, the base rank fixed by the first foundation card and
// freed by an undo, and the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "games/solitaire/ShamrocksSolitaire.h"
#include "tests/games/solitaire/StackedDeal.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::CardsFromStockPlace;
using TestSupport::SolitaireHarness;
using TestSupport::StackedDeal;

constexpr const char* KEY = "ShamrocksSolitaire";

struct ShamrocksHarness : SolitaireHarness
{
   ShamrocksHarness() { ShamrocksSolitaire::ReflectionRegister(); }
   ~ShamrocksHarness() { OptionSet(KEY, "OnlyAcesStart", true); }
};

TEST(ShamrocksSolitaireTest, TheDealTakesTheStockInListOrder)
{
   for (const bool onlyAces : {true, false})
   {
      SCOPED_TRACE(onlyAces);
      StackedDeal<ShamrocksSolitaire> game;
      ShamrocksHarness harness;
      SolitaireHarness::OptionSet(KEY, "OnlyAcesStart", onlyAces);
      harness.SolitaireEnter(&game);
      ASSERT_EQ(game.listed.size(), 52u);
      size_t next = 0;
      for (i32 fan = 0; fan < SHAMROCKS_FAN_COUNT; ++fan)
      {
         const CardPile* pile = harness.ColumnGet(fan);
         ASSERT_EQ(pile->cards.count, fan == SHAMROCKS_SHORT_FAN ? 1 : 3) << fan;
         for (i32 i = 0; i < pile->cards.count; ++i)
         {
            EXPECT_EQ(pile->cards[i], game.listed[next++]) << fan << " " << i;
            EXPECT_TRUE(pile->cards[i]->faceUp);
         }
      }
      EXPECT_EQ(harness.StockGet()->cards.count, 0);
      EXPECT_EQ(game.buildRank, onlyAces ? RANK_ACE : RANK_NONE);
   }
}

TEST(ShamrocksSolitaireTest, FansTakeANeighbourUpToThreeAndFoundationsFollowSuitRoundTheCorner)
{
   struct Case
   {
      const char* what;
      // 0 fan 1, 1 Foundation 0, 2 the stock.
      i32 target;
      std::vector<std::string> under;
      const char* card;
      Rank base;
      bool legal;
   };
   const Case cases[] = {
       {"a Queen on a King of another suit", 0, {"KS*"}, "QH*", RANK_ACE, true},
       {"a Queen on a Jack", 0, {"JD*"}, "QH*", RANK_ACE, true},
       {"an Ace on a King", 0, {"KD*"}, "AH*", RANK_ACE, true},
       {"not two ranks apart", 0, {"TD*"}, "QH*", RANK_ACE, false},
       {"not the same rank", 0, {"QD*"}, "QH*", RANK_ACE, false},
       {"the third card", 0, {"3C*", "KS*"}, "QH*", RANK_ACE, true},
       {"a fan of three takes nothing", 0, {"3C*", "4C*", "KS*"}, "QH*", RANK_ACE, false},
       {"an emptied fan takes nothing", 0, {}, "AH*", RANK_ACE, false},
       {"an emptied fan, base free", 0, {}, "7H*", RANK_NONE, false},
       {"an Ace starts a foundation", 1, {}, "AH*", RANK_ACE, true},
       {"only Aces with the option", 1, {}, "7H*", RANK_ACE, false},
       {"any card while the base is free", 1, {}, "7H*", RANK_NONE, true},
       {"the base rank once fixed", 1, {}, "5C*", static_cast<Rank>(5), true},
       {"not another rank then", 1, {}, "6C*", static_cast<Rank>(5), false},
       {"up in suit", 1, {"5C*"}, "6C*", static_cast<Rank>(5), true},
       {"not in another suit", 1, {"5C*"}, "6S*", static_cast<Rank>(5), false},
       {"the Ace after the King", 1, {"KC*"}, "AC*", static_cast<Rank>(5), true},
       {"never the stock", 2, {}, "AH*", RANK_NONE, false},
   };
   ShamrocksSolitaire game;
   ShamrocksHarness harness;
   harness.SolitaireEnter(&game);
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      harness.TableEmpty();
      game.buildRank = c.base;
      CardPile* target = c.target == 0   ? harness.ColumnGet(1)
                         : c.target == 1 ? harness.FoundationGet(0)
                                         : harness.StockGet();
      CardsFromStockPlace(harness, harness.ColumnGet(0), {c.card});
      CardsFromStockPlace(harness, target, c.under);
      Card* card = harness.ColumnGet(0)->CardTopGet();
      EXPECT_TRUE(game.CardPickUpCheck(card));
      EXPECT_EQ(game.CardDropCheck(target, card), c.legal);
   }
   harness.TableEmpty();
   CardsFromStockPlace(harness, harness.ColumnGet(0), {"KS*", "QH*"});
   CardsFromStockPlace(harness, harness.FoundationGet(0), {"AH*"});
   EXPECT_FALSE(game.CardPickUpCheck(harness.ColumnGet(0)->cards[0]));
   EXPECT_FALSE(game.CardPickUpCheck(harness.FoundationGet(0)->cards[0]));
}

TEST(ShamrocksSolitaireTest, TheFirstFoundationCardFixesTheBaseUntilAnUndoFreesIt)
{
   ShamrocksSolitaire game;
   ShamrocksHarness harness;
   SolitaireHarness::OptionSet(KEY, "OnlyAcesStart", false);
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   CardsFromStockPlace(harness, harness.ColumnGet(0), {"8S*", "5H*"});
   CardsFromStockPlace(harness, harness.ColumnGet(1), {"JD*", "5C*"});
   CardsFromStockPlace(harness, harness.ColumnGet(2), {"2D*", "9C*"});
   CardPile* stock = harness.StockGet();
   while (stock->cards.count > 0)
   {
      harness.ColumnGet(3 + stock->cards.count % 15)->CardInsert(0, stock->CardTopGet());
   }
   game.buildRank = RANK_NONE;
   game.RefreshMark();
   harness.Settle();
   ASSERT_EQ(game.buildRank, RANK_NONE);
   Card* fiveOfHearts = harness.ColumnGet(0)->CardTopGet();
   Card* fiveOfClubs = harness.ColumnGet(1)->CardTopGet();
   Card* nine = harness.ColumnGet(2)->CardTopGet();
   ASSERT_TRUE(harness.DropAndSettle(fiveOfHearts, harness.FoundationGet(0)));
   EXPECT_EQ(game.buildRank, 5);
   EXPECT_FALSE(game.CardDropCheck(harness.FoundationGet(1), nine));
   EXPECT_TRUE(game.CardDropCheck(harness.FoundationGet(1), fiveOfClubs));
   game.Undo();
   harness.Settle();
   EXPECT_EQ(game.buildRank, RANK_NONE);
   EXPECT_TRUE(game.CardDropCheck(harness.FoundationGet(1), nine));
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(ShamrocksSolitaireTest, ClearedFansWinAndAStuckTableLoses)
{
   ShamrocksSolitaire game;
   ShamrocksHarness harness;
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   static const char* const ranks = "A23456789TJQK";
   static const char* const suits = "HSDC";
   for (i32 suit = 0; suit < 4; ++suit)
   {
      std::vector<std::string> names;
      for (i32 rank = 0; rank < (suit == 3 ? 12 : 13); ++rank)
      {
         names.push_back(std::string(1, ranks[rank]) + suits[suit] + "*");
      }
      CardsFromStockPlace(harness, harness.FoundationGet(suit), names);
   }
   CardsFromStockPlace(harness, harness.ColumnGet(17), {"KC*"});
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   harness.Pick(harness.ColumnGet(17)->CardTopGet());
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);

   // Two full fans of Sevens and Nines, the Aces buried: nothing moves.
   game.GameNew();
   harness.Settle();
   harness.TableEmpty();
   CardsFromStockPlace(harness, harness.ColumnGet(0), {"AH*", "7S*", "7H*"});
   CardsFromStockPlace(harness, harness.ColumnGet(1), {"AS*", "9S*", "9H*"});
   CardsFromStockPlace(harness, harness.ColumnGet(2), {"AD*", "AC*", "4D*"});
   CardPile* stock = harness.StockGet();
   CardsFromStockPlace(harness, harness.FoundationGet(0), {"2H*"});
   while (stock->cards.count > 0)
   {
      harness.FoundationGet(0)->CardInsert(0, stock->CardTopGet());
   }
   game.buildRank = RANK_ACE;
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_TRUE(harness.CardsConservedCheck());
}
} // namespace
} // namespace Corvale
