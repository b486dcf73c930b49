// The arcade solitaire base: the time-left text and bonus, the saturating score, the countdown
// that takes the score once, the pile value displays and the results popup between rounds.
#include <gtest/gtest.h>

#include <climits>

#include "cardgame/Player.h"
#include "cardgame/solitaire/ArcadeSolitaireGame.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/solitaire/TestArcadeGame.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;

using TestSupport::TEST_ARCADE_GAME_CONSTS;
using TestSupport::TestArcadeGame;

class ArcadeSolitaireGameTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      // The game's new game brings its own deck and starts the first round.
      harness.CardGameEnter(&game, TEST_ARCADE_GAME_CONSTS, 0);
      harness.decks = 1;
   }
   void TearDown() override { game.ResultsHide(); }

   TestArcadeGame game;
   CardGameHarness harness;
};

TEST(ArcadeSolitaireFormatTest, TheTimeLeftIsRoundedUpToATenth)
{
   const struct
   {
      double seconds;
      const char* text;
   } cases[] = {{3.2, "3.2"}, {3.21, "3.3"}, {3.201, "3.3"}, {0.0, "0.0"}, {0.001, "0.1"}, {90.0, "90.0"}};
   for (const auto& c : cases)
   {
      char buffer[16];
      ASSERT_TRUE(ArcadeSolitaireGame::TimeLeftFormat(c.seconds, buffer, sizeof(buffer), nullptr))
          << c.seconds;
      EXPECT_STREQ(buffer, c.text) << c.seconds;
   }
}

TEST_F(ArcadeSolitaireGameTest, TheBonusCountsEachStartedSecondAndTheScoreSaturates)
{
   const struct
   {
      u32 left;
      i32 bonus;
   } bonuses[] = {{3200, 400}, {3000, 300}, {1, 100}, {0, 0}};
   for (const auto& b : bonuses)
   {
      game.countdownTimer = b.left;
      EXPECT_EQ(game.TimeBonusGet(), b.bonus) << b.left;
   }
   Player* player = game.players[0];
   player->minigameScore = INT_MAX - 5;
   game.ScoreAdd(100);
   EXPECT_EQ(player->minigameScore, INT_MAX);
   player->minigameScore = INT_MIN + 5;
   game.ScoreAdd(-100);
   EXPECT_EQ(player->minigameScore, INT_MIN);
   game.ScoreAdd(7);
   EXPECT_EQ(player->minigameScore, INT_MIN + 7);
}

TEST_F(ArcadeSolitaireGameTest, TheCountdownRunsOnlyOnceStartedAndTakesTheScoreOnce)
{
   game.gameTimer = 0;
   for (i32 i = 0; i < 10; ++i)
   {
      harness.Frame();
   }
   EXPECT_EQ(game.countdownTimer, 5000u);
   game.countdownTimerStarted = true;
   harness.frameMilliseconds = 1000;
   for (i32 i = 0; i < 8; ++i)
   {
      harness.Frame();
   }
   EXPECT_EQ(game.countdownTimer, 0u);
   EXPECT_EQ(game.scoreTakes, 1);
   EXPECT_EQ(game.players[0]->minigameScore, 10);
}

TEST_F(ArcadeSolitaireGameTest, ResultsOpenOnceAndLeadToTheNextRoundThenANewGame)
{
   ArcadeSolitaireResultsPopup& results = ArcadeSolitaireResultsPopup::instance;
   EXPECT_EQ(game.roundIndex, 0);
   for (i32 round = 0; round < 3; ++round)
   {
      game.countdownTimer = 3200;
      game.ScoreTake();
      // A second showing changes nothing.
      game.ResultsShow();
      i32 open = 0;
      for (i32 i = 0; i < PopupManager::popups.count; ++i)
      {
         open += PopupManager::popups[i] == &results;
      }
      EXPECT_EQ(open, 1) << round;
      ASSERT_EQ(results.game, &game);
      ASSERT_NE(results.onOK, nullptr);
      results.onOK(&results, nullptr, results.onOKUserData);
      EXPECT_LT(PopupManager::IndexGet(&results), 0) << round;
      EXPECT_EQ(results.game, nullptr);
      if (round < 2)
      {
         EXPECT_EQ(game.roundIndex, round + 1);
         EXPECT_EQ(game.countdownTimer, 5000u);
         EXPECT_FALSE(game.countdownTimerStarted);
         EXPECT_EQ(game.players[0]->minigameScore, (round + 1) * 410);
      }
   }
   // After the loss OK starts a new game at its first round.
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_EQ(game.roundIndex, 0);
   EXPECT_EQ(game.players[0]->minigameScore, 0);
}

TEST_F(ArcadeSolitaireGameTest, PileValueEntriesFollowTheLayersWidgetsAndTheRoundShowsFromOne)
{
   // The layer only lends its children; the test owns them.
   NumberLabelWidget pileValueWidget;
   NumberLabelWidget roundWidget;
   NumberLabelWidget* pileValue = &pileValueWidget;
   NumberLabelWidget* round = &roundWidget;
   LayerWidget layer;
   layer.InitWithoutSpecification("ArcadeSolitaireGame", nullptr);
   pileValue->InitWithoutSpecification("PileValue1", &layer);
   layer.ChildAddLast(pileValue);
   round->InitWithoutSpecification("RoundNumber", &layer);
   layer.ChildAddLast(round);

   game.roundIndex = -1;
   game.GUIInit(&layer);
   ASSERT_EQ(game.pileValueLabels.count, ARCADE_PILE_VALUE_LABELS_COUNT);
   EXPECT_EQ(game.pileValueLabels[0], nullptr);
   EXPECT_EQ(game.pileValueLabels[1], pileValue);
   EXPECT_TRUE(pileValue->VisibleCheck());
   EXPECT_FLOAT_EQ(pileValue->PositionGet().x, 10.0f);
   EXPECT_EQ(game.roundNumber, round);
   EXPECT_TRUE(round->VisibleCheck());
   EXPECT_STREQ(round->TextGet(), "0");
   game.SubgameNew();
   EXPECT_STREQ(round->TextGet(), "1");
   game.Deinit();
   EXPECT_EQ(game.roundNumber, nullptr);
   EXPECT_EQ(game.pileValueLabels.count, 0);
   layer.Deinit();
   pileValue->Deinit();
   round->Deinit();
   // The harness leaves the game again; it must find a whole game.
   game.Init();
}
} // namespace
} // namespace Corvale
