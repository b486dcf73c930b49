// Three Towers: runs up and down from the current card (King and Ace both ways), the stock turn
// that costs 100 and ends the run, the peak bonuses, cards turning up as they are uncovered, the
// cleared towers and the gates after rounds two and three.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/games/solitaire/WallHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::WallHarness;

class ThreeTowersTest : public ::testing::Test
{
 protected:
   void SetUp() override { ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game)); }

   // The game outlives the harness, which leaves it.
   ThreeTowersSolitaire game;
   WallHarness harness;
};

TEST_F(ThreeTowersTest, EnteringDealsFaceDownAndTurnsTheBottomRowUp)
{
   for (i32 position = 1; position <= THREE_TOWERS_WALL_POSITIONS; ++position)
   {
      ASSERT_EQ(harness.Wall(position)->cards.count, 1) << position;
      EXPECT_EQ(harness.Wall(position)->CardTopGet()->faceUp, position <= 10) << position;
   }
   ASSERT_EQ(harness.Current()->cards.count, 1);
   EXPECT_TRUE(harness.Current()->CardTopGet()->faceUp);
   EXPECT_EQ(harness.Stock()->cards.count, 52 - THREE_TOWERS_WALL_POSITIONS - 1);
   EXPECT_FALSE(game.countdownTimerStarted);

   // Playing 1 uncovers nothing; playing 2 as well uncovers 11, which turns up.
   harness.WallLay({{1, "6H"}, {2, "7S"}}, "5D");
   for (i32 position = 11; position <= THREE_TOWERS_WALL_POSITIONS; ++position)
   {
      harness.Wall(position)->CardTopGet()->FaceUpSet(false, false);
   }
   harness.Choose(harness.Wall(1)->CardTopGet());
   EXPECT_FALSE(harness.Wall(11)->CardTopGet()->faceUp);
   harness.Choose(harness.Wall(2)->CardTopGet());
   EXPECT_TRUE(harness.Wall(11)->CardTopGet()->faceUp);
   EXPECT_FALSE(harness.Wall(12)->CardTopGet()->faceUp);
}

TEST_F(ThreeTowersTest, RunsScoreMoreWithEveryCard)
{
   // 0 stands for the stock.
   const struct
   {
      const char* name;
      std::vector<std::pair<i32, std::string>> wall;
      const char* current;
      std::vector<i32> chosen;
      i32 points;
      i32 run;
      i32 played;
   } cases[] = {
       {"up, up, down", {{1, "6S"}, {2, "7D"}, {3, "6C"}}, "5H", {1, 2, 3}, 100 + 200 + 300, 3, 3},
       {"a King on an Ace", {{1, "KS"}}, "AH", {1}, 100, 1, 1},
       {"an Ace on a King", {{1, "AS"}}, "KH", {1}, 100, 1, 1},
       {"Queen, King, Ace, Two", {{1, "KS"}, {2, "AD"}, {3, "2C"}}, "QH", {1, 2, 3}, 100 + 200 + 300, 3, 3},
       {"two apart", {{1, "7S"}}, "5H", {1}, 0, 0, 0},
       {"the same rank", {{1, "5S"}}, "5H", {1}, 0, 0, 0},
       {"a covered card", {{11, "6S"}}, "5H", {11}, 0, 0, 0},
       {"the stock ends the run", {{1, "6S"}}, "5H", {1, 0}, 100 - 100, 0, 1},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.WallLay(c.wall, c.current);
      harness.ScoreSet(1000);
      std::vector<Card*> chosen;
      for (const i32 at : c.chosen)
      {
         chosen.push_back(at == 0 ? nullptr : harness.Wall(at)->CardTopGet());
      }
      const i32 current = harness.Current()->cards.count;
      for (Card* card : chosen)
      {
         if (card)
         {
            harness.Choose(card);
         }
         else
         {
            harness.StockChoose();
         }
      }
      EXPECT_EQ(harness.First()->minigameScore, 1000 + c.points);
      EXPECT_EQ(game.CurrentRun, c.run);
      EXPECT_EQ(harness.Current()->cards.count,
                current + c.played + static_cast<i32>(std::count(c.chosen.begin(), c.chosen.end(), 0)));
      EXPECT_TRUE(game.countdownTimerStarted);
   }

   // After the stock, the next card scores 100 again.
   ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   harness.WallLay({{1, "6S"}, {2, "8D"}}, "5H");
   // The stock's top card is a Nine, so that the Eight plays on it.
   harness.CardsPlace(harness.Stock(), {"9C"});
   harness.ScoreSet(0);
   harness.Choose(harness.Wall(1)->CardTopGet());
   harness.StockChoose();
   harness.Choose(harness.Wall(2)->CardTopGet());
   EXPECT_EQ(harness.First()->minigameScore, 100 - 100 + 100);
   EXPECT_EQ(game.CurrentRun, 1);
}

TEST_F(ThreeTowersTest, PeaksEarnAGrowingBonus)
{
   harness.WallLay({{26, "6S"}, {27, "7D"}, {28, "8C"}}, "5H", {20, 21, 22, 23, 24, 25});
   harness.ScoreSet(0);
   harness.Choose(harness.Wall(26)->CardTopGet());
   EXPECT_EQ(game.towerClear, 1);
   EXPECT_EQ(harness.First()->minigameScore, 100 + 5000);
   harness.Choose(harness.Wall(27)->CardTopGet());
   harness.Choose(harness.Wall(28)->CardTopGet());
   EXPECT_EQ(game.towerClear, 3);
   EXPECT_EQ(harness.First()->minigameScore, 100 + 200 + 300 + 5000 + 10000 + 15000);
}

TEST_F(ThreeTowersTest, ClearedTowersEndTheRoundWithTheBonus)
{
   std::vector<i32> empty;
   for (i32 position = 2; position <= THREE_TOWERS_WALL_POSITIONS; ++position)
   {
      empty.push_back(position);
   }
   harness.WallLay({{1, "9S"}}, "TH", empty);
   harness.ScoreSet(0);
   harness.Choose(harness.Wall(1)->CardTopGet());
   EXPECT_TRUE(game.roundOver);
   EXPECT_TRUE(game.subgameOver);
   const i32 bonus = static_cast<i32>((game.countdownTimer + 999) / 1000) * 100;
   EXPECT_GT(bonus, 0);
   EXPECT_EQ(harness.First()->minigameScore, 100 + bonus);
   EXPECT_EQ(WallHarness::ResultsOpenCount(), 1);
}

TEST_F(ThreeTowersTest, PlayableCardsAreFreeNeighboursOfTheCurrentCard)
{
   harness.WallLay({{1, "6S"}, {2, "9D"}, {11, "4C"}}, "5H");
   EXPECT_TRUE(game.CardPlayableCheck(harness.Wall(1)->CardTopGet()));
   EXPECT_FALSE(game.CardPlayableCheck(harness.Wall(2)->CardTopGet()));
   EXPECT_FALSE(game.CardPlayableCheck(harness.Wall(11)->CardTopGet())) << "covered";
   EXPECT_FALSE(game.CardPlayableCheck(harness.Current()->CardTopGet()));
   EXPECT_FALSE(game.CardPlayableCheck(harness.Stock()->CardTopGet()));
}

TEST_F(ThreeTowersTest, GatesAfterTheSecondAndThirdRounds)
{
   const struct
   {
      i32 round;
      i32 score;
      i32 result;
   } cases[] = {
       {0, 0, MINIGAME_RESULT_RUNNING},      {1, 49999, MINIGAME_RESULT_DRAWN},
       {1, 50000, MINIGAME_RESULT_RUNNING},  {2, 74999, MINIGAME_RESULT_DRAWN},
       {2, 75000, MINIGAME_RESULT_WON},
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
