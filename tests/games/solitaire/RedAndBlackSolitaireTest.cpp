// Red and Black: the deal walk, the alternating-colour rules both ways, the stock turn without a
// redeal, the talon feeding empty columns while the stock lasts, and the win.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "games/solitaire/RedAndBlackSolitaire.h"
#include "tests/games/solitaire/StackedDeal.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::CardsFromStockPlace;
using TestSupport::SolitaireHarness;
using TestSupport::StackedDeal;

constexpr const char* KEY = "RedAndBlackSolitaire";

struct RedAndBlackHarness : SolitaireHarness
{
   RedAndBlackHarness() { RedAndBlackSolitaire::ReflectionRegister(); }
};

std::string ColumnsText(SolitaireHarness& harness)
{
   std::string text;
   for (i32 column = 0; column < RED_AND_BLACK_COLUMN_COUNT; ++column)
   {
      text += (column ? "|" : "") + CardGameHarness::PileText(harness.ColumnGet(column));
   }
   return text;
}

TEST(RedAndBlackSolitaireTest, TheDealPullsTheAcesAndTheTalonFillsTheColumnsLeftEmpty)
{
   struct Case
   {
      const char* what;
      std::vector<std::string> top;
      const char* columns;
      const char* talon;
   };
   const Case cases[] = {
       {"eight other cards before the Aces",
        {"2H", "3S", "4D", "5C", "6H", "7S", "8D", "9C", "TH", "AH", "AS", "AD", "AC", "AH", "AS", "AD",
         "AC"},
        "2H*|3S*|4D*|5C*|6H*|7S*|8D*|9C*",
        "TH*"},
       {"the Aces early: two columns from the walk, six through the talon",
        {"AH", "KS", "AS", "AD", "AC", "AH", "QH", "AS", "AD", "AC", "2C", "3C", "4C", "5C", "6C", "7C",
         "8C"},
        "KS*|QH*|2C*|3C*|4C*|5C*|6C*|7C*",
        "8C*"},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      StackedDeal<RedAndBlackSolitaire> game;
      game.top = c.top;
      RedAndBlackHarness harness;
      harness.SolitaireEnter(&game, 2);
      for (i32 f = 0; f < RED_AND_BLACK_FOUNDATION_COUNT; ++f)
      {
         ASSERT_EQ(harness.FoundationGet(f)->cards.count, 1) << f;
         EXPECT_EQ(harness.FoundationGet(f)->cards[0]->rank, RANK_ACE);
      }
      EXPECT_EQ(CardGameHarness::PileText(harness.FoundationGet(0)), "AH*");
      EXPECT_EQ(CardGameHarness::PileText(harness.FoundationGet(3)), "AC*");
      EXPECT_EQ(ColumnsText(harness), c.columns);
      EXPECT_EQ(CardGameHarness::PileText(harness.TalonGet()), c.talon);
      EXPECT_EQ(harness.StockGet()->cards.count, 104 - 17);
      EXPECT_EQ(game.maxResets, -1);
      EXPECT_FALSE(game.undoHistory.MoveBeginsAnyCheck()) << "the deal cannot be taken back";
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST(RedAndBlackSolitaireTest, CardsGoUpAndDownInAlternatingColoursWithoutWrap)
{
   RedAndBlackSolitaire game;
   RedAndBlackHarness harness;
   harness.SolitaireEnter(&game, 2);
   struct Case
   {
      bool reverse;
      bool toFoundation;
      const char* under;
      const char* card;
      bool legal;
   };
   const Case cases[] = {
       {false, true, "AH*", "2S*", true},    {false, true, "AH*", "2D*", false},
       {false, true, "AH*", "3S*", false},   {false, true, "QH*", "KS*", true},
       {false, true, "KH*", "AS*", false},   {true, true, "AH*", "2C*", true},
       {false, false, "TS*", "9H*", true},   {false, false, "TS*", "9C*", false},
       {false, false, "TS*", "8H*", false},  {false, false, "TS*", "JH*", false},
       {false, false, "AS*", "KH*", false},  {true, false, "TS*", "JH*", true},
       {true, false, "TS*", "9H*", false},   {true, false, "KS*", "AH*", false},
       {true, false, "TS*", "JC*", false},   {false, false, nullptr, "KH*", false},
       {true, false, nullptr, "AH*", false},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(std::string(c.under ? c.under : "empty") + " <- " + c.card +
                   (c.reverse ? " reversed" : ""));
      SolitaireHarness::OptionSet(KEY, "ReversePlay", c.reverse);
      harness.TableEmpty();
      CardPile* target = c.toFoundation ? harness.FoundationGet(0) : harness.ColumnGet(0);
      if (c.under)
      {
         harness.CardsPlace(target, {c.under});
      }
      harness.CardsPlace(harness.ColumnGet(1), {c.card});
      Card* card = harness.ColumnGet(1)->CardTopGet();
      EXPECT_TRUE(game.CardPickUpCheck(card));
      EXPECT_EQ(game.CardDropCheck(target, card), c.legal);
      EXPECT_FALSE(game.CardDropCheck(harness.TalonGet(), card));
      EXPECT_FALSE(game.CardDropCheck(harness.StockGet(), card));
   }
   SolitaireHarness::OptionSet(KEY, "ReversePlay", false);

   // Only top cards of the columns and the talon are lifted.
   harness.TableEmpty();
   harness.CardsPlace(harness.ColumnGet(0), {"TS*", "9H*"});
   harness.CardsPlace(harness.TalonGet(), {"4C*", "5C*"});
   harness.CardsPlace(harness.FoundationGet(0), {"AH*"});
   EXPECT_TRUE(game.CardPickUpCheck(harness.ColumnGet(0)->cards[1]));
   EXPECT_FALSE(game.CardPickUpCheck(harness.ColumnGet(0)->cards[0]));
   EXPECT_TRUE(game.CardPickUpCheck(harness.TalonGet()->cards[1]));
   EXPECT_FALSE(game.CardPickUpCheck(harness.TalonGet()->cards[0]));
   EXPECT_FALSE(game.CardPickUpCheck(harness.FoundationGet(0)->cards[0]));
   EXPECT_FALSE(game.CardPickUpCheck(harness.StockGet()->CardTopGet()));
   EXPECT_FALSE(game.CardStackPickUpCheck(harness.ColumnGet(0)->cards[0]));
}

TEST(RedAndBlackSolitaireTest, TheTalonFeedsEmptyColumnsOnlyWhileTheStockLasts)
{
   RedAndBlackSolitaire game;
   RedAndBlackHarness harness;
   harness.SolitaireEnter(&game, 2);
   ASSERT_EQ(harness.ColumnGet(3)->cards.count, 1);
   // A column emptied onto a foundation is filled from the talon, and the talon from the stock.
   harness.TableEmpty();
   harness.CardsPlace(harness.FoundationGet(0), {"AH*"});
   harness.CardsPlace(harness.TalonGet(), {"7D*"});
   const char* fillers[] = {"9S*", "9C*", "9H*", "9D*", "8S*", "8C*", "8H*"};
   for (i32 column = 1; column < RED_AND_BLACK_COLUMN_COUNT; ++column)
   {
      CardsFromStockPlace(harness, harness.ColumnGet(column), {fillers[column - 1]});
   }
   harness.CardsPlace(harness.ColumnGet(0), {"2S*"});
   const Card* nextStock = harness.StockGet()->CardTopGet();
   EXPECT_TRUE(harness.DropAndSettle(harness.ColumnGet(0)->CardTopGet(), harness.FoundationGet(0)));
   EXPECT_EQ(CardGameHarness::PileText(harness.ColumnGet(0)), "7D*");
   ASSERT_EQ(harness.TalonGet()->cards.count, 1);
   EXPECT_EQ(harness.TalonGet()->cards[0], nextStock);
   // Undo takes back the drop and the refills with it.
   game.Undo();
   harness.Settle();
   EXPECT_EQ(CardGameHarness::PileText(harness.ColumnGet(0)), "2S*");
   EXPECT_EQ(CardGameHarness::PileText(harness.TalonGet()), "7D*");

   // With the stock gone an empty column stays empty and the game goes on.
   harness.TableEmpty();
   CardPile* stock = harness.StockGet();
   while (stock->cards.count > 2)
   {
      CardPile* foundation = harness.FoundationGet(stock->cards.count % RED_AND_BLACK_FOUNDATION_COUNT);
      foundation->CardInsert(foundation->cards.count, stock->CardTopGet());
   }
   harness.ColumnGet(0)->CardInsert(0, stock->CardTopGet());
   harness.TalonGet()->CardInsert(0, stock->CardTopGet());
   harness.ColumnGet(0)->CardTopGet()->FaceUpSet(true, false);
   harness.TalonGet()->CardTopGet()->FaceUpSet(true, false);
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(stock->cards.count, 0);
   EXPECT_EQ(harness.ColumnGet(1)->cards.count, 0);
   EXPECT_EQ(harness.TalonGet()->cards.count, 1);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING) << "a blocked game stays open";
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(RedAndBlackSolitaireTest, TheStockTurnsOneCardAndNeverRedeals)
{
   RedAndBlackSolitaire game;
   RedAndBlackHarness harness;
   harness.SolitaireEnter(&game, 2);
   CardPile* stock = harness.StockGet();
   EXPECT_TRUE(game.CardChooseOnClickCheck(stock->CardTopGet()));
   EXPECT_FALSE(game.CardChooseOnClickCheck(harness.TalonGet()->CardTopGet()));
   const i32 before = stock->cards.count;
   const Card* turned = stock->CardTopGet();
   harness.Pick(stock->CardTopGet());
   EXPECT_EQ(stock->cards.count, before - 1);
   EXPECT_EQ(harness.TalonGet()->CardTopGet(), turned);
   EXPECT_TRUE(turned->faceUp);
   game.Undo();
   harness.Settle();
   EXPECT_EQ(stock->CardTopGet(), turned);
   EXPECT_FALSE(turned->faceUp);

   while (stock->cards.count > 0)
   {
      harness.Pick(stock->CardTopGet());
   }
   EXPECT_EQ(game.resetNum, 0);
   EXPECT_FALSE(game.ResetAllowedCheck()) << "the Reset button shows but is never enabled";
}

TEST(RedAndBlackSolitaireTest, EveryCardOnTheFoundationsWins)
{
   RedAndBlackSolitaire game;
   RedAndBlackHarness harness;
   harness.SolitaireEnter(&game, 2);
   harness.TableEmpty();
   static const char* const ranks = "A23456789TJQK";
   // Eight foundations of alternating colours: Hearts with Spades, Diamonds with Clubs, twice.
   const char pairs[4][2] = {{'H', 'S'}, {'S', 'H'}, {'D', 'C'}, {'C', 'D'}};
   for (i32 f = 0; f < 8; ++f)
   {
      std::vector<std::string> names;
      for (i32 rank = 0; rank < 13; ++rank)
      {
         names.push_back(std::string(1, ranks[rank]) + pairs[f % 4][rank % 2] + "*");
      }
      if (f == 7)
      {
         names.pop_back();
      }
      CardsFromStockPlace(harness, harness.FoundationGet(f), names);
   }
   CardsFromStockPlace(harness, harness.ColumnGet(4), {"KC*"});
   ASSERT_EQ(harness.StockGet()->cards.count, 0);
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   harness.Pick(harness.ColumnGet(4)->CardTopGet());
   EXPECT_EQ(harness.FoundationGet(7)->cards.count, 13);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
}
} // namespace
} // namespace Corvale
