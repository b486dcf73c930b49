// Strategy: the deal of the Aces and the first reserve card, the reserve feeding any column below
// 13 cards, the foundations closed until the stock is gone, the hidden columns of "SixTableaus",
// and the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "games/solitaire/StrategySolitaire.h"
#include "tests/games/solitaire/StackedDeal.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::CardsFromStockPlace;
using TestSupport::SolitaireHarness;
using TestSupport::StackedDeal;

constexpr const char* KEY = "StrategySolitaire";

struct StrategyHarness : SolitaireHarness
{
   StrategyHarness() { StrategySolitaire::ReflectionRegister(); }
   ~StrategyHarness() { OptionSet(KEY, "SixTableaus", false); }
};

TEST(StrategySolitaireTest, TheDealTakesTheAcesAndTheFirstOtherCard)
{
   for (const bool six : {false, true})
   {
      SCOPED_TRACE(six);
      StackedDeal<StrategySolitaire> game;
      game.top = {"AH", "5S", "AD", "9C", "AS", "AC"};
      StrategyHarness harness;
      SolitaireHarness::OptionSet(KEY, "SixTableaus", six);
      harness.SolitaireEnter(&game);
      const char* const aces[] = {"AH*", "AD*", "AS*", "AC*"};
      for (i32 f = 0; f < STRATEGY_FOUNDATION_COUNT; ++f)
      {
         EXPECT_EQ(CardGameHarness::PileText(harness.FoundationGet(f)), aces[f]);
      }
      EXPECT_EQ(CardGameHarness::PileText(game.ReserveGet()), "5S*");
      EXPECT_EQ(harness.StockGet()->cards.count, 52 - 5);
      EXPECT_EQ(harness.StockGet()->CardTopGet()->rank, 9) << "the Nine waits on top of the stock";
      EXPECT_TRUE(game.CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU));
      for (i32 column = 0; column < STRATEGY_COLUMN_COUNT; ++column)
      {
         EXPECT_EQ(harness.ColumnGet(column)->visible, !six || column < 6) << column;
      }
   }
}

TEST(StrategySolitaireTest, TheReserveGoesAnywhereAndTheFoundationsWaitForTheStock)
{
   struct Case
   {
      const char* what;
      bool six;
      bool stockEmpty;
      // The card lifted: from the reserve or from column 0.
      bool fromReserve;
      i32 target;
      i32 targetColumnCards;
      bool legal;
   };
   // Targets: 0-7 a column, 10 Foundation 0 (the Ace of Hearts), 11 the stock, 12 the reserve.
   const Case cases[] = {
       {"a reserve card on an empty column", false, false, true, 1, 0, true},
       {"a reserve card on any card", false, false, true, 1, 5, true},
       {"a reserve card on twelve cards", false, false, true, 1, 12, true},
       {"not on thirteen", false, false, true, 1, 13, false},
       {"not on a hidden column", true, false, true, 6, 0, false},
       {"on the last shown column", true, false, true, 5, 0, true},
       {"a shown column 6 without the option", false, false, true, 6, 0, true},
       {"not from the reserve to a foundation", false, true, true, 10, 0, false},
       {"a column card to a foundation with the stock out", false, true, false, 10, 0, true},
       {"not while the stock lasts", false, false, false, 10, 0, false},
       {"never column to column", false, true, false, 1, 3, false},
       {"never to the stock or the reserve", false, true, false, 11, 0, false},
       {"never back to the reserve", false, true, false, 12, 0, false},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      StrategySolitaire game;
      StrategyHarness harness;
      SolitaireHarness::OptionSet(KEY, "SixTableaus", c.six);
      harness.SolitaireEnter(&game);
      harness.TableEmpty();
      CardsFromStockPlace(harness, harness.FoundationGet(0), {"AH*"});
      CardPile* source = c.fromReserve ? game.ReserveGet() : harness.ColumnGet(0);
      CardsFromStockPlace(harness, source, {"2H*"});
      CardPile* target = c.target < STRATEGY_COLUMN_COUNT ? harness.ColumnGet(c.target)
                         : c.target == 10                 ? harness.FoundationGet(0)
                         : c.target == 11                 ? harness.StockGet()
                                                          : game.ReserveGet();
      CardPile* stock = harness.StockGet();
      for (i32 i = 0; i < c.targetColumnCards; ++i)
      {
         target->CardInsert(target->cards.count, stock->CardTopGet());
      }
      if (c.stockEmpty)
      {
         while (stock->cards.count > 0)
         {
            harness.ColumnGet(7)->CardInsert(0, stock->CardTopGet());
         }
      }
      Card* card = source->CardTopGet();
      EXPECT_TRUE(game.CardPickUpCheck(card));
      EXPECT_EQ(game.CardDropCheck(target, card), c.legal);
   }
}

TEST(StrategySolitaireTest, TheStockRefillsTheReserveAndTheGameEndsByTheRules)
{
   StrategySolitaire game;
   StrategyHarness harness;
   harness.SolitaireEnter(&game);
   CardPile* stock = harness.StockGet();
   CardPile* reserve = game.ReserveGet();
   EXPECT_TRUE(game.CardChooseOnClickCheck(stock->CardTopGet()));
   // A click on the stock with the reserve held does nothing.
   const i32 before = stock->cards.count;
   harness.Pick(stock->CardTopGet());
   EXPECT_EQ(stock->cards.count, before);
   // A reserve card dropped on a column is replaced from the stock.
   const Card* next = stock->CardTopGet();
   EXPECT_TRUE(harness.DropAndSettle(reserve->CardTopGet(), harness.ColumnGet(3)));
   EXPECT_EQ(reserve->CardTopGet(), next);
   EXPECT_EQ(harness.ColumnGet(3)->cards.count, 1);
   // Undo puts both back.
   game.Undo();
   harness.Settle();
   EXPECT_EQ(stock->CardTopGet(), next);
   EXPECT_EQ(harness.ColumnGet(3)->cards.count, 0);
   EXPECT_TRUE(harness.CardsConservedCheck());

   // The stock gone and a column whose top no foundation takes: lost.
   harness.TableEmpty();
   for (const char* ace : {"AH*", "AS*", "AD*", "AC*"})
   {
      CardsFromStockPlace(harness,
                          harness.FoundationGet(ace[1] == 'H'   ? 0
                                                : ace[1] == 'S' ? 1
                                                : ace[1] == 'D' ? 2
                                                                : 3),
                          {ace});
   }
   CardsFromStockPlace(harness, harness.ColumnGet(0), {"2H*", "3H*"});
   CardsFromStockPlace(harness, harness.ColumnGet(1), {"5D*"});
   // The rest of the stock under the Five, where nothing reaches it.
   while (stock->cards.count > 0)
   {
      harness.ColumnGet(1)->CardInsert(0, stock->CardTopGet());
   }
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(StrategySolitaireTest, EveryCardOnTheFoundationsWins)
{
   StrategySolitaire game;
   StrategyHarness harness;
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
   CardsFromStockPlace(harness, harness.ColumnGet(2), {"KC*"});
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   harness.Pick(harness.ColumnGet(2)->CardTopGet());
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
}
} // namespace
} // namespace Corvale
