// Terrace: the deal, the choice of the base rank from the first three columns and its undo, the
// reserve and columns' rules with their wrap and limits, the refills before and after the base,
// and the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "games/solitaire/TerraceSolitaire.h"
#include "tests/games/solitaire/StackedDeal.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::CardsFromStockPlace;
using TestSupport::SolitaireHarness;

struct TerraceHarness : SolitaireHarness
{
   TerraceHarness() { TerraceSolitaire::ReflectionRegister(); }
};

i32 ColumnsHeld(SolitaireHarness& harness)
{
   i32 held = 0;
   for (i32 column = 0; column < TERRACE_COLUMN_COUNT; ++column)
   {
      held += harness.ColumnGet(column)->cards.count > 0 ? 1 : 0;
   }
   return held;
}

TEST(TerraceSolitaireTest, TheBaseIsChosenFromThreeColumnsAndFreedByAnUndo)
{
   TerraceSolitaire game;
   TerraceHarness harness;
   harness.SolitaireEnter(&game, 2);
   CardPile* reserve = game.ReserveGet();
   CardPile* stock = harness.StockGet();
   ASSERT_EQ(reserve->cards.count, TERRACE_RESERVE_SIZE);
   EXPECT_TRUE(reserve->CardTopGet()->faceUp);
   for (i32 column = 0; column < TERRACE_COLUMN_COUNT; ++column)
   {
      EXPECT_EQ(harness.ColumnGet(column)->cards.count, column < 3 ? 1 : 0) << column;
   }
   EXPECT_EQ(stock->cards.count, 104 - 14);
   EXPECT_EQ(game.buildRank, RANK_NONE);

   // Before the base: the reserve is locked, the columns take nothing, the stock does nothing.
   Card* choice = harness.ColumnGet(1)->CardTopGet();
   EXPECT_FALSE(game.CardPickUpCheck(reserve->CardTopGet()));
   EXPECT_FALSE(game.CardDropCheck(harness.ColumnGet(5), choice));
   EXPECT_FALSE(game.CardChooseOnClickCheck(stock->CardTopGet()));
   harness.Pick(stock->CardTopGet());
   EXPECT_EQ(stock->cards.count, 104 - 14);
   for (i32 f = 0; f < TERRACE_FOUNDATION_COUNT; ++f)
   {
      EXPECT_TRUE(game.CardDropCheck(harness.FoundationGet(f), choice)) << "any card starts any foundation";
   }

   // The choice fixes the base and every column is filled at once.
   const Rank chosen = static_cast<Rank>(choice->rank);
   ASSERT_TRUE(harness.DropAndSettle(choice, harness.FoundationGet(4)));
   EXPECT_EQ(game.buildRank, chosen);
   EXPECT_EQ(ColumnsHeld(harness), TERRACE_COLUMN_COUNT);
   EXPECT_EQ(stock->cards.count, 104 - 14 - 7);
   EXPECT_TRUE(game.CardPickUpCheck(reserve->CardTopGet()));
   EXPECT_TRUE(game.CardChooseOnClickCheck(stock->CardTopGet()));
   Card* other = harness.ColumnGet(0)->CardTopGet();
   EXPECT_EQ(game.CardDropCheck(harness.FoundationGet(0), other), other->rank == chosen);

   // Undo frees the choice and takes the refills back with it.
   game.Undo();
   harness.Settle();
   EXPECT_EQ(game.buildRank, RANK_NONE);
   EXPECT_EQ(ColumnsHeld(harness), 3);
   EXPECT_EQ(stock->cards.count, 104 - 14);
   EXPECT_TRUE(game.CardDropCheck(harness.FoundationGet(0), harness.ColumnGet(0)->CardTopGet()));
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(TerraceSolitaireTest, FoundationsAndColumnsAlternateWithWrapAndLimits)
{
   TerraceSolitaire game;
   TerraceHarness harness;
   harness.SolitaireEnter(&game, 2);
   struct Case
   {
      const char* what;
      // 0 Foundation 0, 1 column 3.
      i32 target;
      std::vector<std::string> under;
      // The card's pile: 0 column 0, 1 the talon, 2 the reserve.
      i32 from;
      const char* card;
      bool legal;
   };
   std::vector<std::string> twelve;
   std::vector<std::string> twentyFive;
   static const char* const up = "JQKA23456789T";
   for (i32 i = 0; i < 12; ++i)
   {
      twelve.push_back(std::string(1, up[i]) + (i % 2 ? "S*" : "H*"));
   }
   for (i32 i = 0; i < 25; ++i)
   {
      twentyFive.push_back(std::string(1, "KQJT98765432A"[i % 13]) + (i % 2 ? "H*" : "S*"));
   }
   const Case cases[] = {
       {"the base on an empty foundation", 0, {}, 0, "JD*", true},
       {"not another rank", 0, {}, 0, "QD*", false},
       {"up in the other colour", 0, {"JS*"}, 0, "QD*", true},
       {"not in the same colour", 0, {"JS*"}, 0, "QC*", false},
       {"the Ace after the King", 0, {"KS*"}, 1, "AH*", true},
       {"a reserve card to a foundation", 0, {"JS*"}, 2, "QH*", true},
       {"the thirteenth card", 0, twelve, 0, "TD*", true},
       {"no fourteenth",
        0,
        {"JH*", "QS*", "KH*", "AS*", "2H*", "3S*", "4H*", "5S*", "6H*", "7S*", "8H*", "9S*", "TH*"},
        0,
        "JS*",
        false},
       {"down in the other colour", 1, {"9S*"}, 0, "8D*", true},
       {"the King after the Ace", 1, {"AS*"}, 1, "KD*", true},
       {"not up", 1, {"9S*"}, 0, "TD*", false},
       {"any card on an empty column", 1, {}, 1, "4C*", true},
       {"never a reserve card", 1, {"9S*"}, 2, "8D*", false},
       {"never a reserve card on an empty column", 1, {}, 2, "8D*", false},
       {"the twenty-fifth card", 1, std::vector<std::string>(twentyFive.begin(), twentyFive.end() - 1), 0,
        "2C*", true},
       {"no twenty-sixth", 1, twentyFive, 0, "AH*", false},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      harness.TableEmpty();
      game.buildRank = RANK_JACK;
      CardPile* target = c.target == 0 ? harness.FoundationGet(0) : harness.ColumnGet(3);
      CardPile* source = c.from == 0   ? harness.ColumnGet(0)
                         : c.from == 1 ? game.TalonGet()
                                       : game.ReserveGet();
      CardsFromStockPlace(harness, source, {c.card});
      CardsFromStockPlace(harness, target, c.under);
      Card* card = source->CardTopGet();
      EXPECT_TRUE(game.CardPickUpCheck(card));
      EXPECT_EQ(game.CardDropCheck(target, card), c.legal);
      EXPECT_FALSE(game.CardDropCheck(game.ReserveGet(), card));
      EXPECT_FALSE(game.CardDropCheck(game.TalonGet(), card));
   }
}

TEST(TerraceSolitaireTest, EmptyColumnsRefillFromTheTalonThenTheStock)
{
   TerraceSolitaire game;
   TerraceHarness harness;
   harness.SolitaireEnter(&game, 2);
   struct Case
   {
      const char* what;
      Rank base;
      i32 talon;
      // Columns filled: the first three, or all nine.
      i32 filled;
      i32 talonLeft;
   };
   const Case cases[] = {
       {"before the base, only the first three", RANK_NONE, 0, 3, 0},
       {"after it, all nine from the stock", static_cast<Rank>(5), 0, 9, 0},
       {"the talon first", static_cast<Rank>(5), 4, 9, 0},
       {"the talon, then the stock", static_cast<Rank>(5), 12, 9, 3},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      harness.TableEmpty();
      CardPile* stock = harness.StockGet();
      std::vector<Card*> talonCards;
      for (i32 i = 0; i < c.talon; ++i)
      {
         Card* card = stock->cards[0];
         game.TalonGet()->CardInsert(game.TalonGet()->cards.count, card);
         card->FaceUpSet(true, false);
      }
      if (c.base != RANK_NONE)
      {
         CardsFromStockPlace(harness, harness.FoundationGet(2), {"5H*"});
      }
      game.buildRank = c.base;
      const i32 stockBefore = stock->cards.count;
      game.RefreshMark();
      harness.Settle();
      EXPECT_EQ(ColumnsHeld(harness), c.filled);
      EXPECT_EQ(game.TalonGet()->cards.count, c.talonLeft);
      const i32 fromTalon = c.talon - c.talonLeft;
      EXPECT_EQ(stock->cards.count, stockBefore - (c.filled - fromTalon));
      EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   }
}

TEST(TerraceSolitaireTest, TheGameIsWonWithAllPilesEmptyAndLostStuckWithoutAStock)
{
   TerraceSolitaire game;
   TerraceHarness harness;
   harness.SolitaireEnter(&game, 2);
   harness.TableEmpty();
   game.buildRank = RANK_ACE;
   static const char* const ranks = "A23456789TJQK";
   const char pairs[4][2] = {{'H', 'S'}, {'S', 'H'}, {'D', 'C'}, {'C', 'D'}};
   for (i32 f = 0; f < TERRACE_FOUNDATION_COUNT; ++f)
   {
      std::vector<std::string> names;
      for (i32 rank = 0; rank < (f == 7 ? 12 : 13); ++rank)
      {
         names.push_back(std::string(1, ranks[rank]) + pairs[f % 4][rank % 2] + "*");
      }
      CardsFromStockPlace(harness, harness.FoundationGet(f), names);
   }
   CardsFromStockPlace(harness, game.ReserveGet(), {"KC*"});
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   harness.Pick(game.ReserveGet()->CardTopGet());
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);

   // A full table with no move and no stock: lost.
   game.GameNew();
   harness.Settle();
   harness.TableEmpty();
   game.buildRank = RANK_ACE;
   for (i32 column = 0; column < TERRACE_COLUMN_COUNT; ++column)
   {
      const char* black[TERRACE_COLUMN_COUNT] = {"9S*", "9C*", "9S*", "9C*", "7S*",
                                                 "7C*", "7S*", "7C*", "5S*"};
      CardsFromStockPlace(harness, harness.ColumnGet(column), {black[column]});
   }
   CardPile* stock = harness.StockGet();
   // Black columns take no black card; the rest lies under a Five on the reserve; no Ace shows.
   CardsFromStockPlace(harness, harness.FoundationGet(0), {"AH*"});
   CardsFromStockPlace(harness, game.ReserveGet(), {"5D*"});
   while (stock->cards.count > 0)
   {
      game.ReserveGet()->CardInsert(0, stock->CardTopGet());
   }
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_TRUE(harness.CardsConservedCheck());
}
} // namespace
} // namespace Corvale
