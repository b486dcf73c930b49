// Spider and Spiderette: the deals for each suit count and deal style, the row deal and its
// refusals, the move rules and the 25-card limit, complete runs leaving by themselves, the win, the
// loss, and a one-suit game that loads with its suits.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/games/solitaire/SolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::SolitaireHarness;

std::map<i32, i32> SuitsCount(TraditionalSolitaireGame& game)
{
   std::map<i32, i32> suits;
   for (i32 i = 0; i < game.cards.count; ++i)
   {
      suits[game.cards[i]->suit]++;
   }
   return suits;
}

// Only the top card of each column face up; the column sizes as listed.
void ColumnsExpect(SolitaireHarness& harness, const std::vector<i32>& sizes)
{
   for (size_t column = 0; column < sizes.size(); ++column)
   {
      const CardPile* pile = harness.ColumnGet(static_cast<i32>(column));
      ASSERT_EQ(pile->cards.count, sizes[column]) << column;
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         EXPECT_EQ(pile->cards[i]->faceUp, i == pile->cards.count - 1) << column << "/" << i;
      }
   }
}

// A descending run from the King, of the suits given in turn, face up.
std::vector<std::string> RunFromKing(const std::string& suits)
{
   static const char* const ranks = "KQJT98765432A";
   std::vector<std::string> names;
   for (i32 i = 0; i < 13; ++i)
   {
      names.push_back(std::string(1, ranks[i]) + suits[i % suits.size()] + "*");
   }
   return names;
}

// count different face-down Clubs, Diamonds and Spades from the Two to the Queen, to fill a column.
std::vector<std::string> Fillers(i32 count)
{
   static const char* const ranks = "23456789TJQ";
   std::vector<std::string> names;
   for (i32 i = 0; i < count; ++i)
   {
      names.push_back(std::string(1, ranks[i % 11]) + "CDS"[i / 11]);
   }
   return names;
}

TEST(SpiderSolitaireTest, EachSuitNumberDealsItsSuits)
{
   struct Case
   {
      const char* value;
      std::map<i32, i32> suits;
      i32 count;
   };
   const Case cases[] = {
       {nullptr, {{SUIT_HEARTS, 104}}, SPIDER_ONE_SUIT},
       {"OneSuit", {{SUIT_HEARTS, 104}}, SPIDER_ONE_SUIT},
       {"TwoSuits", {{SUIT_HEARTS, 52}, {SUIT_SPADES, 52}}, SPIDER_TWO_SUITS},
       {"FourSuits",
        {{SUIT_HEARTS, 26}, {SUIT_SPADES, 26}, {SUIT_DIAMONDS, 26}, {SUIT_CLUBS, 26}},
        SPIDER_FOUR_SUITS},
       {"Tarantula", {{SUIT_HEARTS, 104}}, SPIDER_ONE_SUIT},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.value ? c.value : "missing");
      SpiderSolitaire game;
      SolitaireHarness harness;
      if (c.value)
      {
         SolitaireHarness::OptionSet("SpiderSolitaire", "SuitNumber", c.value);
      }
      harness.SolitaireEnter(&game, 2);
      EXPECT_EQ(game.SuitCountGet(), c.count);
      EXPECT_EQ(SuitsCount(game), c.suits);
      ColumnsExpect(harness, {6, 6, 6, 6, 5, 5, 5, 5, 5, 5});
      EXPECT_EQ(harness.StockGet()->cards.count, 50);
      EXPECT_EQ(game.undoHistory.count, 0) << "the deal cannot be taken back";
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST(SpiderSolitaireTest, EachSpideretteDealStyleDealsItsColumns)
{
   struct Case
   {
      const char* value;
      i32 down;
      std::vector<i32> sizes;
      i32 stock;
   };
   const Case cases[] = {
       {"TwoDown", 2, {3, 3, 3, 3, 3, 3, 3}, 31},
       {"ThreeDown", 3, {4, 4, 4, 4, 4, 4, 4}, 24},
       {"Klondike", 0, {1, 2, 3, 4, 5, 6, 7}, 24},
       {"FourDown", 2, {3, 3, 3, 3, 3, 3, 3}, 31},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.value);
      SpideretteSolitaire game;
      SolitaireHarness harness;
      SolitaireHarness::OptionSet("SpideretteSolitaire", "DealStlye", c.value);
      harness.SolitaireEnter(&game);
      EXPECT_EQ(game.DealStyleGet(), c.down);
      ColumnsExpect(harness, c.sizes);
      EXPECT_EQ(harness.StockGet()->cards.count, c.stock);
      EXPECT_EQ(SuitsCount(game).size(), 4u);
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

// A click on the stock with column 3 empty: Spider deals only with the option on, Spiderette always.
TEST(SpiderSolitaireTest, AStockClickDealsARowUnlessAColumnIsEmptyInSpider)
{
   struct Case
   {
      bool spiderette;
      bool option;
      bool dealt;
   };
   for (const Case c : {Case{false, false, false}, Case{false, true, true}, Case{true, false, true}})
   {
      SCOPED_TRACE(std::string(c.spiderette ? "Spiderette" : "Spider") + (c.option ? ", option on" : ""));
      SpiderSolitaire spider;
      SpideretteSolitaire spiderette;
      TraditionalSolitaireGame* game =
          c.spiderette ? static_cast<TraditionalSolitaireGame*>(&spiderette) : &spider;
      SolitaireHarness harness;
      SolitaireHarness::OptionSet("SpiderSolitaire", "CanDealWithEmptyColumns", c.option);
      SolitaireHarness::OptionSet("SpideretteSolitaire", "DealStlye", "TwoDown");
      harness.SolitaireEnter(game, c.spiderette ? 1 : 2);
      const i32 columns = c.spiderette ? SPIDERETTE_COLUMN_COUNT : SPIDER_COLUMN_COUNT;
      CardPile* empty = harness.ColumnGet(3);
      while (empty->cards.count > 0)
      {
         harness.StockGet()->CardInsert(0, empty->CardTopGet());
      }
      game->CardAnimationsFinish();
      std::vector<i32> before;
      for (i32 column = 0; column < columns; ++column)
      {
         before.push_back(harness.ColumnGet(column)->cards.count);
      }
      const i32 stock = harness.StockGet()->cards.count;
      EXPECT_TRUE(game->CardChooseOnClickCheck(harness.StockGet()->CardTopGet()));
      harness.Pick(harness.StockGet()->CardTopGet());
      EXPECT_EQ(harness.StockGet()->cards.count, c.dealt ? stock - columns : stock);
      for (i32 column = 0; column < columns; ++column)
      {
         const CardPile* pile = harness.ColumnGet(column);
         EXPECT_EQ(pile->cards.count, before[column] + (c.dealt ? 1 : 0)) << column;
         EXPECT_TRUE(pile->cards.count == 0 || pile->CardTopGet()->faceUp) << column;
      }
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

// Pick-ups and drops on fixtures, in both games: face-up runs by the game's suit rule, one rank
// below any suit, nothing on an Ace, a King only on an empty column, and 25 cards at most.
TEST(SpiderSolitaireTest, TheMoveRulesFollowEachGamesSuitRuleAndTheLimit)
{
   struct Case
   {
      const char* what;
      std::vector<std::string> column0;
      i32 index;
      std::vector<std::string> column1;
      bool spiderPickUp;
      bool spidertettePickUp;
      bool drop;
   };
   std::vector<std::string> twentyFour = Fillers(23);
   std::vector<std::string> twentyThree = Fillers(22);
   twentyFour.push_back("9H*");
   twentyThree.push_back("9H*");
   const Case cases[] = {
       {"a run of one suit", {"3C", "8S*", "7S*", "6S*"}, 1, {"9H*"}, true, true, true},
       {"a run of two suits", {"3C", "8S*", "7H*", "6S*"}, 1, {"9H*"}, false, true, true},
       {"a broken run", {"8S*", "6S*"}, 0, {"9H*"}, false, false, true},
       {"a face-down card", {"8S", "7S*"}, 0, {"9H*"}, false, false, true},
       {"two ranks below", {"7S*"}, 0, {"9H*"}, true, true, false},
       {"onto an Ace", {"KS*"}, 0, {"AH*"}, true, true, false},
       {"a King onto an empty column", {"3C", "KS*"}, 1, {}, true, true, true},
       {"two cards onto 24", {"8S*", "7S*"}, 0, twentyFour, true, true, false},
       {"two cards onto 23", {"8S*", "7S*"}, 0, twentyThree, true, true, true},
   };
   for (const bool spiderette : {false, true})
   {
      SpiderSolitaire spider;
      SpideretteSolitaire small;
      TraditionalSolitaireGame* game = spiderette ? static_cast<TraditionalSolitaireGame*>(&small) : &spider;
      SolitaireHarness harness;
      SolitaireHarness::OptionSet("SpiderSolitaire", "SuitNumber", "FourSuits");
      harness.SolitaireEnter(game, spiderette ? 1 : 2);
      for (const Case& c : cases)
      {
         SCOPED_TRACE(std::string(spiderette ? "Spiderette: " : "Spider: ") + c.what);
         harness.TableEmpty();
         harness.CardsPlace(harness.ColumnGet(0), c.column0);
         harness.CardsPlace(harness.ColumnGet(1), c.column1);
         Card* card = harness.ColumnGet(0)->cards[c.index];
         EXPECT_EQ(game->CardPickUpCheck(card), spiderette ? c.spidertettePickUp : c.spiderPickUp);
         EXPECT_EQ(game->CardDropCheck(harness.ColumnGet(1), card), c.drop);
         EXPECT_FALSE(game->CardDropCheck(harness.FoundationGet(-1), card)) << "runs leave by themselves";
         EXPECT_FALSE(game->CardPickUpCheck(harness.StockGet()->CardTopGet()));
      }
   }
}

TEST(SpiderSolitaireTest, AMixedRunStaysInSpiderAndLeavesInSpiderette)
{
   for (const bool spiderette : {false, true})
   {
      SCOPED_TRACE(spiderette ? "Spiderette" : "Spider");
      SpiderSolitaire spider;
      SpideretteSolitaire small;
      TraditionalSolitaireGame* game = spiderette ? static_cast<TraditionalSolitaireGame*>(&small) : &spider;
      SolitaireHarness harness;
      SolitaireHarness::OptionSet("SpiderSolitaire", "SuitNumber", "FourSuits");
      harness.SolitaireEnter(game, spiderette ? 1 : 2);
      harness.TableEmpty();
      std::vector<std::string> mixed = RunFromKing("SH");
      mixed.insert(mixed.begin(), "5D*");
      harness.CardsPlace(harness.ColumnGet(0), mixed);
      harness.CardsPlace(harness.ColumnGet(1), {"4C*"});
      game->RefreshMark();
      harness.Settle();
      EXPECT_EQ(harness.FoundationGet(-1)->cards.count, spiderette ? 13 : 0);
      EXPECT_EQ(harness.ColumnGet(0)->cards.count, spiderette ? 1 : 14);
      if (spiderette)
      {
         continue;
      }
      // A run of one suit leaves Spider too, with its undo.
      harness.TableEmpty();
      harness.CardsPlace(harness.ColumnGet(0), {"5D"});
      harness.CardsPlace(harness.ColumnGet(1), RunFromKing("S"));
      harness.CardsPlace(harness.ColumnGet(2), {"6D*"});
      Card* ace = harness.ColumnGet(1)->CardTopGet();
      harness.ColumnGet(2)->CardInsert(1, ace);
      game->CardAnimationsFinish();
      ASSERT_TRUE(harness.DropAndSettle(ace, harness.ColumnGet(1)));
      EXPECT_EQ(harness.FoundationGet(-1)->cards.count, 13);
      EXPECT_TRUE(harness.ColumnGet(0)->CardTopGet()->faceUp) << "the uncovered card turns";
      game->Undo();
      harness.Settle();
      EXPECT_EQ(CardGameHarness::PileText(harness.ColumnGet(2)), "6D* AS*");
      EXPECT_EQ(harness.FoundationGet(-1)->cards.count, 0);
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST(SpiderSolitaireTest, AFullColumnBlocksTheDealAndWithNoMoveTheGameIsLost)
{
   SpiderSolitaire game;
   SolitaireHarness harness;
   SolitaireHarness::OptionSet("SpiderSolitaire", "SuitNumber", "FourSuits");
   harness.SolitaireEnter(&game, 2);
   harness.TableEmpty();
   // Every column's top is a King or an Ace, which nothing takes; column 0 holds 25.
   std::vector<std::string> full = Fillers(24);
   full.push_back("KD*");
   harness.CardsPlace(harness.ColumnGet(0), full);
   // The helper takes the first copy of a card; the second deck's Aces are placed here.
   const i32 suits[] = {SUIT_HEARTS, SUIT_SPADES, SUIT_CLUBS, SUIT_DIAMONDS};
   for (i32 column = 1; column < SPIDER_COLUMN_COUNT; ++column)
   {
      harness.CardsPlace(harness.ColumnGet(column), {std::string(1, "23456789T"[column - 1]) + "H"});
      Card* top = column == 9 ? harness.CardFind(RANK_KING, SUIT_HEARTS)
                              : harness.CardFind(RANK_ACE, suits[(column - 1) % 4], (column - 1) / 4);
      harness.ColumnGet(column)->CardInsert(harness.ColumnGet(column)->cards.count, top);
      top->FaceUpSet(true, false);
   }
   game.CardAnimationsFinish();
   ASSERT_GT(harness.StockGet()->cards.count, 0);
   ASSERT_EQ(harness.ColumnGet(0)->cards.count, 25) << CardGameHarness::PileText(harness.ColumnGet(0));
   EXPECT_FALSE(game.DealPossibleCheck());
   EXPECT_FALSE(game.CardChooseOnClickCheck(harness.StockGet()->CardTopGet()));
   const i32 stock = harness.StockGet()->cards.count;
   game.CardChoose(harness.StockGet()->CardTopGet());
   EXPECT_EQ(harness.StockGet()->cards.count, stock) << "no deal onto a full column";
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(SpiderSolitaireTest, TheLastRunLeavingWithAnEmptyStockWins)
{
   SpideretteSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   for (i32 suit = 0; suit < 3; ++suit)
   {
      harness.CardsPlace(harness.FoundationGet(-1), RunFromKing(std::string(1, "HSD"[suit])));
   }
   harness.CardsPlace(harness.ColumnGet(4), RunFromKing("C"));
   ASSERT_EQ(harness.StockGet()->cards.count, 0);
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(harness.FoundationGet(-1)->cards.count, 52);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
}

TEST(SpiderSolitaireTest, ASavedOneSuitGameLoadsWithItsSuits)
{
   SpiderSolitaire game;
   SpiderSolitaire fresh;
   SolitaireHarness harness;
   SolitaireHarness::OptionSet("SpiderSolitaire", "SuitNumber", "OneSuit");
   harness.SolitaireEnter(&game, 2);
   harness.Pick(harness.StockGet()->CardTopGet());
   JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(saved.get()));
   // The option changed since: the loaded game keeps the suits it was dealt with.
   SolitaireHarness::OptionSet("SpiderSolitaire", "SuitNumber", "FourSuits");
   harness.SolitaireEnter(&fresh, 2);
   ASSERT_TRUE(fresh.Load(saved.get()));
   EXPECT_EQ(SuitsCount(fresh), (std::map<i32, i32>{{SUIT_HEARTS, 104}}));
   EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get()));
   EXPECT_TRUE(harness.CardsConservedCheck());
}
} // namespace
} // namespace Corvale
