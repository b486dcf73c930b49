// The open tableau solitaires in the running program, Batsford standing for the seven: from the main
// menu through the solitaire menu and the settings menu to its dealt staircase, where the last column
// shows its backs under one face and the stock its back, and a click on the stock turns a card onto
// the talon. Places come from the built constants.
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

// The column fan's step and the card's half height, as the Medium column template has them.
constexpr int FAN_STEP = 19;
constexpr int CARD_HALF_HEIGHT = 56;

class OpenTableauEndToEnd : public ProgramFixture
{
 protected:
   // Column 9 holds nine backs, each showing a strip above the face on top of them.
   bool StaircaseCheck(const Snapshot& shot)
   {
      const Point column = PilePointGet(game.get(), "Tableau", 9);
      const Point face{column.x, column.y + 9 * FAN_STEP};
      if (WhiteShareGet(shot, face, 30, 40) < 0.35)
      {
         return false;
      }
      for (int back = 0; back < 9; back++)
      {
         // The middle of the strip the card above leaves showing, clear of the back's white rim.
         const Point strip{column.x, column.y - CARD_HALF_HEIGHT + back * FAN_STEP + FAN_STEP / 2 + 2};
         if (WhiteShareGet(shot, strip, 28, 4) > 0.1)
         {
            return false;
         }
      }
      return true;
   }

   // Inside the stock's back, clear of its white rim (its 49 cards lean a tenth of a unit each).
   bool StockBackCheck(const Snapshot& shot)
   {
      Point stock = PilePointGet(game.get(), "Draw", -1);
      stock.x += 5;
      stock.y += 5;
      return WhiteShareGet(shot, stock, 24, 36) < 0.1;
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> game =
       DocumentLoad("Scripts/Minigames/BatsfordSolitaire");
};

TEST_F(OpenTableauEndToEnd, BatsfordDealsItsStaircaseAndTheStockTurnsACard)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   ASSERT_TRUE(game);
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   const std::string screens = ScreensFolderGet();

   // Batsford is the solitaire menu's fourth button.
   Point play{}, batsford{}, gameTab{}, settingsPlay{};
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game4", &batsford.x, &batsford.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
   ASSERT_TRUE(
       LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x, &settingsPlay.y));
   const auto solitaireMenuCheck = [&](const Snapshot& shot)
   { return ButtonCheck(shot, batsford.x, batsford.y); };
   const auto settingsMenuCheck = [&](const Snapshot& shot)
   {
      return GoldCheck(shot.At(gameTab.x, gameTab.y - 14)) &&
             ButtonCheck(shot, settingsPlay.x, settingsPlay.y);
   };
   ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                          [&](const Snapshot& shot)
                          { return MainMenuCheck(shot) && ButtonCheck(shot, play.x, play.y); }))
       << "the main menu's Play opened no solitaire menu with Batsford's button";
   ASSERT_TRUE(ClickUntil(batsford.x, batsford.y, settingsMenuCheck, solitaireMenuCheck))
       << "Batsford's button opened no settings menu on the game's page";
   ScreenKeep(lastShot, screens + "/BatsfordSettingsMenu.png", 960);
   std::unique_ptr<Snapshot> dealt;
   ASSERT_TRUE(ClickUntil(
       settingsPlay.x, settingsPlay.y,
       [&](const Snapshot& seen) { return StaircaseCheck(seen) && StockBackCheck(seen); }, settingsMenuCheck,
       &dealt))
       << "the Batsford table never showed column 9's backs under a face beside the stock's back";
   ScreenKeep(lastShot, screens + "/BatsfordDealt.png", 960);

   const Point stock = PilePointGet(game.get(), "Draw", -1);
   const Point talon = PilePointGet(game.get(), "Talon", -1);
   EXPECT_LT(WhiteShareGet(*dealt, talon, 30, 40), 0.1) << "the talon starts empty";
   const bool turned = ClickUntil(
       stock.x, stock.y, [&](const Snapshot& seen) { return WhiteShareGet(seen, talon, 30, 40) > 0.35; },
       [&](const Snapshot& seen)
       { return StaircaseCheck(seen) && WhiteShareGet(seen, talon, 30, 40) < 0.1; });
   ScreenKeep(lastShot, screens + "/BatsfordStockTurned.png", 960);
   EXPECT_TRUE(turned) << "no face on the talon after the click on the stock";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
