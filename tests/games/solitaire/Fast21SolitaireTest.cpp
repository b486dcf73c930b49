// Fast 21: the points for a card, a twenty-one and a five-card hand, the charge for a card refused
// on a hand, the waste of three, the end of the deck and of the round, the time bonus and the gates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cardgame/CardQueries.h"
#include "tests/games/solitaire/TwentyOneHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::TwentyOneHarness;

class Fast21Test : public ::testing::Test
{
 protected:
   void SetUp() override { ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game)); }

   // The game outlives the harness, which leaves it.
   Fast21Solitaire game;
   TwentyOneHarness harness;
};

TEST_F(Fast21Test, CardsScoreAndFullHandsClearWhileRefusalsOnAHandCost)
{
   const struct
   {
      const char* name;
      std::vector<std::string> hand;
      std::vector<std::string> waste;
      const char* turned;
      bool toWaste;
      bool accepted;
      i32 points;
      i32 handLeft;
      i32 charlies;
      i32 twentyOnes;
   } cases[] = {
       {"a card", {"5H*", "6S*"}, {}, "7D", false, true, 100, 3, 0, 0},
       {"two aces are 12", {"AH*"}, {}, "AS", false, true, 100, 2, 0, 0},
       {"twenty-one", {"KH*"}, {}, "AS", false, true, 1000, 0, 0, 1},
       {"five cards", {"2H*", "3S*", "4D*", "5C*"}, {}, "6H", false, true, 750, 0, 1, 0},
       {"five cards of 21", {"2H*", "3S*", "4D*", "5C*"}, {}, "7H", false, true, 1000, 0, 0, 1},
       {"over 21 on a hand", {"KH*", "QS*"}, {}, "5D", false, false, -100, 2, 0, 0},
       {"the waste", {}, {"2C*", "3C*"}, "4D", true, true, 0, 0, 0, 0},
       {"a full waste", {}, {"2C*", "3C*", "4C*"}, "5D", true, false, 0, 0, 0, 0},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.TableClear();
      harness.CardsPlace(harness.Hand(1), c.hand);
      harness.CardsPlace(harness.Waste(), c.waste);
      harness.TurnedSet(c.turned);
      harness.ScoreSet(5000);
      const i32 cleared = harness.Cleared()->cards.count;
      EXPECT_EQ(harness.TurnedDrop(c.toWaste ? harness.Waste() : harness.Hand(1)), c.accepted);
      EXPECT_EQ(harness.First()->minigameScore, 5000 + c.points);
      EXPECT_EQ(harness.Hand(1)->cards.count, c.handLeft);
      EXPECT_EQ(harness.Cleared()->cards.count,
                cleared + (c.handLeft == 0 && !c.toWaste ? static_cast<i32>(c.hand.size()) + 1 : 0));
      EXPECT_EQ(game.charlieCount, c.charlies);
      EXPECT_EQ(game.twentyOneCount, c.twentyOnes);
      EXPECT_EQ(game.countdownTimerStarted, c.accepted) << "only a placement starts the clock";
      EXPECT_FALSE(game.roundOver);
   }
}

TEST_F(Fast21Test, TheRoundAddsTheHandsAndTenPointsAStartedSecond)
{
   const struct
   {
      u32 left;
      i32 bonus;
   } bonuses[] = {{1200, 20}, {1000, 10}, {1, 10}, {0, 0}, {90000, 900}};
   for (const auto& b : bonuses)
   {
      game.countdownTimer = b.left;
      EXPECT_EQ(game.TimeBonusGet(), b.bonus) << b.left;
   }

   // The deck used up: with an empty waste 10000 more, then the hands still out and the time left.
   for (const bool wasteEmpty : {true, false})
   {
      SCOPED_TRACE(wasteEmpty ? "empty waste" : "a card on the waste");
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.TableClear();
      harness.CardsPlace(harness.Hand(0), {"TH*"});
      harness.CardsPlace(harness.Hand(1), {"5S*", "AS*"});
      if (!wasteEmpty)
      {
         harness.CardsPlace(harness.Waste(), {"9D*"});
      }
      harness.TurnedSet("2C");
      // Everything else is already cleared.
      while (harness.Stock()->cards.count > 0)
      {
         harness.Cleared()->CardInsert(harness.Cleared()->cards.count, harness.Stock()->CardTopGet());
      }
      harness.ScoreSet(0);
      ASSERT_TRUE(harness.TurnedDrop(harness.Hand(2)));
      EXPECT_TRUE(game.roundOver);
      EXPECT_FALSE(game.countdownTimerStarted);
      const i32 bonus = static_cast<i32>((game.countdownTimer + 999) / 1000) * 10;
      EXPECT_EQ(harness.First()->minigameScore, 100 + (wasteEmpty ? 10000 : 0) + 10 + 16 + 2 + bonus);
      EXPECT_TRUE(game.subgameOver);
      EXPECT_EQ(TwentyOneHarness::ResultsOpenCount(), 1);
   }
}

TEST_F(Fast21Test, ADoublePressTakesTheScoreOnce)
{
   harness.TableClear();
   harness.CardsPlace(harness.Hand(3), {"9H*"});
   harness.TurnedSet("8S");
   harness.ScoreSet(0);
   ASSERT_TRUE(harness.TurnedDrop(harness.Hand(0)));
   ASSERT_TRUE(game.countdownTimerStarted);
   game.ScoreTakeOnce();
   const u32 left = game.countdownTimer;
   harness.Frame();
   game.ScoreTakeOnce();
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   EXPECT_EQ(game.countdownTimer, left);
   EXPECT_EQ(harness.First()->minigameScore, 100 + 8 + 9 + static_cast<i32>((left + 999) / 1000) * 10);
   EXPECT_EQ(TwentyOneHarness::ResultsOpenCount(), 1);
   ASSERT_TRUE(harness.ResultsContinue());
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   ASSERT_TRUE(harness.RunUntilIdle(2000));
   EXPECT_EQ(game.roundIndex, 1);
   EXPECT_FALSE(game.subgameOver);
   EXPECT_EQ(game.charlieCount + game.twentyOneCount, 0);
   EXPECT_EQ(harness.Flip()->cards.count, 1);
}

TEST(Fast21GatesTest, TheThirdRoundNeeds30000AndTheFourth40000)
{
   const struct
   {
      i32 round;
      i32 score;
      ArcadeSolitaireGame::RoundOutcome outcome;
   } cases[] = {
       {0, 0, ArcadeSolitaireGame::ROUND_OUTCOME_NEXT},
       {1, 29999, ArcadeSolitaireGame::ROUND_OUTCOME_NEXT},
       {2, 29999, ArcadeSolitaireGame::ROUND_OUTCOME_DRAW},
       {2, 30000, ArcadeSolitaireGame::ROUND_OUTCOME_NEXT},
       {3, 39999, ArcadeSolitaireGame::ROUND_OUTCOME_DRAW},
       {3, 40000, ArcadeSolitaireGame::ROUND_OUTCOME_WIN},
   };
   for (const auto& c : cases)
   {
      EXPECT_EQ(ArcadeSolitaireGame::RoundOutcomeGet(c.round, c.score, FAST21_ROUND_COUNT, FAST21_GATE_SCORE,
                                                     FAST21_WIN_SCORE),
                c.outcome)
          << c.round << " " << c.score;
   }
}
} // namespace
} // namespace Corvale
