// Klondike on a real GUI (Xvfb and Mesa) with its own layer, art and texts: the money shown under
// the table, the Reset button once the stock runs empty, and the results popup of a won deal with
// its title, time and score, gone again when the win is taken back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cardgame/CardWidget.h"
#include "core/ProgressionManager.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/sprite/FontManager.h"
#include "platform/window/Screen.h"
#include "tests/cardgame/CardTableWindow.h"
#include "tests/games/solitaire/KlondikeHarness.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace
{
using TestSupport::KlondikeHarness;

class KlondikeTableWindowTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      const std::string data = TestSupport::BuildDataFolderGet();
      ASSERT_TRUE(std::filesystem::exists(data + "/Graphics/GUI/Solitaire/ButtonUp.png")) << data;
      const std::string base = harness.folder.path;
      std::filesystem::create_directories(base + "/Graphics");
      for (const char* folder : {"Graphics/Fonts", "Graphics/Sprites", "Graphics/GUI", "Text"})
      {
         std::filesystem::create_directory_symlink(data + "/" + folder, base + "/" + folder);
      }
      std::ifstream file(data + "/Graphics/GraphicsConsts.json");
      harness.ConstsWithTemplatesSet(
          std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));

      ASSERT_TRUE(window.Open()) << "needs a display (run under xvfb-run)";
      CardWidgetTypesRegister();
   }

   void TearDown() override { window.Close(harness); }

   // Frames as the program runs them, until the game is idle and no card moves.
   void Settle()
   {
      for (i32 i = 0; i < 3000 && !(harness.IdleCheck() && !game.CardsAnimatingCheck()); ++i)
      {
         TestSupport::CardTableWindow::FrameRun(harness);
      }
      ASSERT_TRUE(harness.IdleCheck() && !game.CardsAnimatingCheck());
   }

   template <class W> W* WidgetAt(const char* path)
   {
      return dynamic_cast<W*>(GUIManager::WidgetGetByPath(path));
   }

   KlondikeSolitaire game;
   KlondikeHarness harness;
   TestSupport::CardTableWindow window;
};

TEST_F(KlondikeTableWindowTest, TheMoneyTheResetButtonAndTheResultsShowOnTheTable)
{
   KlondikeHarness::OptionSet("Variation", "MoneyKlondikeF3");
   harness.KlondikeEnter(&game);
   Settle();
   ASSERT_NE(game.resetButton, nullptr);
   EXPECT_FALSE(game.resetButton->VisibleCheck());
   NumberLabelWidget* money = WidgetAt<NumberLabelWidget>("KlondikeSolitaire.ScoreNumber");
   ASSERT_NE(money, nullptr);
   EXPECT_TRUE(money->VisibleCheck());
   EXPECT_STREQ(money->TextGet(), "-52");
   EXPECT_TRUE(WidgetAt<Widget>("KlondikeSolitaire.ScoreText")->VisibleCheck());

   while (harness.Stock()->cards.count > 0)
   {
      EXPECT_FALSE(game.resetButton->VisibleCheck());
      harness.ChoosePost(harness.Stock()->CardTopGet());
      Settle();
   }
   EXPECT_TRUE(game.resetButton->VisibleCheck());
   EXPECT_TRUE(game.resetButton->EnabledCheck());
   game.resetButton->onClick(game.resetButton, game.resetButton->onClickUserData);
   Settle();
   EXPECT_FALSE(game.resetButton->VisibleCheck());
   EXPECT_EQ(harness.Stock()->cards.count, 24);

   // Every card on its foundation but the last king, which the player then plays: the refresh
   // finds the win and the results show it.
   harness.TableClear();
   static const char* const suits = "HSDC";
   static const char* const ranks = "A23456789TJQK";
   for (i32 suit = 0; suit < 4; ++suit)
   {
      std::vector<std::string> names;
      for (i32 rank = 0; rank < (suit == 3 ? 12 : 13); ++rank)
      {
         names.push_back(std::string(1, ranks[rank]) + suits[suit] + "*");
      }
      harness.CardsPlace(harness.Foundation(suit), names);
   }
   harness.CardsPlace(harness.Column(0), {"KC*"});
   ASSERT_TRUE(harness.Drop(harness.Column(0)->cards[0], harness.Foundation(3)));
   Settle();
   ASSERT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   EXPECT_EQ(GUIManager::WidgetGetByPath("TraditionalSolitaireResults"), nullptr);
   LabelWidget* title = WidgetAt<LabelWidget>("TraditionalSolitaireResultsWithScore.Panel.Title");
   NumberLabelWidget* time = WidgetAt<NumberLabelWidget>("TraditionalSolitaireResultsWithScore.Panel.Time");
   NumberLabelWidget* score =
       WidgetAt<NumberLabelWidget>("TraditionalSolitaireResultsWithScore.Panel.ScoreValue");
   ASSERT_TRUE(title && time && score);
   EXPECT_STREQ(title->TextGet(), textManager.TextGet("TraditionalSolitaireWin"));
   const std::string timeText = time->TextGet() ? time->TextGet() : "";
   EXPECT_NE(timeText.find(textManager.TextGet("TraditionalSolitaireSeconds")), std::string::npos)
       << timeText;
   EXPECT_STREQ(score->TextGet(), "208");
   EXPECT_STREQ(money->TextGet(), "208");

   game.Undo();
   Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_EQ(harness.Column(0)->cards.count, 1);
   EXPECT_EQ(GUIManager::WidgetGetByPath("TraditionalSolitaireResultsWithScore"), nullptr);
}
} // namespace
} // namespace Corvale
