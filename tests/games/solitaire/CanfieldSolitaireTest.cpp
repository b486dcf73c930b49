// Canfield: the deal and its options, the move rules with wrap and the 26-card limit, the stock
// turns with their reset and its undo, the reserve refilling the columns, and the win.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cardgame/Player.h"
#include "tests/games/solitaire/SolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::SolitaireHarness;

constexpr const char* KEY = "CanfieldSolitaire";

CardPile* Reserve(SolitaireHarness& harness)
{
   return harness.ColumnGet(CANFIELD_RESERVE_ID);
}

TEST(CanfieldSolitaireTest, TheDealFixesTheBuildRankAndFillsTheReserve)
{
   for (const bool thirteen : {true, false})
   {
      SCOPED_TRACE(thirteen);
      CanfieldSolitaire game;
      SolitaireHarness harness;
      SolitaireHarness::OptionSet(KEY, "ThirteenCardReserve", thirteen);
      harness.SolitaireEnter(&game);
      const i32 reserve = thirteen ? 13 : 10;
      ASSERT_EQ(harness.FoundationGet(0)->cards.count, 1);
      EXPECT_EQ(harness.FoundationGet(0)->cards[0]->rank, game.buildRank);
      EXPECT_TRUE(harness.FoundationGet(0)->cards[0]->faceUp);
      for (i32 column = 0; column < CANFIELD_COLUMN_COUNT; ++column)
      {
         ASSERT_EQ(harness.ColumnGet(column)->cards.count, 1) << column;
         EXPECT_TRUE(harness.ColumnGet(column)->cards[0]->faceUp);
      }
      ASSERT_EQ(Reserve(harness)->cards.count, reserve);
      EXPECT_TRUE(Reserve(harness)->CardTopGet()->faceUp);
      EXPECT_EQ(harness.StockGet()->cards.count, 52 - 5 - reserve);
      EXPECT_EQ(harness.TalonGet()->cards.count, 0);
      EXPECT_EQ(game.maxResets, CANFIELD_MAX_RESETS);
      EXPECT_EQ(game.undoHistory.count, 0) << "the deal cannot be taken back";
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

// The rules' answers for fixtures: each case lays out the columns, the reserve and the talon, then
// asks whether the named card may be lifted and where it may go.
TEST(CanfieldSolitaireTest, TheMoveRulesWrapAndKeepColumnsBelowTwentySix)
{
   struct Case
   {
      const char* what;
      Rank buildRank;
      bool fullBuilds;
      std::vector<std::string> column0;
      std::vector<std::string> column1;
      std::vector<std::string> foundation0;
      // The card of column 0 (index) that moves; -1 its top.
      i32 index;
      bool pickUp;
      bool toColumn1;
      bool toFoundation0;
   };
   // A run of 20 alternating cards from the King of Spades down, through the Ace to the Seven.
   const std::vector<std::string> run20 = {"KS*", "QH*", "JS*", "TH*", "9S*", "8H*", "7S*",
                                           "6H*", "5S*", "4H*", "3S*", "2H*", "AS*", "KD*",
                                           "QC*", "JD*", "TC*", "9D*", "8C*", "7D*"};
   const std::vector<std::string> five = {"5D*", "4C*", "3D*", "2C*", "AH*"};
   const std::vector<std::string> six = {"6C*", "5D*", "4C*", "3D*", "2C*", "AH*"};
   const Case cases[] = {
       {"a King on an Ace of the other colour", RANK_ACE, false, {"KS*"}, {"AH*"}, {}, -1, true, true, false},
       {"a King on an Ace of its colour", RANK_ACE, false, {"KD*"}, {"AH*"}, {}, -1, true, false, false},
       {"a Queen on an Ace", RANK_ACE, false, {"QS*"}, {"AH*"}, {}, -1, true, false, false},
       {"any card on an empty column", RANK_ACE, false, {"7C*"}, {}, {}, -1, true, true, false},
       {"an Ace after a King on a foundation",
        RANK_JACK,
        false,
        {"AH*"},
        {},
        {"JH*", "QH*", "KH*"},
        -1,
        true,
        true,
        true},
       {"another suit's Ace after a King",
        RANK_JACK,
        false,
        {"AS*"},
        {},
        {"JH*", "QH*", "KH*"},
        -1,
        true,
        true,
        false},
       {"the build rank on an empty foundation", RANK_JACK, false, {"JC*"}, {}, {}, -1, true, true, true},
       {"an Ace on an empty foundation of Jacks", RANK_JACK, false, {"AC*"}, {}, {}, -1, true, true, false},
       {"a card with others above it to a foundation",
        static_cast<Rank>(5),
        false,
        {"5D*", "4C*"},
        {},
        {},
        0,
        true,
        true,
        false},
       {"a run of 20 onto 6 cards", RANK_ACE, false, run20, six, {}, 0, true, false, false},
       {"a run of 20 onto 5 cards", RANK_ACE, false, run20, five, {}, 0, true, true, false},
       {"a middle card, any builds", RANK_ACE, false, five, {"6S*"}, {}, 2, true, false, false},
       {"a middle card, whole builds only", RANK_ACE, true, five, {"4S*"}, {}, 2, false, true, false},
       {"the bottom card, whole builds only", RANK_ACE, true, five, {"6S*"}, {}, 0, true, true, false},
       {"the top card, whole builds only", RANK_ACE, true, five, {"2S*"}, {}, -1, true, true, true},
   };
   CanfieldSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      harness.TableEmpty();
      SolitaireHarness::OptionSet(KEY, "MoveOnlyFullBuilds", c.fullBuilds);
      game.buildRank = c.buildRank;
      harness.CardsPlace(harness.ColumnGet(0), c.column0);
      harness.CardsPlace(harness.ColumnGet(1), c.column1);
      harness.CardsPlace(harness.FoundationGet(0), c.foundation0);
      CardPile* from = harness.ColumnGet(0);
      Card* card = c.index < 0 ? from->CardTopGet() : from->cards[c.index];
      EXPECT_EQ(game.CardPickUpCheck(card), c.pickUp);
      EXPECT_EQ(game.CardDropCheck(harness.ColumnGet(1), card), c.toColumn1);
      EXPECT_EQ(game.CardDropCheck(harness.FoundationGet(0), card), c.toFoundation0);
      EXPECT_FALSE(game.CardDropCheck(Reserve(harness), card)) << "nothing goes onto the reserve";
      EXPECT_FALSE(game.CardDropCheck(harness.TalonGet(), card));
      EXPECT_FALSE(game.CardDropCheck(harness.StockGet(), card));
   }
}

TEST(CanfieldSolitaireTest, OnlyTheTopCardsOfTheReserveAndTheTalonLift)
{
   CanfieldSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   for (const bool fullBuilds : {false, true})
   {
      SCOPED_TRACE(fullBuilds);
      harness.TableEmpty();
      SolitaireHarness::OptionSet(KEY, "MoveOnlyFullBuilds", fullBuilds);
      harness.CardsPlace(Reserve(harness), {"9H*", "2C*", "KD*"});
      harness.CardsPlace(harness.TalonGet(), {"4H*", "5S*", "6D*"});
      for (CardPile* pile : {Reserve(harness), harness.TalonGet()})
      {
         EXPECT_FALSE(game.CardPickUpCheck(pile->cards[0])) << "the bottom card";
         EXPECT_FALSE(game.CardPickUpCheck(pile->cards[1])) << "a middle card";
         EXPECT_TRUE(game.CardPickUpCheck(pile->cards[2])) << "the top card";
      }
      harness.CardsPlace(harness.FoundationGet(0), {"AH*"});
      EXPECT_FALSE(game.CardPickUpCheck(harness.FoundationGet(0)->cards[0])) << "foundation cards stay";
      EXPECT_FALSE(game.CardPickUpCheck(harness.StockGet()->CardTopGet())) << "the stock turns instead";
      EXPECT_TRUE(game.CardChooseOnClickCheck(harness.StockGet()->CardTopGet()));
      EXPECT_FALSE(game.CardChooseOnClickCheck(harness.TalonGet()->CardTopGet()));
   }
}

TEST(CanfieldSolitaireTest, TheLastTurnOffersTheResetWhichRestoresTheStockAndIsUndone)
{
   CanfieldSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   CardPile* stock = harness.StockGet();
   // Two cards stay in the stock, the rest wait in the reserve and the columns.
   std::vector<Card*> rest;
   for (i32 i = 0; i < stock->cards.count - 2; ++i)
   {
      rest.push_back(stock->cards[i]);
   }
   for (size_t i = 0; i < rest.size(); ++i)
   {
      CardPile* pile = i < 40 ? Reserve(harness) : harness.ColumnGet(static_cast<i32>(i % 4));
      pile->CardInsert(pile->cards.count, rest[i]);
      rest[i]->FaceUpSet(true, false);
   }
   game.CardAnimationsFinish();
   ASSERT_EQ(stock->cards.count, 2);
   const std::string before = CardGameHarness::PileText(stock);

   harness.Pick(stock->CardTopGet());
   EXPECT_EQ(stock->cards.count, 0);
   EXPECT_EQ(harness.TalonGet()->cards.count, 2);
   // The button itself needs the table's layer: the end-to-end run shows it.
   EXPECT_TRUE(game.ResetAllowedCheck());

   TalonSolitaire::ResetButtonHandler(nullptr, &game);
   harness.Settle();
   EXPECT_EQ(CardGameHarness::PileText(stock), before) << "the stock is back in its order";
   EXPECT_EQ(harness.TalonGet()->cards.count, 0);
   EXPECT_EQ(game.resetNum, 1);

   game.Undo();
   harness.Settle();
   EXPECT_EQ(game.resetNum, 0);
   EXPECT_EQ(CardGameHarness::PileText(stock), before) << "the turn that emptied it is undone with it";
   EXPECT_EQ(harness.TalonGet()->cards.count, 0);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(CanfieldSolitaireTest, TheReserveRefillsEmptyColumnsWhileItLasts)
{
   CanfieldSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   struct Case
   {
      const char* what;
      std::vector<std::string> reserve;
      // The columns left empty; the others hold a card each.
      i32 empty;
      const char* column0;
      const char* column1;
      i32 reserveLeft;
   };
   const Case cases[] = {
       {"one empty column, three reserve cards", {"2H*", "3H*", "4H*"}, 1, "4H*", "9D*", 2},
       {"two empty columns, one reserve card", {"4H*"}, 2, "4H*", "", 0},
       {"two empty columns, an empty reserve", {}, 2, "", "", 0},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      harness.TableEmpty();
      harness.CardsPlace(Reserve(harness), c.reserve);
      const char* fillers[] = {"9C*", "9D*", "9S*", "9H*"};
      for (i32 column = c.empty; column < CANFIELD_COLUMN_COUNT; ++column)
      {
         harness.CardsPlace(harness.ColumnGet(column), {fillers[column]});
      }
      game.RefreshMark();
      harness.Settle();
      EXPECT_EQ(CardGameHarness::PileText(harness.ColumnGet(0)), c.column0);
      EXPECT_EQ(CardGameHarness::PileText(harness.ColumnGet(1)), c.column1);
      EXPECT_EQ(Reserve(harness)->cards.count, c.reserveLeft);
      EXPECT_TRUE(harness.CardsConservedCheck());
      EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   }
}

TEST(CanfieldSolitaireTest, TheLastCardToTheFoundationsWins)
{
   CanfieldSolitaire game;
   SolitaireHarness harness;
   harness.SolitaireEnter(&game);
   harness.TableEmpty();
   game.buildRank = RANK_JACK;
   static const char* const ranks = "JQKA23456789T";
   static const char* const suits = "HSDC";
   for (i32 suit = 0; suit < 4; ++suit)
   {
      std::vector<std::string> names;
      for (i32 rank = 0; rank < (suit == 3 ? 12 : 13); ++rank)
      {
         names.push_back(std::string(1, ranks[rank]) + suits[suit] + "*");
      }
      harness.CardsPlace(harness.FoundationGet(suit), names);
   }
   harness.CardsPlace(harness.ColumnGet(2), {"TC*"});
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   harness.Pick(harness.ColumnGet(2)->CardTopGet());
   EXPECT_EQ(harness.FoundationGet(3)->cards.count, 13);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   EXPECT_EQ(game.ScoreGet(), 52);
   EXPECT_FALSE(game.ScoreShownCheck()) << "a won Canfield always scores 52";
}
} // namespace
} // namespace Corvale
