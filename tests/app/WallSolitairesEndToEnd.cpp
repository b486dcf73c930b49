// Pick 2, Sum 11 and Three Towers in one run of the program: each from the solitaire menu through
// the settings menu to its dealt table, where the wall's front row and the current card show their
// faces beside the stock's back (Three Towers' peaks their backs); a click on the stock turns a new
// current card. The game is then left for the next one. Places come from the built constants.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/ProgramTestSupport.h"

namespace
{
using namespace ProgramTestSupport;
using Corvale::JSONValue;

struct WallGame
{
   const char* key;
   const char* button;
   // Wall positions in front (nothing covers them), and those that must show backs.
   std::vector<int> front;
   std::vector<int> backs;
};

class WallSolitairesEndToEnd : public ProgramFixture
{
 protected:
   // From whichever menu shows to the game's dealt table; its screenshot kept under the name.
   void TableReach(const WallGame& wall, const JSONValue* game, std::unique_ptr<Snapshot>* shot)
   {
      Point play{}, entry{}, gameTab{}, settingsPlay{}, back{};
      ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", wall.button, &entry.x, &entry.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x,
                                        &settingsPlay.y));
      ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Back", &back.x, &back.y));
      const auto solitaireMenuCheck = [&](const Snapshot& seen)
      { return ButtonCheck(seen, entry.x, entry.y); };
      const auto settingsMenuCheck = [&](const Snapshot& seen)
      {
         return GoldCheck(seen.At(gameTab.x, gameTab.y - 14)) &&
                ButtonCheck(seen, settingsPlay.x, settingsPlay.y);
      };
      // The menu a game left uncovers: the settings page, the solitaire menu or the main menu.
      std::unique_ptr<Snapshot> menu;
      ASSERT_TRUE(ScreenWait([&](const Snapshot& seen)
                             { return MainMenuCheck(seen) || solitaireMenuCheck(seen) || settingsMenuCheck(seen); },
                             &menu))
          << "no menu showed";
      if (settingsMenuCheck(*menu))
      {
         ASSERT_TRUE(ClickUntil(back.x, back.y, solitaireMenuCheck, settingsMenuCheck))
             << "Back on the settings page led to no solitaire menu";
      }
      else if (!solitaireMenuCheck(*menu))
      {
         ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                                [&](const Snapshot& seen) { return MainMenuCheck(seen); }))
             << "the main menu's Play opened no solitaire menu with the game's button";
      }
      ASSERT_TRUE(ClickUntil(entry.x, entry.y, settingsMenuCheck, solitaireMenuCheck))
          << "the game's button opened no settings menu on the game's page";
      // The stock's top card leans by its cards' offsets (a quarter unit each): its back's pattern.
      Point stock = PilePointGet(game, "Draw", -1);
      stock.x += 13;
      stock.y += 13;
      const Point current = PilePointGet(game, "Foundation", -1);
      ASSERT_TRUE(ClickUntil(
          settingsPlay.x, settingsPlay.y,
          [&](const Snapshot& seen)
          {
             if (WhiteShareGet(seen, stock, 24, 36) > 0.1 || WhiteShareGet(seen, current, 30, 45) < 0.35)
             {
                return false;
             }
             for (const int position : wall.front)
             {
                if (WhiteShareGet(seen, PilePointGet(game, "Tableau", position), 30, 45) < 0.35)
                {
                   return false;
                }
             }
             return true;
          },
          settingsMenuCheck))
          << wall.key << ": the table never showed the wall's faces and the current card beside the stock";
      // The last cards of the deal land, and messy cards settle, before the table is compared.
      std::this_thread::sleep_for(std::chrono::milliseconds(2500));
      *shot = Snap();
      ASSERT_NE((*shot)->bitmap, nullptr);
      ScreenKeep(lastShot, ScreensFolderGet() + "/" + wall.key + "Dealt.png", 960);
   }

   // Back on the table asks "ConfirmQuit"; Yes leaves the game.
   void GameLeave()
   {
      Point back{}, yes{}, no{};
      ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Back", &back.x, &back.y));
      ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.Yes", &yes.x, &yes.y));
      ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.No", &no.x, &no.y));
      const auto asked = [&](const Snapshot& seen)
      { return ButtonCheck(seen, yes.x, yes.y) && ButtonCheck(seen, no.x, no.y); };
      ASSERT_TRUE(ClickUntil(back.x, back.y, asked, [&](const Snapshot& seen) { return !asked(seen); }))
          << "Back on the table asked nothing";
      ASSERT_TRUE(ClickUntil(yes.x, yes.y, [&](const Snapshot& seen) { return !asked(seen); }, asked))
          << "Yes left the question open";
   }
};

TEST_F(WallSolitairesEndToEnd, EachDealsItsWallAndTheStockTurnsANewCurrentCard)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   const WallGame walls[] = {
       {"Pick2Solitaire", "Games.Game44", {1, 2, 3, 4, 5, 6}, {}},
       {"Sum11Solitaire", "Games.Game47", {1, 2, 10}, {}},
       {"ThreeTowersSolitaire", "Games.Game45", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {26, 27, 28}},
   };
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   for (const WallGame& wall : walls)
   {
      SCOPED_TRACE(wall.key);
      auto game = DocumentLoad((std::string("Scripts/Minigames/") + wall.key).c_str());
      ASSERT_TRUE(game);
      std::unique_ptr<Snapshot> dealt;
      ASSERT_NO_FATAL_FAILURE(TableReach(wall, game.get(), &dealt));
      for (const int peak : wall.backs)
      {
         // The visible top of a covered peak: its back, not a face.
         Point top = PilePointGet(game.get(), "Tableau", peak);
         top.y -= 36;
         EXPECT_LT(WhiteShareGet(*dealt, top, 24, 14), 0.1) << "peak " << peak;
      }
      const Point stock = PilePointGet(game.get(), "Draw", -1);
      const Point current = PilePointGet(game.get(), "Foundation", -1);
      std::unique_ptr<Snapshot> turned;
      EXPECT_TRUE(ClickUntil(
          stock.x, stock.y,
          [&](const Snapshot& seen)
          {
             return WhiteShareGet(seen, current, 30, 45) > 0.35 &&
                    DifferenceCountGet(seen, *dealt, current, 30, 45) > 40;
          },
          [&](const Snapshot& seen) { return DifferenceCountGet(seen, *dealt, current, 30, 45) <= 40; },
          &turned))
          << "a click on the stock turned no new current card";
      ScreenKeep(lastShot, ScreensFolderGet() + "/" + wall.key + "Turned.png", 960);
      ASSERT_NO_FATAL_FAILURE(GameLeave());
   }
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
