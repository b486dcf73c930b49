// Statistics at a game's and a hand's end: wins, losses and draws by the number of players, the
// best win time and best score, the guards against recording twice and against overflow, and the
// money of a hand.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/profile/StatisticsStore.h"
#include "cardgame/Player.h"
#include "tests/cardgame/GameHarness.h"
#include "tests/cardgame/TestGame.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
class ScoringGame : public TestGame
{
 public:
   bool BestScoreRecordCheck() override { return bestScoreRecorded; }
   bool BestScoreLowerCheck() override { return lowerIsBetter; }
   bool bestScoreRecorded = false;
   bool lowerIsBetter = false;
};

class MinigameStatisticsTest : public ::testing::Test
{
 protected:
   void TearDown() override { harness.Leave(); }

   void EnterWith(i32 playerCount)
   {
      game.playerCount = playerCount;
      harness.FileWrite("Scripts/Minigames/TestGame.json", "{}");
      harness.Enter(&game);
      harness.Frame();
      game.GameNew();
      ASSERT_EQ(game.players.count, playerCount);
      ASSERT_TRUE(game.players[0]->human && game.players[0]->local);
   }

   // One game ending with the given winners (a bit per player) after the given time.
   void GameEnd(u32 winners, u32 milliseconds = 60000, i32 score = 0)
   {
      game.statisticsRecorded = false;
      for (i32 i = 0; i < game.players.count; i++)
      {
         game.players[i]->minigameWinner = (winners >> i) & 1;
      }
      game.players[0]->minigameScore = score;
      game.gameTimeFrozen = milliseconds;
      game.StatisticsUpdate();
   }

   i32 Game(const char* key) { return StatisticGameGet(key, "TestGame", "Player"); }
   i32 General(const char* key) { return StatisticGeneralGet(key, "Player"); }

   GameHarness harness;
   ScoringGame game;
};

TEST_F(MinigameStatisticsTest, WinsLossesAndDrawsByTheNumberOfPlayers)
{
   struct Case
   {
      const char* what;
      i32 players;
      u32 winners;
      i32 won, lost;
   };
   const Case cases[] = {
       {"one player who did not win lost", 1, 0, 0, 1},      {"one player who won", 1, 1, 1, 0},
       {"a draw of several players is no loss", 3, 0, 0, 0}, {"another player won", 3, 4, 0, 1},
       {"the human won with a partner", 4, 5, 1, 0},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      EnterWith(c.players);
      const i32 wonBefore = Game("GamesWon"), lostBefore = Game("GamesLost"),
                playedBefore = Game("GamesPlayed");
      const i32 generalPlayedBefore = General("GamesPlayed");
      GameEnd(c.winners);
      EXPECT_EQ(Game("GamesWon") - wonBefore, c.won);
      EXPECT_EQ(Game("GamesLost") - lostBefore, c.lost);
      EXPECT_EQ(Game("GamesPlayed") - playedBefore, 1);
      EXPECT_EQ(General("GamesPlayed") - generalPlayedBefore, 1);
      // A second end of the same game (a win, then a draw notification) records nothing.
      game.players[0]->minigameWinner = !game.players[0]->minigameWinner;
      game.StatisticsUpdate();
      EXPECT_EQ(Game("GamesPlayed") - playedBefore, 1);
      EXPECT_EQ(Game("GamesWon") + Game("GamesLost") - wonBefore - lostBefore, c.won + c.lost);
   }
}

TEST_F(MinigameStatisticsTest, BestWinTimeKeepsTheShortestEvenAtZeroSeconds)
{
   EnterWith(1);
   GameEnd(0, 1000);
   EXPECT_FALSE(StatisticGameCheck("BestWinTimeSecondsDefined", "TestGame", "Player"))
       << "a loss sets no time";
   GameEnd(1, 999);
   EXPECT_TRUE(StatisticGameCheck("BestWinTimeSecondsDefined", "TestGame", "Player"));
   EXPECT_EQ(Game("BestWinTimeSeconds"), 0) << "999 ms are 0 whole seconds";
   GameEnd(1, 45000);
   EXPECT_EQ(Game("BestWinTimeSeconds"), 0);
}

TEST_F(MinigameStatisticsTest, BestScoreFollowsTheGamesDirection)
{
   struct Case
   {
      bool lower;
      i32 scores[3];
      i32 best;
   };
   for (const Case& c :
        {Case{false, {50, 80, 30}, 80}, Case{true, {50, 80, 30}, 30}, Case{true, {0, 10, 5}, 0}})
   {
      EnterWith(1);
      game.bestScoreRecorded = true;
      game.lowerIsBetter = c.lower;
      StatisticGameSet(0, "BestScore", "TestGame", "Player");
      ProfileStatisticsGameGet("TestGame", "Player", true)->ItemBoolSet("BestScoreDefined", false);
      for (i32 score : c.scores)
      {
         GameEnd(0, 1000, score);
      }
      EXPECT_EQ(Game("BestScore"), c.best) << (c.lower ? "lower" : "higher") << " is better";
      EXPECT_TRUE(StatisticGameCheck("BestScoreDefined", "TestGame", "Player"));
   }
}

TEST_F(MinigameStatisticsTest, CountsStopAtTheLargestValue)
{
   EnterWith(1);
   StatisticGameSet(INT_MAX, "GamesPlayed", "TestGame", "Player");
   StatisticGeneralAdd(INT_MAX - General("GamesWon"), "GamesWon", "Player");
   GameEnd(1);
   EXPECT_EQ(Game("GamesPlayed"), INT_MAX);
   EXPECT_EQ(General("GamesWon"), INT_MAX);
   EXPECT_EQ(Game("GamesWon"), 1);
}

TEST_F(MinigameStatisticsTest, MoneyOfAHandIsRecordedOnce)
{
   EnterWith(2);
   Player* human = game.players[0];
   human->minigameScoreSubgameBegin = 100;
   human->minigameScore = 150;
   game.players[1]->minigameScore = 999;
   game.moneyRecorded = false;
   game.MoneyStatisticsUpdate();
   game.MoneyStatisticsUpdate();
   EXPECT_EQ(Game("MoneyWon"), 50);
   EXPECT_EQ(General("MoneyWon"), 50);
   EXPECT_EQ(Game("MoneyLost"), 0);

   human->minigameScoreSubgameBegin = 150;
   human->minigameScore = 120;
   game.moneyRecorded = false;
   game.MoneyStatisticsUpdate();
   EXPECT_EQ(Game("MoneyLost"), -30);
   EXPECT_EQ(Game("MoneyWon"), 50);

   // An unchanged hand records nothing.
   human->minigameScoreSubgameBegin = 120;
   game.moneyRecorded = false;
   game.MoneyStatisticsUpdate();
   EXPECT_EQ(Game("MoneyLost"), -30);
   EXPECT_EQ(Game("MoneyWon"), 50);
}
} // namespace
