// Slide's rules on stacked tables: slides to both sides, with and without gaps, where the pushed-off
// card goes; triples found in order and scored by their multiplier; the end at 299 and 300; an undo
// that takes a triple's points back; and a save that keeps the score.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cardgame/Player.h"
#include "gui/widgets/PressButtonWidget.h"
#include "tests/games/solitaire/SlideTripletsHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::TraditionalSolitaireHarness;

std::vector<std::string> Tokens(const std::string& text)
{
   std::istringstream in(text);
   std::vector<std::string> tokens;
   for (std::string token; in >> token;)
   {
      tokens.push_back(token);
   }
   return tokens;
}

class SlideTest : public ::testing::Test
{
 protected:
   void SetUp() override { harness.SolitaireEnter(&game); }

   // The grid from four rows of six names ("--" for a gap), the Talon's card ("" for none); the
   // rest stays in the stock. Each "??" takes a card that makes no triple with its neighbours.
   void TableSet(const std::vector<std::string>& rows, const std::string& talon)
   {
      harness.SolitaireTableClear();
      std::vector<std::vector<std::string>> cells;
      std::string used;
      for (const std::string& row : rows)
      {
         cells.push_back(Tokens(row));
         ASSERT_EQ(cells.back().size(), 6u) << row;
         used += row + " ";
      }
      // Fillers cycle through ten ranks, so two in one column are never of one rank.
      static const std::string fillerRanks = "34679TJQA8";
      i32 next = 0;
      for (auto& row : cells)
      {
         for (std::string& cell : row)
         {
            while (cell == "??")
            {
               const char rank = fillerRanks[next % 10];
               const char suit = "HSDC"[(next / 10) % 4];
               next++;
               const std::string name{rank, suit};
               if (used.find(name) == std::string::npos && name != talon)
               {
                  cell = name;
                  used += name + " ";
               }
            }
         }
      }
      for (i32 r = 0; r < 4; ++r)
      {
         for (i32 c = 0; c < 6; ++c)
         {
            if (cells[r][c] != "--")
            {
               harness.CardsPlace(game.GridPileGet(r, c), {cells[r][c] + "*"});
            }
         }
      }
      if (!talon.empty())
      {
         harness.CardsPlace(Talon(), {talon + "*"});
      }
      game.UndoHistoryClear();
   }

   CardPile* Talon() { return harness.Typed(CARD_PILE_TYPE_TALON); }
   CardPile* Stock() { return harness.Typed(CARD_PILE_TYPE_DRAW); }
   CardPile* Waste() { return harness.Typed(CARD_PILE_TYPE_WASTE); }
   CardPile* Foundation() { return harness.Typed(CARD_PILE_TYPE_FOUNDATION); }

   // The row as names, "--" for a gap; every card must lie face up and alone.
   std::string RowText(i32 row)
   {
      std::string text;
      for (i32 c = 0; c < 6; ++c)
      {
         const CardPile* pile = game.GridPileGet(row, c);
         std::string cell = pile->cards.count == 0 ? "--" : TraditionalSolitaireHarness::PileText(pile);
         if (pile->cards.count > 0)
         {
            EXPECT_EQ(pile->cards.count, 1) << "row " << row << " column " << c;
            EXPECT_EQ(cell.back(), '*') << "face down in row " << row;
            cell.pop_back();
         }
         text += (c ? " " : "") + cell;
      }
      return text;
   }

   // Slides through the button of that name, as its press does.
   void ButtonPress(const char* name)
   {
      PressButtonWidget button;
      button.InitWithoutSpecification(name, nullptr);
      SlideSolitaire::SlideButtonClick(&button, &game);
   }

   SlideSolitaire game;
   TraditionalSolitaireHarness harness{"SlideSolitaire"};
};

TEST_F(SlideTest, SlidesMoveTheRowAndSendThePushedOffCardWhereItsRankSays)
{
   const struct
   {
      const char* what;
      const char* row;
      const char* talon;
      bool right;
      bool allToWaste;
      const char* after;
      // The card pushed off to the Waste or face down under the stock; "" for none.
      const char* waste;
      const char* stockBottom;
   } cases[] = {
       {"right, its rank stays", "AH 2H 3H 4H 5H 5S", "9C", true, false, "9C AH 2H 3H 4H 5H", "", "5S"},
       {"right, its rank leaves", "AH 2H 3H 4H 5H 6S", "9C", true, false, "9C AH 2H 3H 4H 5H", "6S", ""},
       {"right, every card to the Waste", "AH 2H 3H 4H 5H 5S", "9C", true, true, "9C AH 2H 3H 4H 5H", "5S",
        ""},
       {"right, the entering card keeps the rank", "AH 2H 3H 4H 5H 6S", "6D", true, false,
        "6D AH 2H 3H 4H 5H", "", "6S"},
       {"right, only the first gap closes", "AH 2H -- 4H -- 6H", "9C", true, false, "9C AH 2H 4H -- 6H", "",
        ""},
       {"right, a gap at the entry", "-- 2H 3H 4H 5H 6H", "9C", true, false, "9C 2H 3H 4H 5H 6H", "", ""},
       {"right, no Talon card", "AH 2H 3H 4H 5H 6S", "", true, false, "-- AH 2H 3H 4H 5H", "6S", ""},
       {"left, its rank stays", "5S 2H 3H 4H 5H AH", "9C", false, false, "2H 3H 4H 5H AH 9C", "", "5S"},
       {"left, its rank leaves", "6S 2H 3H 4H 5H AH", "9C", false, false, "2H 3H 4H 5H AH 9C", "6S", ""},
       {"left, only the first gap closes", "AH -- 3H -- 5H 6H", "9C", false, false, "AH -- 3H 5H 6H 9C", "",
        ""},
       {"left, no Talon card and a gap at the entry", "AH 2H 3H 4H 5H --", "", false, false,
        "AH 2H 3H 4H 5H --", "", ""},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.what);
      harness.OptionSet("AllSlideToWaste", c.allToWaste);
      TableSet({c.row, "?? ?? ?? ?? ?? ??", "?? ?? ?? ?? ?? ??", "-- -- -- -- -- --"}, c.talon);
      const i32 stockBefore = Stock()->cards.count;
      if (c.right)
      {
         game.RowSlideRight(0);
      }
      else
      {
         game.RowSlideLeft(0);
      }
      EXPECT_EQ(RowText(0), c.after);
      EXPECT_EQ(TraditionalSolitaireHarness::PileText(Waste()), c.waste[0] ? std::string(c.waste) + "*" : "");
      EXPECT_EQ(Talon()->cards.count, 0) << "the slide takes the Talon's card; the refresh refills it";
      if (c.stockBottom[0])
      {
         ASSERT_EQ(Stock()->cards.count, stockBefore + 1);
         EXPECT_EQ(TraditionalSolitaireHarness::PileText(Stock()).substr(0, 2), c.stockBottom);
         EXPECT_FALSE(Stock()->cards[0]->faceUp);
      }
      else
      {
         EXPECT_EQ(Stock()->cards.count, stockBefore);
      }
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
   harness.OptionSet("AllSlideToWaste", false);
}

TEST_F(SlideTest, ButtonsSlideTheirRowOnlyWhileTheGameMayAct)
{
   TableSet({"AH 2H 3H 4H 5H 6S", "?? ?? ?? ?? ?? ??", "?? ?? ?? ?? ?? ??", "?? ?? ?? ?? ?? ??"}, "9C");
   const std::string rows[4] = {RowText(0), RowText(1), RowText(2), RowText(3)};
   // A card still on its way: the buttons wait.
   game.CardMoveQueue(Waste(), Stock()->CardTopGet(), 0, true);
   ButtonPress("R1");
   EXPECT_EQ(RowText(0), rows[0]);
   harness.Settle();

   ButtonPress("L3");
   EXPECT_EQ(RowText(0), rows[0]);
   EXPECT_EQ(RowText(2).substr(0, 14), rows[2].substr(3));
   EXPECT_EQ(RowText(2).substr(15), "9C");
   harness.Settle();
   ButtonPress("R1");
   EXPECT_EQ(RowText(0).substr(3), "AH 2H 3H 4H 5H");
   harness.Settle();
   // A name that names no row does nothing.
   const std::string before = RowText(1);
   ButtonPress("R9");
   ButtonPress("");
   EXPECT_EQ(RowText(1), before);
}

TEST_F(SlideTest, TriplesLeaveInOrderAndScoreTheirRankTimesTheirNumber)
{
   const struct
   {
      const char* what;
      std::vector<std::string> rows;
      const char* foundation;
      i32 score;
      i32 times;
   } cases[] = {
       {"three triples: 1x 5, 2x King, 3x 2",
        {"5H KH ?? ?? ?? ??", "5S KS 2H ?? ?? ??", "5D KD 2S ?? ?? ??", "?? ?? 2D ?? ?? ??"},
        "5H* 5S* 5D* KH* KS* KD* 2H* 2S* 2D*",
        5 + 2 * 13 + 3 * 2,
        3},
       {"four of a rank: the top three leave",
        {"?? ?? ?? 5H ?? ??", "?? ?? ?? 5S ?? ??", "?? ?? ?? 5D ?? ??", "?? ?? ?? 5C ?? ??"},
        "5H* 5S* 5D*",
        5,
        1},
       {"a gap between equal ranks ends the run",
        {"?? ?? ?? ?? KH ??", "?? ?? ?? ?? -- ??", "?? ?? ?? ?? KS ??", "?? ?? ?? ?? KD ??"},
        "",
        0,
        0},
       {"three in a row across, not in a column",
        {"KH KS KD ?? ?? ??", "?? ?? ?? ?? ?? ??", "?? ?? ?? ?? ?? ??", "?? ?? ?? ?? ?? ??"},
        "",
        0,
        0},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.what);
      TableSet(c.rows, "");
      game.score = 0;
      game.timesScored = 0;
      game.RefreshMark();
      harness.Settle();
      EXPECT_EQ(TraditionalSolitaireHarness::PileText(Foundation()), c.foundation);
      EXPECT_EQ(game.score, c.score);
      EXPECT_EQ(game.timesScored, c.times);
      EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
      EXPECT_EQ(Talon()->cards.count, 1) << "the refresh refills the empty Talon";
   }
   // The third triple of Kings adds 39.
   TableSet({"KH ?? ?? ?? ?? ??", "KS ?? ?? ?? ?? ??", "KD ?? ?? ?? ?? ??", "?? ?? ?? ?? ?? ??"}, "");
   game.score = 20;
   game.timesScored = 2;
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.score, 59);
}

TEST_F(SlideTest, TheUsedUpStockEndsTheGameWonFrom300)
{
   for (const i32 score : {299, 300})
   {
      SCOPED_TRACE(score);
      harness.SolitaireEnter(&game);
      TableSet({"?? ?? ?? ?? ?? ??", "?? ?? ?? ?? ?? --", "?? ?? ?? ?? ?? ??", "?? ?? ?? ?? ?? ??"}, "");
      while (Stock()->cards.count > 0)
      {
         Waste()->CardInsert(Waste()->cards.count, Stock()->CardTopGet());
      }
      game.score = score;
      game.timesScored = 9;
      game.RefreshMark();
      harness.Settle();
      EXPECT_EQ(game.gameResult, score >= 300 ? MINIGAME_RESULT_WON : MINIGAME_RESULT_LOST);
      ASSERT_GT(game.players.count, 0);
      EXPECT_EQ(game.players[0]->minigameScore, score);
      EXPECT_EQ(game.ScoreGet(), score);
   }
}

TEST_F(SlideTest, UndoingAScoringSlideTakesItsPointsBackAndTheSlideScoresTheSameAgain)
{
   TableSet({"8H 2H 3H 4H 5H 6S", "?? 8S ?? ?? ?? ??", "?? 8D ?? ?? ?? ??", "?? ?? ?? ?? ?? ??"}, "9C");
   game.score = 100;
   game.timesScored = 3;
   ButtonPress("R1");
   harness.Settle();
   EXPECT_EQ(game.timesScored, 4);
   EXPECT_EQ(game.score, 132);
   EXPECT_EQ(TraditionalSolitaireHarness::PileText(Foundation()), "8H* 8S* 8D*");

   game.Undo();
   harness.Settle();
   EXPECT_EQ(game.timesScored, 3);
   EXPECT_EQ(game.score, 100);
   EXPECT_EQ(RowText(0), "8H 2H 3H 4H 5H 6S");
   EXPECT_EQ(TraditionalSolitaireHarness::PileText(Talon()), "9C*");
   EXPECT_EQ(Foundation()->cards.count, 0);
   EXPECT_TRUE(harness.CardsConservedCheck());

   ButtonPress("R1");
   harness.Settle();
   EXPECT_EQ(game.timesScored, 4);
   EXPECT_EQ(game.score, 132);
}

TEST_F(SlideTest, ASavedGameLoadsWithItsScore)
{
   TableSet({"8H 2H 3H 4H 5H 6S", "?? 8S ?? ?? ?? ??", "?? 8D ?? ?? ?? ??", "?? ?? ?? ?? ?? ??"}, "9C");
   ButtonPress("R1");
   harness.Settle();
   ASSERT_EQ(game.score, 8);
   SlideSolitaire fresh;
   EXPECT_TRUE(harness.SolitaireRoundTrip(&fresh));
   EXPECT_EQ(fresh.score, 8);
   EXPECT_EQ(fresh.timesScored, 1);
   EXPECT_EQ(fresh.ScoreGet(), 8);
   harness.Leave();
}
} // namespace
} // namespace Corvale
