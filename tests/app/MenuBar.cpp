// The menu bar: what Back does in a game, in a submenu and at either root menu, the close question
// refused while a switch is pending, and one popup however often its button is clicked.
#include "app/MenuBar.h"

#include "app/RootMenu.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/widgets/PressButtonWidget.h"
#include "tests/app/MenuTestSupport.h"

namespace MenuTest
{
namespace
{
using MenuBarTest = MenuFixture;

struct BackCase
{
   const char* name;
   // "main", "solitaire" (the solitaire menu over the main menu), "solitaireRoot", "game".
   const char* where;
   const char* question;
   i32 statesAfter;
};

class MenuBarBack : public MenuBarTest, public ::testing::WithParamInterface<BackCase>
{
};

TEST_P(MenuBarBack, DoesWhatTheStateCallsFor)
{
   const std::string where = GetParam().where;
   if (where == "solitaireRoot")
   {
      Enter(&solitaireMenu);
   }
   else
   {
      Enter(&mainMenu);
   }
   if (where == "solitaire")
   {
      MainMenuGameStart("Solitaire");
      Settle();
      ASSERT_EQ(GameStateManager::current, &solitaireMenu);
   }
   if (where == "game")
   {
      mainMenu.gameSelector->SelectionSetByName("Playable", false);
      MainMenuGameStart("Playable");
      Settle();
      ASSERT_EQ(GameStateManager::current, &game);
      // The game base opens the menu bar the application handed it.
      Minigame::menuBarPopup = &menuBar;
      PopupManager::OpenUnlessOpen(&menuBar);
   }
   Click("MenuBar.Panel.Back");
   const char* question = GetParam().question;
   EXPECT_EQ(BoxGet("ConfirmCloseProgram") != nullptr, std::strcmp(question, "ConfirmCloseProgram") == 0);
   EXPECT_EQ(BoxGet("ConfirmQuit") != nullptr, std::strcmp(question, "ConfirmQuit") == 0);
   EXPECT_EQ(GameStateManager::states.count, GetParam().statesAfter);
   Settle();
   EXPECT_FALSE(quitRequested);
   if (where == "solitaire")
   {
      EXPECT_EQ(GameStateManager::current, &mainMenu);
   }
   Minigame::menuBarPopup = nullptr;
}

INSTANTIATE_TEST_SUITE_P(States, MenuBarBack,
                         ::testing::Values(BackCase{"MainMenuAsksToClose", "main", "ConfirmCloseProgram", 1},
                                           BackCase{"SolitaireMenuAsRootAsksToClose", "solitaireRoot",
                                                    "ConfirmCloseProgram", 1},
                                           BackCase{"SolitaireMenuOverTheMainMenuLeaves", "solitaire", "", 1},
                                           BackCase{"AGameAsksItsOwnQuestion", "game", "ConfirmQuit", 2}),
                         [](const ::testing::TestParamInfo<BackCase>& info)
                         { return std::string(info.param.name); });

TEST_F(MenuBarTest, YesToCloseQuitsUnlessASwitchIsPending)
{
   for (bool pending : {true, false})
   {
      Enter(&mainMenu);
      Click("MenuBar.Panel.Back");
      MessageBoxPopup* box = BoxGet("ConfirmCloseProgram");
      ASSERT_NE(box, nullptr);
      GameStateManager::switchPending = pending ? 1 : 0;
      ASSERT_NE(box->onYes, nullptr);
      box->onYes(box, nullptr, box->onYesUserData);
      EXPECT_EQ(quitRequested, !pending);
      GameStateManager::switchPending = 0;
      quitRequested = false;
      GameStateManager::Deinit();
   }
}

TEST_F(MenuBarTest, SettingsClickedTwiceOpensOnePopupAndTheOthersDoNothingYet)
{
   CountingPopup settingsPopup("Settings");
   Minigame::settingsMenuPopup = &settingsPopup;
   Enter(&mainMenu);
   const i32 before = PopupManager::popups.count;
   Click("MenuBar.Panel.Settings");
   Click("MenuBar.Panel.Settings");
   EXPECT_EQ(settingsPopup.opens, 1);
   EXPECT_EQ(PopupManager::popups.count, before + 1);
   Click("MenuBar.Panel.Profile");
   Click("MenuBar.Panel.Help");
   EXPECT_EQ(PopupManager::popups.count, before + 1);
   GameStateManager::Deinit();
}

TEST_F(MenuBarTest, ButtonsDoNothingWhileQuitting)
{
   Enter(&mainMenu);
   quitRequested = true;
   Click("MenuBar.Panel.Back");
   EXPECT_EQ(BoxGet("ConfirmCloseProgram"), nullptr);
}
} // namespace
} // namespace MenuTest
