// Sultan in one run of the program, started from the solitaire menu through the settings menu on
// its page: the dealt table read off a screenshot at the constants' pile places (nine foundation
// faces in their square, eight single faces beside it, the stock's back), then a click on the
// stock that turns a face onto the talon.
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
// A back's white rim and the stack's edge fill about a tenth of the box; a face fills over half.
constexpr double BACK = 0.2;

class SultanEndToEnd : public ProgramFixture
{
 protected:
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> sultan =
       DocumentLoad("Scripts/Minigames/SultanSolitaire");
};

TEST_F(SultanEndToEnd, TheDealShowsItsSquareAndTheStockTurnsACard)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(240);
   ASSERT_TRUE(sultan);
   Point play{}, entry{}, gameTab{}, settingsPlay{};
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game22", &entry.x, &entry.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
   ASSERT_TRUE(
       LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x, &settingsPlay.y));
   const auto solitaireMenuCheck = [&](const Snapshot& seen) { return ButtonCheck(seen, entry.x, entry.y); };
   const auto settingsMenuCheck = [&](const Snapshot& seen)
   {
      return GoldCheck(seen.At(gameTab.x, gameTab.y - 14)) &&
             ButtonCheck(seen, settingsPlay.x, settingsPlay.y);
   };

   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                          [&](const Snapshot& seen)
                          { return MainMenuCheck(seen) && ButtonCheck(seen, play.x, play.y); }))
       << "the main menu's Play opened no solitaire menu";
   ASSERT_TRUE(ClickUntil(entry.x, entry.y, settingsMenuCheck, solitaireMenuCheck))
       << "Sultan opened no settings menu on its page";

   const Point stock = PilePointGet(sultan.get(), "Draw", -1);
   const Point talon = PilePointGet(sultan.get(), "Talon", -1);
   const auto dealt = [&](const Snapshot& seen)
   {
      for (int f = 0; f < 9; f++)
      {
         if (WhiteShareGet(seen, PilePointGet(sultan.get(), "Foundation", f), 30, 45) < FACE)
         {
            return false;
         }
      }
      for (int column = 0; column < 8; column++)
      {
         if (WhiteShareGet(seen, PilePointGet(sultan.get(), "Tableau", column), 30, 45) < FACE)
         {
            return false;
         }
      }
      return WhiteShareGet(seen, stock, 30, 45) < BACK;
   };
   std::unique_ptr<Snapshot> shot;
   ASSERT_TRUE(ClickUntil(settingsPlay.x, settingsPlay.y, dealt, settingsMenuCheck, &shot))
       << "the table never showed Sultan's deal";
   const std::string screens = ScreensFolderGet();
   ScreenKeep(lastShot, screens + "/SultanDealt.png", 960);
   EXPECT_LT(WhiteShareGet(*shot, talon, 30, 45), BACK) << "the talon starts empty";

   ASSERT_TRUE(ClickUntil(
       stock.x, stock.y, [&](const Snapshot& seen) { return WhiteShareGet(seen, talon, 30, 45) > FACE; },
       [&](const Snapshot& seen) { return WhiteShareGet(seen, talon, 30, 45) < BACK; }, &shot))
       << "a click on the stock turned no card onto the talon";
   ScreenKeep(lastShot, screens + "/SultanStockTurned.png", 960);
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
