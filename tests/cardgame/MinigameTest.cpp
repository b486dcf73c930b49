// The game base headless: its queue timing and order, the update's order, the end of a game,
// constants with templates, players, options and the game's own random numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "app/profile/StatisticsStore.h"
#include "app/profile/Unlockables.h"
#include "cardgame/Player.h"
#include "cardgame/Team.h"
#include "gui/dialog/DialogManager.h"
#include "tests/cardgame/GameHarness.h"
#include "tests/cardgame/TestGame.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
class MinigameTest : public ::testing::Test
{
 protected:
   void SetUp() override { game.frameNow = &harness.frames; }
   // The game goes before the harness: leave it while it is still there.
   void TearDown() override { harness.Leave(); }
   void EnterWith(const std::string& gameConsts)
   {
      harness.FileWrite("Scripts/Minigames/TestGame.json", gameConsts);
      harness.Enter(&game);
   }
   // Marks seen so far, in order, with the frame each ran in.
   std::vector<std::string> Marks()
   {
      std::vector<std::string> marks;
      for (const std::string& entry : game.journal)
      {
         if (entry.rfind("mark", 0) == 0)
         {
            marks.push_back(entry);
         }
      }
      return marks;
   }

   GameHarness harness;
   TestGame game;
};

TEST_F(MinigameTest, ActionRunsWhenItsScaledDelayHasPassed)
{
   struct Case
   {
      u32 startDelay;
      bool applySpeed;
      i32 speed;
      i32 frame;
   };
   // 16 ms frames: a delay runs in the first frame whose end reaches delay × (100 − speed) / 50.
   const Case cases[] = {
       {0, true, 50, 1},    {100, true, 50, 7},   {100, true, 0, 13},   {100, true, 100, 1},
       {100, false, 100, 7}, {100, false, 0, 7},  {1000, true, 100, 1}, {32, true, 50, 2},
   };
   EnterWith("{}");
   for (const Case& c : cases)
   {
      game.journal.clear();
      gameSpeed = c.speed;
      harness.frames = 0;
      game.MarkPost(1, c.startDelay, c.applySpeed);
      ASSERT_TRUE(harness.RunUntilIdle(100));
      EXPECT_EQ(Marks(), std::vector<std::string>{"mark1@" + std::to_string(c.frame - 1)})
          << c.startDelay << " ms, speed " << c.speed << (c.applySpeed ? "" : ", unscaled");
   }
}

TEST_F(MinigameTest, QueueRunsInOrderOneActionPerFrame)
{
   EnterWith("{}");
   // The second mark posts a fourth while it runs: that one goes after the third.
   game.onMark = [](TestGame* self, i32 number) {
      if (number == 2)
      {
         self->MarkPost(4);
      }
   };
   game.MarkPost(1);
   game.MarkPost(2);
   game.MarkPost(3);
   ASSERT_TRUE(harness.RunUntilIdle(100));
   EXPECT_EQ(Marks(), (std::vector<std::string>{"mark1@0", "mark2@1", "mark3@2", "mark4@3"}));
}

TEST_F(MinigameTest, RefusedCommandHoldsTheQueueBehindIt)
{
   EnterWith("{}");
   game.refuseCommands = true;
   game.CommandCodePost(COMMAND_PASS, 0);
   game.MarkPost(1);
   for (i32 i = 0; i < 10; ++i)
   {
      harness.Frame();
   }
   EXPECT_TRUE(Marks().empty());
   EXPECT_FALSE(game.actionFirstAttempt);
   game.refuseCommands = false;
   ASSERT_TRUE(harness.RunUntilIdle(10));
   EXPECT_EQ(game.journal.front(), "command14");
   EXPECT_EQ(Marks().size(), 1u);
}

TEST_F(MinigameTest, NewGameFromInsideAnActionKeepsTheNewQueueWhole)
{
   EnterWith("{}");
   game.onMark = [](TestGame* self, i32 number) {
      if (number == 1)
      {
         self->GameNew();
         self->MarkPost(10);
         self->MarkPost(11);
      }
   };
   game.MarkPost(1);
   game.MarkPost(2);
   ASSERT_TRUE(harness.RunUntilIdle(100));
   // The old second mark went with the old queue; both new ones ran.
   EXPECT_EQ(Marks(), (std::vector<std::string>{"mark1@0", "mark10@1", "mark11@2"}));
}

TEST_F(MinigameTest, GameEndWaitsForUnlockMessagesThenShowsResultsOnce)
{
   EnterWith(R"({"DelayGameOver": 100})");
   game.GameNew();
   game.players[0]->minigameWinner = true;
   unlockMessages.Insert(UnlockMessage{nullptr, nullptr}, 0);
   game.ActionGameWinPost();
   for (i32 i = 0; i < 40; ++i)
   {
      harness.Frame();
   }
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   EXPECT_EQ(std::count(game.journal.begin(), game.journal.end(), "results"), 0);
   unlockMessages.count = 0;
   ASSERT_TRUE(harness.RunUntilIdle(10));
   EXPECT_EQ(std::count(game.journal.begin(), game.journal.end(), "results"), 1);
   EXPECT_EQ(StatisticGameGet("GamesWon", "TestGame", "Player"), 1);
   EXPECT_EQ(StatisticGeneralGet("GamesPlayed", "Player"), 1);
   // A second end records nothing more.
   game.GameDraw();
   EXPECT_EQ(StatisticGeneralGet("GamesPlayed", "Player"), 1);
   unlockMessages = Table<UnlockMessage>();
}

TEST_F(MinigameTest, UpdateRefreshesAndAsksTheComputerOnlyWhenIdle)
{
   EnterWith("{}");
   game.playerCount = 2;
   game.GameNew();
   game.playerActiveID = 1;
   game.onAITurn = [](TestGame* self) {
      self->MarkPost(7);
      self->playerActiveID = 0;
   };
   game.journal.clear();
   game.refreshPending = true;
   game.MarkPost(1, 32);
   harness.Frame();
   // Busy: neither the refresh nor the computer.
   EXPECT_EQ(game.journal, std::vector<std::string>{});
   ASSERT_TRUE(harness.RunUntilIdle(10));
   harness.Frame();
   // In the frame the queue empties: the refresh, then the computer's turn, which posted.
   ASSERT_GE(game.journal.size(), 3u);
   EXPECT_EQ(game.journal[0], "mark1@1");
   EXPECT_EQ(game.journal[1], "refresh");
   EXPECT_EQ(game.journal[2], "ai");
}

TEST_F(MinigameTest, EscapeAsksToQuitAndFreezesThatFrame)
{
   EnterWith("{}");
   game.MarkPost(1);
   harness.KeyPress(27);
   harness.Frame();
   EXPECT_TRUE(Marks().empty());
   MessageBoxPopup* box = harness.MessageBoxGet();
   ASSERT_NE(box, nullptr);
   EXPECT_STREQ(box->text, "ConfirmQuit");
   harness.KeyRelease(27);
   harness.Frame();
   EXPECT_EQ(Marks().size(), 1u);
   harness.MessageBoxYes(box);
   EXPECT_TRUE(GameStateManager::switchPending);
}

TEST_F(MinigameTest, ConstantsInheritTemplatesAndStopOnACycle)
{
   harness.GlobalConstsSet(R"({"MinigameConstsTemplates": {
      "Base": {"DelayAIAction": 1, "DelayDialog": 2, "DelayGameOver": 3},
      "Middle": {"Inherited": "Base", "DelayDialog": 20, "DelayGameOver": 30},
      "LoopA": {"Inherited": "LoopB", "DelayAIAction": 5},
      "LoopB": {"Inherited": "LoopA", "DelayDialog": 6},
      "NotObject": 4}})");
   EnterWith(R"({"Inherited": "Middle", "DelayGameOver": 300})");
   EXPECT_EQ(game.delayAIAction, 1);
   EXPECT_EQ(game.delayDialog, 20);
   EXPECT_EQ(game.delayGameOver, 300);

   LogCapture log;
   EnterWith(R"({"Inherited": "LoopA", "DelayGameOver": 7})");
   EXPECT_EQ(game.delayAIAction, 5);
   EXPECT_EQ(game.delayDialog, 6);
   EXPECT_EQ(game.delayGameOver, 7);
   EXPECT_TRUE(log.Contains("Minigame::ConstsInheritanceHelper -- card pile template chain returns to: LoopA"))
       << log.text;

   EnterWith(R"({"Inherited": "Missing", "DelayGameOver": 8})");
   EXPECT_EQ(game.delayGameOver, 8);
   EXPECT_TRUE(log.Contains("Minigame::ConstsInheritanceHelper -- Unable to find card pile template: Missing"));
   EnterWith(R"({"Inherited": "NotObject"})");
   EXPECT_TRUE(log.Contains("Minigame::ConstsInheritanceHelper -- Card pile templates must be JSON objects: NotObject"));
}

TEST_F(MinigameTest, ComputerPlayersTakeDistinctCharacterNames)
{
   harness.GlobalConstsSet(R"({"Characters": {"Ann": {}, "Bob": {}, "Cid": {}, "Dee": {}}})");
   EnterWith("{}");
   game.playerCount = 4;
   for (u32 seed = 0; seed < 20; ++seed)
   {
      randomState0 = seed;
      game.GameNew();
      ASSERT_EQ(game.players.count, 4);
      EXPECT_STREQ(game.players[0]->name, "Player");
      EXPECT_TRUE(game.players[0]->human);
      std::set<std::string> names;
      for (i32 i = 1; i < 4; ++i)
      {
         EXPECT_FALSE(game.players[i]->human);
         names.insert(game.players[i]->name);
      }
      EXPECT_EQ(names.size(), 3u);
   }
   // Fewer characters than seats: names repeat instead of drawing for ever.
   harness.GlobalConstsSet(R"({"Characters": {"Ann": {}}})");
   game.GameNew();
   EXPECT_STREQ(game.players[3]->name, "Ann");
   harness.GlobalConstsSet("{}");
   game.GameNew();
   EXPECT_EQ(game.players[2]->name, nullptr);
}

TEST_F(MinigameTest, ScoresStopAtTheLimits)
{
   Player player;
   player.minigameScore = 2147483000;
   player.MinigameScoreAdd(1000);
   EXPECT_EQ(player.minigameScore, 2147483647);
   player.minigameScore = -2147483000;
   player.MinigameScoreAdd(-1000);
   EXPECT_EQ(player.minigameScore, -2147483647 - 1);
   Team team;
   team.MinigameScoreAdd(5);
   EXPECT_EQ(team.minigameScore, 5);
}

TEST_F(MinigameTest, OptionsComeFromTheProfileOrTheDeclaredDefault)
{
   EnterWith(R"({"Settings": [
      {"Name": "Flag", "Default": true}, {"Name": "Flag", "Default": false},
      {"Name": "Number", "Default": 2}, {"Name": "Zero", "Default": 0},
      {"Name": "Text", "Default": "Ascending"}, {"Name": "Odd", "Default": "yes"}]})");
   JSONValue* chosen = ProfileMinigameSettingsGet("TestGame");
   chosen->ItemNumberSet("Flag", 0);
   chosen->ItemStringSet("Zero", "x");
   chosen->ItemStringSet("Text", "Descending");
   chosen->ItemNumberSet("Odd", 1);
   EXPECT_TRUE(game.SettingBoolGet("Flag")) << "a number for a bool option is ignored; the first default wins";
   EXPECT_TRUE(game.SettingBoolGet("Number"));
   EXPECT_FALSE(game.SettingBoolGet("Zero"));
   EXPECT_FALSE(game.SettingBoolGet("Odd")) << "a string default is no bool";
   EXPECT_FALSE(game.SettingBoolGet("Missing"));
   EXPECT_STREQ(game.SettingStringGet("Text"), "Descending");
   EXPECT_STREQ(game.SettingStringGet("Odd"), "yes");
   EXPECT_EQ(game.SettingStringGet("Number"), nullptr);
   EXPECT_EQ(game.SettingStringGet(nullptr), nullptr);
   chosen->ItemBoolSet("Flag", false);
   EXPECT_FALSE(game.SettingBoolGet("Flag"));
}

TEST_F(MinigameTest, GameDrawsUseItsOwnWords)
{
   EnterWith("{}");
   randomState0 = 11;
   randomState1 = 22;
   game.seed1 = 0;
   game.seed2 = 0;
   EXPECT_EQ(game.RandomIntGet(52), 17u);
   EXPECT_EQ(game.RandomIntGet(52), 10u);
   EXPECT_EQ(game.RandomIntGet(52), 3u);
   EXPECT_EQ(randomState0, 11u);
   EXPECT_EQ(randomState1, 22u);
   game.seed1 = 0x12345678;
   game.seed2 = 0x9ABCDEF0;
   EXPECT_FLOAT_EQ(game.RandomFloatGet(), 51343.0f / 65535.0f);
   EXPECT_FLOAT_EQ(game.RandomFloatGet(), 2975.0f / 65535.0f);
   EXPECT_EQ(game.RandomIntGet(1), 0u);
}

TEST_F(MinigameTest, GuestShowsTheGuestText)
{
   Player player;
   player.human = true;
   player.NameSet("Sam");
   EXPECT_STREQ(player.DisplayNameGet(), "Sam");
   player.Deinit();
}
} // namespace

namespace
{
TEST_F(MinigameTest, SpeechLinePlacesTheBalloonAndWaitsForTheDialogManager)
{
   EnterWith(R"({"PlayerDialogPositions": ["10|20", "300|40"]})");
   game.playerCount = 2;
   game.GameNew();
   dialogManager.position = Point2F{-1.0f, -1.0f};
   game.ActionCharacterDialogPost(game.players[1], "Hello", 0);
   game.ActionCharacterDialogPost(nullptr, "Nobody", 0);
   EXPECT_EQ(game.actionQueue.count, 1) << "no line without a speaker";
   EXPECT_STREQ(game.actionQueue[0].string0, "Hello");
   ASSERT_TRUE(harness.RunUntilIdle(10));
   EXPECT_EQ(dialogManager.position.x, 300.0f);
   EXPECT_EQ(dialogManager.position.y, 40.0f);
}

TEST_F(MinigameTest, NewGameAsksWhileAGameRunsAndStartsAtOnceAfterIt)
{
   EnterWith("{}");
   game.GameNew();
   game.MarkPost(1, 1000);
   Minigame::OnNewGameClick(nullptr, &game);
   MessageBoxPopup* box = harness.MessageBoxGet();
   ASSERT_NE(box, nullptr);
   EXPECT_STREQ(box->text, "ConfirmGameNew");
   EXPECT_EQ(game.actionQueue.count, 1);
   harness.MessageBoxYes(box);
   EXPECT_EQ(game.actionQueue.count, 0) << "Yes started the new game";
   game.gameResult = MINIGAME_RESULT_LOST;
   Minigame::OnNewGameClick(nullptr, &game);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_EQ(harness.MessageBoxGet(), nullptr);
}
} // namespace
