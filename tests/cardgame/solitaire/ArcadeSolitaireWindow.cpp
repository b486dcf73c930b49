// The arcade solitaire on screen with the shipped layers, texts and art: the score, round and
// time-left displays under the table, and the results popup of a round with its numbers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cardgame/CardWidget.h"
#include "cardgame/Player.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "platform/window/Screen.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/CardTableWindow.h"
#include "tests/cardgame/solitaire/TestArcadeGame.h"
#include "tests/cardgame/tricktaking/TrickTableSupport.h"
#include "tests/platform/SpriteTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
class ArcadeSolitaireWindowTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      const std::string data = BuildDataFolderGet();
      ASSERT_TRUE(std::filesystem::exists(data + "/Graphics/GUI/MessageBox/Panel.png")) << data;
      TrickTableTreeMake(harness,
                         {"ArcadeSolitaireGame", "ArcadeSolitaireResults", "MessageBox", "Solitaire"});
      ASSERT_TRUE(window.Open()) << "needs a display";
      CardWidgetTypesRegister();
      game.layerName = "ArcadeSolitaireGame";
      // The game's new game brings its own deck and starts the first round.
      harness.CardGameEnter(&game, TEST_ARCADE_GAME_CONSTS, 0);
      harness.decks = 1;
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      window.Close(harness);
   }

   void FrameRun() { CardTableWindow::FrameRun(harness); }

   void TransitionsFinish()
   {
      for (i32 frame = 0; frame < 600 && GUIManager::transitionsRunning > 0; ++frame)
      {
         FrameRun();
      }
   }

   void Shot(const char* name) { TableShot(name); }

   template <class W> W* WidgetAt(const char* path)
   {
      return dynamic_cast<W*>(GUIManager::WidgetGetByPath(path));
   }

   CardGameHarness harness;
   TestArcadeGame game;
   CardTableWindow window;
};

TEST_F(ArcadeSolitaireWindowTest, TheDisplaysCountDownAndTheResultsShowTheRound)
{
   ASSERT_NE(game.timeLeftNumber, nullptr);
   ASSERT_NE(game.scoreNumber, nullptr);
   EXPECT_TRUE(game.timeLeftNumber->VisibleCheck());
   EXPECT_FALSE(WidgetAt<Widget>("ArcadeSolitaireGame.MiscNumber")->VisibleCheck());
   game.countdownTimerStarted = true;
   harness.frameMilliseconds = 100;
   for (i32 i = 0; i < 18; ++i)
   {
      FrameRun();
   }
   EXPECT_STREQ(game.timeLeftNumber->TextGet(), "3.2");
   EXPECT_STREQ(game.roundNumber->TextGet(), "1");

   game.ScoreTake();
   TransitionsFinish();
   LabelWidget* title = WidgetAt<LabelWidget>("ArcadeSolitaireResults.Panel.Title");
   NumberLabelWidget* bonus = WidgetAt<NumberLabelWidget>("ArcadeSolitaireResults.Panel.TimeBonus");
   NumberLabelWidget* round = WidgetAt<NumberLabelWidget>("ArcadeSolitaireResults.Panel.ScoreThisRound");
   NumberLabelWidget* total = WidgetAt<NumberLabelWidget>("ArcadeSolitaireResults.Panel.TotalScore");
   ASSERT_TRUE(title && bonus && round && total);
   EXPECT_STREQ(title->TextGet(), textManager.TextGet("RoundOver"));
   EXPECT_STREQ(bonus->TextGet(), "400");
   EXPECT_STREQ(round->TextGet(), "410");
   EXPECT_STREQ(total->TextGet(), "410");
   EXPECT_STREQ(game.scoreNumber->TextGet(), "410");
   Shot("ArcadeSolitaireResults");

   ArcadeSolitaireResultsPopup& results = ArcadeSolitaireResultsPopup::instance;
   results.onOK(&results, nullptr, results.onOKUserData);
   TransitionsFinish();
   EXPECT_EQ(GUIManager::WidgetGetByPath("ArcadeSolitaireResults"), nullptr);
   EXPECT_STREQ(game.roundNumber->TextGet(), "2");
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
