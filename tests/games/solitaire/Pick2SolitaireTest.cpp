// Pick 2: pairs of equal and neighbouring rank (King and Ace included), reselection and
// deselection, the cards a choice ignores, the stock turn that refills the wall's highest gap, the
// cleared wall and the gates after rounds two and three.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/games/solitaire/WallHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::WallHarness;

class Pick2Test : public ::testing::Test
{
 protected:
   void SetUp() override { ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game)); }

   // The game outlives the harness, which leaves it.
   Pick2Solitaire game;
   WallHarness harness;
};

TEST_F(Pick2Test, ChoicesPairEqualAndNeighbouringRanks)
{
   // Wall positions 1-6 are free, 7 lies under 1 and 2; 0 stands for the current card, -1 for a
   // card on the Discard pile.
   const struct
   {
      const char* name;
      std::vector<std::pair<i32, std::string>> wall;
      const char* current;
      std::vector<i32> chosen;
      i32 points;
      i32 neighbours;
      i32 equals;
      i32 removed;
      i32 selectedAt;
   } cases[] = {
       {"two Sevens", {{1, "7H"}, {2, "7S"}}, "2C", {1, 2}, 3000, 0, 1, 2, -2},
       {"King and Ace", {{1, "KH"}, {3, "AS"}}, "2C", {1, 3}, 500, 1, 0, 2, -2},
       {"Ace and King", {{6, "AD"}, {4, "KC"}}, "2C", {6, 4}, 500, 1, 0, 2, -2},
       {"a wall card and the current card", {{4, "5D"}}, "6C", {4, 0}, 500, 1, 0, 2, -2},
       {"a Five, then a Nine", {{1, "5H"}, {2, "9H"}}, "2C", {1, 2}, 0, 0, 0, 0, 2},
       {"the same card twice", {{1, "5H"}}, "2C", {1, 1}, 0, 0, 0, 0, -2},
       {"a covered card", {{1, "5H"}, {7, "5S"}}, "2C", {7}, 0, 0, 0, 0, -2},
       {"a covered card after a free one", {{1, "5H"}, {7, "5S"}}, "2C", {1, 7}, 0, 0, 0, 0, 1},
       {"a discarded card", {{1, "5H"}, {-1, "5S"}}, "2C", {-1, 1}, 0, 0, 0, 0, 1},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.WallLay(c.wall, c.current);
      harness.ScoreSet(1000);
      const i32 discard = harness.Discard()->cards.count;
      std::vector<Card*> chosen;
      for (const i32 at : c.chosen)
      {
         chosen.push_back(at == 0    ? harness.Current()->CardTopGet()
                          : at == -1 ? harness.Discard()->CardTopGet()
                                     : harness.Wall(at)->CardTopGet());
      }
      for (Card* card : chosen)
      {
         harness.Choose(card);
      }
      EXPECT_EQ(harness.First()->minigameScore, 1000 + c.points);
      EXPECT_EQ(game.charlieCount, c.neighbours);
      EXPECT_EQ(game.twentyOneCount, c.equals);
      EXPECT_EQ(harness.Discard()->cards.count, discard + c.removed);
      i32 selectedCards = 0;
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         selectedCards += game.cards[i]->selected;
      }
      if (c.selectedAt == -2)
      {
         EXPECT_EQ(game.selected, -1);
         EXPECT_EQ(selectedCards, 0);
      }
      else
      {
         EXPECT_EQ(game.selected, harness.Wall(c.selectedAt)->CardTopGet()->id);
         EXPECT_EQ(selectedCards, 1);
      }
      EXPECT_TRUE(game.countdownTimerStarted) << "the first choice starts the clock";
      // A removed current card is replaced from the stock.
      EXPECT_EQ(harness.Current()->cards.count, 1);
   }
}

TEST_F(Pick2Test, TurningTheStockRefillsTheHighestGap)
{
   const struct
   {
      const char* name;
      std::vector<i32> empty;
      i32 filled;
   } cases[] = {
       {"gaps at 5 and 30", {5, 30}, 30},
       {"a gap at 1", {1}, 1},
       {"no gap", {}, 0},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.WallLay({{2, "9S"}}, "8H", c.empty);
      harness.Choose(harness.Wall(2)->CardTopGet());
      ASSERT_EQ(game.selected, harness.Wall(2)->CardTopGet()->id);
      Card* old = harness.Current()->CardTopGet();
      Card* next = harness.Stock()->CardTopGet();
      const i32 stock = harness.Stock()->cards.count;
      harness.ScoreSet(0);
      harness.StockChoose();
      EXPECT_EQ(harness.Current()->CardTopGet(), next);
      EXPECT_TRUE(next->faceUp);
      EXPECT_EQ(game.selected, -1);
      EXPECT_FALSE(harness.Wall(2)->CardTopGet()->selected);
      EXPECT_EQ(harness.First()->minigameScore, 0) << "turning is free";
      if (c.filled)
      {
         EXPECT_EQ(harness.Wall(c.filled)->CardTopGet(), old);
         EXPECT_TRUE(old->faceUp);
         EXPECT_EQ(harness.Stock()->cards.count, stock - 1);
      }
      else
      {
         EXPECT_EQ(harness.Stock()->cards[0], old);
         EXPECT_FALSE(old->faceUp);
         EXPECT_EQ(harness.Stock()->cards.count, stock);
      }
   }
}

TEST_F(Pick2Test, ClearingTheWallScoresAndEndsTheRoundWithTheBonus)
{
   std::vector<i32> empty;
   for (i32 position = 2; position <= PICK2_WALL_POSITIONS; ++position)
   {
      empty.push_back(position);
   }
   harness.WallLay({{1, "QH"}}, "QS", empty);
   harness.ScoreSet(0);
   harness.Choose(harness.Wall(1)->CardTopGet());
   harness.Choose(harness.Current()->CardTopGet());
   EXPECT_TRUE(game.roundOver);
   EXPECT_TRUE(game.subgameOver);
   const i32 bonus = static_cast<i32>((game.countdownTimer + 999) / 1000) * 100;
   EXPECT_GT(bonus, 0);
   EXPECT_EQ(harness.First()->minigameScore, 3000 + 10000 + bonus);
   EXPECT_EQ(WallHarness::ResultsOpenCount(), 1);
}

TEST_F(Pick2Test, PlayableCardsHaveAFreePartner)
{
   const struct
   {
      const char* name;
      std::vector<std::pair<i32, std::string>> wall;
      const char* current;
      i32 asked;
      bool playable;
   } cases[] = {
       {"a free neighbour", {{1, "KH"}, {2, "AS"}, {3, "5C"}, {4, "5D"}, {5, "5H"}, {6, "5S"}}, "8D", 1, true},
       {"the current card", {{1, "9H"}, {2, "3S"}, {3, "3C"}, {4, "3D"}, {5, "3H"}, {6, "QC"}}, "8D", 1, true},
       {"only a covered partner", {{1, "9H"}, {2, "3S"}, {3, "3C"}, {4, "3D"}, {5, "3H"}, {6, "QC"}, {7, "9S"}},
        "6D", 1, false},
       {"covered itself", {{1, "9H"}, {2, "9S"}, {7, "9C"}}, "9D", 7, false},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.WallLay(c.wall, c.current);
      EXPECT_EQ(game.CardPlayableCheck(harness.Wall(c.asked)->CardTopGet()), c.playable);
   }
   EXPECT_FALSE(game.CardPlayableCheck(harness.Stock()->CardTopGet()));
   EXPECT_FALSE(game.CardPlayableCheck(nullptr));
}

TEST_F(Pick2Test, GatesAfterTheSecondAndThirdRounds)
{
   const struct
   {
      i32 round;
      i32 score;
      i32 result;
   } cases[] = {
       {0, 0, MINIGAME_RESULT_RUNNING},       {1, 79999, MINIGAME_RESULT_DRAWN},
       {1, 80000, MINIGAME_RESULT_RUNNING},   {2, 119999, MINIGAME_RESULT_DRAWN},
       {2, 120000, MINIGAME_RESULT_WON},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(testing::Message() << c.round << " " << c.score);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      game.roundIndex = c.round;
      game.countdownTimer = 0;
      harness.ScoreSet(c.score);
      game.ScoreTakeOnce();
      ASSERT_TRUE(harness.RunUntilSettled(20000));
      ASSERT_TRUE(harness.RunUntilSettled(20000));
      EXPECT_EQ(game.gameResult, c.result);
      EXPECT_EQ(game.subgameOver, c.result == MINIGAME_RESULT_RUNNING);
      EXPECT_EQ(harness.First()->minigameScore, c.score);
   }
}
} // namespace
} // namespace Corvale
