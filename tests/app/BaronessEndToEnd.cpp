// Baroness in the running program, standing for Aces Up, Aces and Kings and the open-layout
// builders: from the main menu through the solitaire menu and the settings menu to its deal, where
// five faces lie at the constants' places of columns 0-4 beside the stock's back, and a click on
// the stock puts a second face on each of those columns.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/ProgramTestSupport.h"

namespace
{
using namespace ProgramTestSupport;
using Corvale::JSONValue;

constexpr double FACE = 0.35;
constexpr double BACK = 0.1;
// The Large column fan's step and the card's half height, as the constants' template has them.
constexpr int FAN_STEP = 24;
constexpr int CARD_HALF_HEIGHT = 70;
constexpr int ROW_COLUMNS = 5;

class BaronessEndToEnd : public ProgramFixture
{
 protected:
   // The middle of the card at that index of column c.
   Point CardPointGet(int column, int index)
   {
      Point at = PilePointGet(game.get(), "Tableau", column);
      at.y += FAN_STEP * index;
      return at;
   }

   // Each of columns 0-4 shows a face at the index; with over, the strip below the card above
   // shows the table, so the column holds no further card.
   bool ColumnsCheck(const Snapshot& seen, int index)
   {
      for (int column = 0; column < ROW_COLUMNS; column++)
      {
         Point face = CardPointGet(column, index);
         // The card's lower part, which no card above it covers.
         face.y += CARD_HALF_HEIGHT - 12;
         if (WhiteShareGet(seen, face, 30, 8) < FACE)
         {
            return false;
         }
      }
      return true;
   }

   bool StockBackCheck(const Snapshot& seen)
   {
      Point stock = PilePointGet(game.get(), "Draw", -1);
      stock.x += 5;
      stock.y += 5;
      return WhiteShareGet(seen, stock, 30, 45) < BACK;
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> game =
       DocumentLoad("Scripts/Minigames/BaronessSolitaire");
};

TEST_F(BaronessEndToEnd, DealsFiveFacesAndTheStockDealsARow)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   ASSERT_TRUE(game);
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   const std::string screens = ScreensFolderGet();

   // Baroness is the solitaire menu's tenth button.
   Point play{}, baroness{}, gameTab{}, settingsPlay{};
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game10", &baroness.x, &baroness.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
   ASSERT_TRUE(
       LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x, &settingsPlay.y));
   const auto solitaireMenuCheck = [&](const Snapshot& shot)
   { return ButtonCheck(shot, baroness.x, baroness.y); };
   const auto settingsMenuCheck = [&](const Snapshot& shot)
   {
      return GoldCheck(shot.At(gameTab.x, gameTab.y - 14)) &&
             ButtonCheck(shot, settingsPlay.x, settingsPlay.y);
   };
   ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                          [&](const Snapshot& shot)
                          { return MainMenuCheck(shot) && ButtonCheck(shot, play.x, play.y); }))
       << "the main menu's Play opened no solitaire menu with Baroness's button";
   ASSERT_TRUE(ClickUntil(baroness.x, baroness.y, settingsMenuCheck, solitaireMenuCheck))
       << "Baroness's button opened no settings menu on the game's page";
   std::unique_ptr<Snapshot> dealt;
   ASSERT_TRUE(ClickUntil(
       settingsPlay.x, settingsPlay.y,
       [&](const Snapshot& seen) { return ColumnsCheck(seen, 0) && StockBackCheck(seen); }, settingsMenuCheck,
       &dealt))
       << "the Baroness table never showed five faces beside the stock's back";
   ScreenKeep(lastShot, screens + "/BaronessDealt.png", 960);
   for (int column = 0; column < ROW_COLUMNS; column++)
   {
      Point below = CardPointGet(column, 1);
      below.y += CARD_HALF_HEIGHT - 12;
      EXPECT_LT(WhiteShareGet(*dealt, below, 30, 8), BACK) << "column " << column << " holds a second card";
   }
   EXPECT_LT(WhiteShareGet(*dealt, PilePointGet(game.get(), "Foundation", -1), 30, 45), BACK)
       << "the discard starts empty";

   // One click on the stock deals the next row.
   const Point stock = PilePointGet(game.get(), "Draw", -1);
   const bool second = ClickUntil(
       stock.x, stock.y, [&](const Snapshot& seen) { return ColumnsCheck(seen, 1); },
       [&](const Snapshot& seen) { return ColumnsCheck(seen, 0) && !ColumnsCheck(seen, 1); });
   ScreenKeep(lastShot, screens + "/BaronessRowDealt.png", 960);
   EXPECT_TRUE(second) << "no second face on columns 0-4 after the click on the stock";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
