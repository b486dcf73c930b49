// Sum 11: the deck, selections under, at and over eleven with the row bonuses, the cards a choice
// ignores, the stock turn and its cost, the cleared pyramid, the subset search against a plain
// subset sum, and the gates after rounds two and three.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "cardgame/CardQueries.h"
#include "tests/games/solitaire/WallHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::WallHarness;

class Sum11Test : public ::testing::Test
{
 protected:
   void SetUp() override { ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game)); }

   // The game outlives the harness, which leaves it.
   Sum11Solitaire game;
   WallHarness harness;
};

TEST_F(Sum11Test, TheDeckHoldsTwosToTensAndSixteenAces)
{
   std::map<i32, i32> ranks;
   for (i32 i = 0; i < game.cards.count; ++i)
   {
      ranks[game.cards[i]->rank]++;
   }
   std::map<i32, i32> expected = {{1, 16}};
   for (i32 rank = 2; rank <= 10; ++rank)
   {
      expected[rank] = 4;
   }
   EXPECT_EQ(ranks, expected);
   // Entering dealt the pyramid and the current card.
   for (i32 position = 1; position <= SUM11_WALL_POSITIONS; ++position)
   {
      ASSERT_EQ(harness.Wall(position)->cards.count, 1) << position;
      EXPECT_TRUE(harness.Wall(position)->CardTopGet()->faceUp);
   }
   EXPECT_EQ(harness.Current()->cards.count, 1);
   EXPECT_EQ(harness.Stock()->cards.count, 52 - SUM11_WALL_POSITIONS - 1);
}

TEST_F(Sum11Test, ElevensScoreWithTheRowBonus)
{
   // Rows: 1, 2 at y 410 (100), 3-6 at 370 (200), 7-9 and 11-13 at 330 (300), 10 at 290 (400),
   // 14-19 at 250 (500), 20-22 at 215 (600). 0 stands for the current card, -1 for a discarded card.
   const struct
   {
      const char* name;
      std::vector<std::pair<i32, std::string>> wall;
      std::vector<i32> empty;
      std::vector<i32> chosen;
      i32 points;
      i32 elevens;
      i32 removed;
      i32 selectedLeft;
   } cases[] = {
       {"the front row", {{1, "5H"}, {2, "6S"}}, {}, {1, 2}, 1500 + 100 + 100, 1, 2, 0},
       {"y 215 and 410", {{20, "4H"}, {1, "7S"}}, {14, 15}, {20, 1}, 1500 + 600 + 100, 1, 2, 0},
       {"three cards", {{10, "AH"}, {1, "4S"}, {2, "6D"}}, {}, {10, 1, 2}, 1500 + 400 + 100 + 100, 1, 3, 0},
       {"with the current card", {{1, "7S"}}, {}, {0, 1}, 1500 + 100, 1, 2, 0},
       {"under eleven", {{1, "5H"}, {2, "4S"}}, {}, {1, 2}, 0, 0, 0, 2},
       {"over eleven stays", {{1, "9H"}, {2, "5S"}}, {}, {1, 2}, 0, 0, 0, 2},
       {"deselected again", {{1, "5H"}, {2, "6S"}}, {}, {1, 1, 2}, 0, 0, 0, 1},
       {"a covered card", {{1, "5H"}, {3, "6S"}}, {}, {1, 3}, 0, 0, 0, 1},
       {"a discarded card", {{1, "5H"}, {-1, "6H"}}, {}, {1, -1}, 0, 0, 0, 1},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.WallLay(c.wall, "4C", c.empty);
      harness.ScoreSet(1000);
      const i32 discarded = harness.Discard()->cards.count;
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
      EXPECT_EQ(game.elevenCount, c.elevens);
      EXPECT_EQ(harness.Discard()->cards.count, discarded + c.removed);
      i32 selected = 0;
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         selected += game.cards[i]->selected;
      }
      EXPECT_EQ(selected, c.selectedLeft);
      EXPECT_TRUE(game.countdownTimerStarted);
      EXPECT_EQ(harness.Current()->cards.count, 1) << "a used current card is replaced";
   }
}

TEST_F(Sum11Test, TurningTheStockCostsOnlyWithACurrentCard)
{
   // A current card: 200 points, the selection cleared, the old card into the highest gap.
   harness.WallLay({{1, "5H"}}, "3D", {4, 17});
   harness.Choose(harness.Wall(1)->CardTopGet());
   Card* old = harness.Current()->CardTopGet();
   Card* next = harness.Stock()->CardTopGet();
   harness.ScoreSet(1000);
   harness.StockChoose();
   EXPECT_EQ(harness.First()->minigameScore, 800);
   EXPECT_FALSE(harness.Wall(1)->CardTopGet()->selected);
   EXPECT_EQ(harness.Wall(17)->CardTopGet(), old);
   EXPECT_TRUE(old->faceUp);
   EXPECT_EQ(harness.Current()->CardTopGet(), next);

   // No current card: free, and the turned card becomes the current one.
   ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   harness.WallLay({});
   harness.Stock()->CardInsert(0, harness.Current()->CardTopGet());
   next = harness.Stock()->CardTopGet();
   harness.ScoreSet(1000);
   game.CardChoose(next);
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   EXPECT_EQ(harness.First()->minigameScore, 1000);
   EXPECT_EQ(harness.Current()->CardTopGet(), next);
}

TEST_F(Sum11Test, AClearedPyramidScoresAndEndsTheRoundWithoutTheBonusOrGate)
{
   std::vector<i32> empty;
   for (i32 position = 2; position <= SUM11_WALL_POSITIONS; ++position)
   {
      empty.push_back(position);
   }
   harness.WallLay({{1, "5H"}}, "6S", empty);
   // A total far below the gate after the second round still plays on.
   game.roundIndex = 1;
   harness.ScoreSet(0);
   harness.Choose(harness.Wall(1)->CardTopGet());
   harness.Choose(harness.Current()->CardTopGet());
   EXPECT_TRUE(game.roundOver);
   EXPECT_TRUE(game.subgameOver);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_EQ(game.countdownTimer, 0u);
   EXPECT_EQ(game.TimeBonusGet(), 0);
   EXPECT_EQ(harness.First()->minigameScore, 1500 + 100 + 10000);
   EXPECT_EQ(WallHarness::ResultsOpenCount(), 1);
   ASSERT_TRUE(harness.ResultsContinue());
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   EXPECT_EQ(game.roundIndex, 2);
}

TEST_F(Sum11Test, ElevenCompletableMatchesASubsetSum)
{
   std::mt19937 random(11);
   for (i32 trial = 0; trial < 4000; ++trial)
   {
      const i32 count = static_cast<i32>(random() % 21);
      std::vector<i32> ranks(static_cast<size_t>(count));
      for (i32& rank : ranks)
      {
         rank = random() % 5 == 0 ? -1 : 1 + static_cast<i32>(random() % 10);
      }
      const i32 sum = static_cast<i32>(random() % 13);
      // Sums reachable with a non-empty subset, by a table of reachable totals.
      std::vector<bool> reachable(12, false);
      for (const i32 rank : ranks)
      {
         if (rank < 0)
         {
            continue;
         }
         for (i32 total = 11; total > rank; --total)
         {
            reachable[total] = reachable[total] || reachable[total - rank];
         }
         if (rank <= 11)
         {
            reachable[rank] = true;
         }
      }
      const bool expected = sum < 11 && reachable[11 - sum];
      EXPECT_EQ(Sum11Solitaire::ElevenCompletableCheck(sum, ranks.data(), 0, count), expected)
          << "trial " << trial;
   }
}

TEST_F(Sum11Test, PlayableCardsCanCompleteAnEleven)
{
   const struct
   {
      const char* name;
      std::vector<std::pair<i32, std::string>> wall;
      const char* current;
      std::vector<i32> selected;
      i32 asked;
      bool playable;
   } cases[] = {
       {"with the current card", {{1, "5H"}}, "6D", {}, 1, true},
       {"with two other cards", {{1, "5H"}, {2, "2S"}, {10, "4C"}}, "4D", {}, 1, true},
       {"no partner", {{1, "5H"}}, "4D", {}, 1, false},
       {"exactly eleven with the selection", {{1, "5H"}, {2, "6S"}}, "4D", {2}, 1, true},
       {"over eleven with the selection", {{1, "5H"}, {2, "9S"}}, "4D", {2}, 1, false},
       {"covered", {{1, "5H"}, {3, "6S"}}, "5D", {}, 3, false},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      // Fours in every other free place: with a Five they make 9 or 13, never 11.
      harness.WallLay(c.wall, c.current);
      for (i32 position = 1; position <= SUM11_WALL_POSITIONS; ++position)
      {
         Card* card = harness.Wall(position)->CardTopGet();
         bool named = false;
         for (const auto& entry : c.wall)
         {
            named = named || entry.first == position;
         }
         if (!named && !game.CardCoveredCheck(card) && card->rank != 4)
         {
            // A free filler of another rank would change the answer: move it out of the way.
            harness.Discard()->CardInsert(0, card);
         }
      }
      for (const i32 at : c.selected)
      {
         harness.Wall(at)->CardTopGet()->SelectedSet(true);
      }
      EXPECT_EQ(game.CardPlayableCheck(harness.Wall(c.asked)->CardTopGet()), c.playable);
   }
}

TEST_F(Sum11Test, RoundEndAddsPiles1To3AndGates)
{
   const struct
   {
      i32 round;
      i32 score;
      i32 result;
   } cases[] = {
       {0, 0, MINIGAME_RESULT_RUNNING},       {1, 79999, MINIGAME_RESULT_DRAWN},
       {1, 80000, MINIGAME_RESULT_RUNNING},   {2, 119999, MINIGAME_RESULT_DRAWN},
       {2, 120000, MINIGAME_RESULT_WON},      {3, 120000, MINIGAME_RESULT_WON},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(testing::Message() << c.round << " " << c.score);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.WallLay({{1, "AH"}, {2, "9S"}, {3, "TD"}});
      game.roundIndex = c.round;
      game.countdownTimer = 0;
      // The piles' values: Ace 11, Nine, Ten.
      harness.ScoreSet(c.score - 30);
      game.ScoreTakeOnce();
      ASSERT_TRUE(harness.RunUntilSettled(20000));
      ASSERT_TRUE(harness.RunUntilSettled(20000));
      EXPECT_EQ(harness.First()->minigameScore, c.score);
      EXPECT_EQ(game.gameResult, c.result);
      EXPECT_EQ(game.subgameOver, c.result == MINIGAME_RESULT_RUNNING);
   }
}
} // namespace
} // namespace Corvale
