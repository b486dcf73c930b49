// Triplets' rules on stacked tables: which ranks make a run, the choice of three cards by clicks,
// the suit option in the choice, the highlight and the loss, the win at one card, and an undo that
// clears the choice.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/games/solitaire/SlideTripletsHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::TraditionalSolitaireHarness;

class TripletsTest : public ::testing::Test
{
 protected:
   void SetUp() override { harness.SolitaireEnter(&game); }

   // Each entry lays one Tableau pile, bottom first ("KC 4H"); the other cards stay in the Draw
   // pile, which the game never plays from.
   void TableSet(const std::vector<std::string>& piles)
   {
      if (game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         harness.SolitaireEnter(&game);
      }
      harness.SolitaireTableClear();
      game.first = -1;
      game.second = -1;
      for (size_t p = 0; p < piles.size(); ++p)
      {
         std::istringstream in(piles[p]);
         std::vector<std::string> names;
         for (std::string name; in >> name;)
         {
            names.push_back(name + "*");
         }
         harness.CardsPlace(Pile(static_cast<i32>(p)), names);
      }
      game.UndoHistoryClear();
      game.RefreshMark();
      harness.Settle();
   }

   CardPile* Pile(i32 index) { return harness.Typed(CARD_PILE_TYPE_TABLEAU, index); }
   CardPile* Foundation() { return harness.Typed(CARD_PILE_TYPE_FOUNDATION); }

   // A player's click on the pile's top card, or with under on the card below it.
   void Click(i32 pile, bool under = false)
   {
      CardPile* tableau = Pile(pile);
      ASSERT_GT(tableau->cards.count, under ? 1 : 0);
      harness.ChoosePost(tableau->cards[tableau->cards.count - (under ? 2 : 1)]);
      harness.Settle();
   }

   i32 CardIDOfTop(i32 pile) { return pile < 0 ? -1 : Pile(pile)->CardTopGet()->id; }

   i32 SelectedCount()
   {
      i32 count = 0;
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         count += game.cards[i]->selected ? 1 : 0;
      }
      return count;
   }

   TripletsSolitaire game;
   TraditionalSolitaireHarness harness{"TripletsSolitaire"};
};

TEST(TripletsRunTest, RunsAreThreeConsecutiveRanksWithKingAndAceAdjacent)
{
   const struct
   {
      i32 a, b, c;
      bool run;
   } cases[] = {
       {4, 5, 6, true},    {6, 4, 5, true},   {12, 13, 1, true}, {13, 1, 2, true},   {11, 12, 1, false},
       {12, 13, 2, false}, {1, 3, 13, false}, {4, 4, 5, false},  {4, 6, 8, false},   {1, 2, 3, true},
       {11, 12, 13, true}, {2, 13, 1, true},  {1, 1, 1, false},  {10, 12, 11, true},
   };
   for (const auto& c : cases)
   {
      EXPECT_EQ(TripletsSolitaire::RanksRunCheck(c.a, c.b, c.c), c.run) << c.a << " " << c.b << " " << c.c;
   }
}

TEST_F(TripletsTest, ClicksChooseUnchooseAndCompleteARun)
{
   // Tops: 4H, 5S, 6D, 4C, 9H; 9H lies on 7S and 4H on KC.
   const std::vector<std::string> table = {"KC 4H", "5S", "6D", "4C", "7S 9H", "JD QD KD"};
   const struct
   {
      const char* clicks;
      i32 first;
      i32 second;
      i32 removed;
   } cases[] = {
       {"0", 0, -1, 0},      {"0 0", -1, -1, 0},  {"0 1", 0, 1, 0},     {"1 0", 0, 1, 0},
       {"0 1 0", 1, -1, 0},  {"0 1 1", 0, -1, 0}, {"0 1 2", -1, -1, 3}, {"2 0 1", -1, -1, 3},
       {"0 1 4", -1, -1, 0}, {"0 3", 0, 3, 0},    {"3 0", 3, 0, 0},     {"0 3 1", -1, -1, 0},
       {"4u", -1, -1, 0},    {"0 4u", 0, -1, 0},  {"0 1 4u", 0, 1, 0},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.clicks);
      TableSet(table);
      const i32 expectedFirst = CardIDOfTop(c.first);
      const i32 expectedSecond = CardIDOfTop(c.second);
      std::istringstream in(c.clicks);
      for (std::string click; in >> click;)
      {
         Click(click[0] - '0', click.size() > 1);
      }
      EXPECT_EQ(Foundation()->cards.count, c.removed);
      if (c.removed == 0)
      {
         EXPECT_EQ(game.first, expectedFirst);
         EXPECT_EQ(game.second, expectedSecond);
      }
      else
      {
         EXPECT_EQ(game.first, -1);
         EXPECT_EQ(game.second, -1);
      }
      EXPECT_EQ(SelectedCount(), (game.first >= 0 ? 1 : 0) + (game.second >= 0 ? 1 : 0));
      EXPECT_TRUE(game.CardChooseOnClickCheck(Pile(5)->CardTopGet()));
      EXPECT_FALSE(game.CardPickUpCheck(Pile(5)->CardTopGet())) << "no card is ever dragged";
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST_F(TripletsTest, ThreeDifferentSuitsRulesTheChoiceTheHighlightAndTheLoss)
{
   harness.OptionSet("ShowPlayableCards", true);
   for (const bool suits : {false, true})
   {
      SCOPED_TRACE(suits);
      harness.OptionSet("ThreeDifferentSuits", suits);
      // Tops 4H, 5H, 6H, 9C and QD: the only run repeats a suit.
      TableSet({"4H", "5H", "6H", "9C", "QD"});
      EXPECT_EQ(game.gameResult, suits ? MINIGAME_RESULT_LOST : MINIGAME_RESULT_RUNNING);
      for (i32 p = 0; p < 5; ++p)
      {
         EXPECT_EQ(Pile(p)->CardTopGet()->highlighted, !suits && p < 3) << p;
      }
      if (!suits)
      {
         Click(0);
         Click(1);
         EXPECT_EQ(game.second, CardIDOfTop(1));
      }
   }

   // Tops 4H, 5H, 5S, 6D, 6H with the suit rule on.
   const struct
   {
      const char* clicks;
      i32 removed;
      i32 first;
      i32 second;
   } cases[] = {
       {"0 1", 0, 0, -1},    // a second Heart is ignored
       {"0 2 4", 0, -1, -1}, // the third shares a suit
       {"0 2 3", 3, -1, -1},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.clicks);
      TableSet({"4H", "5H", "5S", "6D", "6H", "9C QC"});
      ASSERT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
      const i32 expectedFirst = CardIDOfTop(c.first);
      const i32 expectedSecond = CardIDOfTop(c.second);
      EXPECT_TRUE(Pile(0)->CardTopGet()->highlighted);
      EXPECT_FALSE(Pile(5)->CardTopGet()->highlighted);
      std::istringstream in(c.clicks);
      for (std::string click; in >> click;)
      {
         Click(click[0] - '0');
      }
      EXPECT_EQ(Foundation()->cards.count, c.removed);
      EXPECT_EQ(game.first, c.removed ? -1 : expectedFirst);
      EXPECT_EQ(game.second, c.removed ? -1 : expectedSecond);
   }
   harness.OptionSet("ThreeDifferentSuits", false);
   harness.OptionSet("ShowPlayableCards", false);
}

TEST_F(TripletsTest, OneCardLeftWinsAndUndoReopensTheGame)
{
   TableSet({"9C 4H", "5S", "6D"});
   ASSERT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   Click(0);
   Click(1);
   Click(2);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   EXPECT_EQ(TraditionalSolitaireHarness::PileText(Foundation()), "4H* 5S* 6D*");

   game.Undo();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_EQ(TraditionalSolitaireHarness::PileText(Pile(0)), "9C* 4H*");

   // No run among the tops: lost.
   TableSet({"4H", "9S", "6D"});
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
}

TEST_F(TripletsTest, UndoClearsTheChoiceSoACoveredCardCannotLeave)
{
   // Taking 4H 5S 6D uncovers 7C, 8C and 9C.
   TableSet({"7C 4H", "8C 5S", "9C 6D", "JH", "QH", "KH"});
   Click(0);
   Click(1);
   Click(2);
   ASSERT_EQ(Foundation()->cards.count, 3);
   Click(0);
   Click(1);
   ASSERT_NE(game.first, -1);
   ASSERT_NE(game.second, -1);

   game.Undo();
   harness.Settle();
   EXPECT_EQ(Foundation()->cards.count, 0);
   EXPECT_EQ(game.first, -1);
   EXPECT_EQ(game.second, -1);
   EXPECT_EQ(SelectedCount(), 0);
   // 7C and 8C lie covered again: a click on 6D now starts a new choice rather than ending one.
   Click(2);
   EXPECT_EQ(Foundation()->cards.count, 0);
   EXPECT_EQ(game.first, CardIDOfTop(2));
   EXPECT_TRUE(harness.CardsConservedCheck());

   TripletsSolitaire fresh;
   EXPECT_TRUE(harness.SolitaireRoundTrip(&fresh));
   EXPECT_EQ(fresh.first, game.first);
   harness.Leave();
}
} // namespace
} // namespace Corvale
