// Pyramid and Poker square in one run of the program: each started from the solitaire menu through
// its settings page. Pyramid's dealt table shows faces on the whole bottom row and the top of the
// pyramid; Back leaves it for the solitaire menu; Poker square shows its next card face up beside
// the stock's back, and a drag puts a face into the grid's first cell while the next card turns.
// Places come from the built constants.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/ProgramTestSupport.h"

namespace
{
using namespace ProgramTestSupport;
using Corvale::JSONValue;

// The shares of white around the points; two equal looks in a row mean nothing is moving there.
std::vector<double> WhiteSharesGet(const Snapshot& seen, const std::vector<Point>& points)
{
   std::vector<double> shares;
   for (const Point& point : points)
   {
      shares.push_back(WhiteShareGet(seen, point, 40, 56));
   }
   return shares;
}

class PyramidPokerSquareEndToEnd : public ProgramFixture
{
 protected:
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> pyramid =
       DocumentLoad("Scripts/Minigames/PyramidSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> poker =
       DocumentLoad("Scripts/Minigames/PokerSquareSolitaire");
};

TEST_F(PyramidPokerSquareEndToEnd, BothGamesDealFromTheSolitaireMenuAndPokerSquareTakesADrag)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent || !x11.fakeMotionEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(400);
   ASSERT_TRUE(pyramid && poker);
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());

   Point play{}, pyramidEntry{}, pokerEntry{}, gameTab{}, settingsPlay{}, back{}, yes{};
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game32", &pyramidEntry.x, &pyramidEntry.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game49", &pokerEntry.x, &pokerEntry.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
   ASSERT_TRUE(
       LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x, &settingsPlay.y));
   ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Back", &back.x, &back.y));
   ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.Yes", &yes.x, &yes.y));
   // Both games' buttons are live on the solitaire menu.
   const auto solitaireMenuCheck = [&](const Snapshot& seen)
   {
      return ButtonCheck(seen, pyramidEntry.x, pyramidEntry.y) &&
             ButtonCheck(seen, pokerEntry.x, pokerEntry.y);
   };
   const auto settingsMenuCheck = [&](const Snapshot& seen)
   {
      return GoldCheck(seen.At(gameTab.x, gameTab.y - 14)) &&
             ButtonCheck(seen, settingsPlay.x, settingsPlay.y);
   };
   ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                          [&](const Snapshot& seen)
                          { return MainMenuCheck(seen) && ButtonCheck(seen, play.x, play.y); }))
       << "the main menu's Play opened no solitaire menu with both games' buttons";

   // Pyramid: the whole bottom row face up, and the visible top half of the pyramid's first card.
   ASSERT_TRUE(ClickUntil(pyramidEntry.x, pyramidEntry.y, settingsMenuCheck, solitaireMenuCheck))
       << "Pyramid's button opened no settings menu on the game's page";
   std::vector<Point> pyramidPoints;
   for (int pile = 0; pile < 28; pile++)
   {
      pyramidPoints.push_back(PilePointGet(pyramid.get(), "Tableau", pile));
   }
   std::vector<double> lastShares;
   const auto pyramidDealtCheck = [&](const Snapshot& seen)
   {
      for (int pile = 21; pile <= 27; pile++)
      {
         if (WhiteShareGet(seen, PilePointGet(pyramid.get(), "Tableau", pile), 30, 45) < 0.35)
         {
            return false;
         }
      }
      const Point top = PilePointGet(pyramid.get(), "Tableau", 0);
      return WhiteShareGet(seen, Point{top.x, top.y - 28}, 30, 20) > 0.35;
   };
   // Dealt and settled: the last card has landed when two looks agree.
   const auto pyramidSettledCheck = [&](const Snapshot& seen)
   {
      std::vector<double> shares = WhiteSharesGet(seen, pyramidPoints);
      const bool settled = shares == lastShares;
      lastShares = shares;
      return settled && pyramidDealtCheck(seen);
   };
   std::unique_ptr<Snapshot> dealt;
   ASSERT_TRUE(ClickUntil(settingsPlay.x, settingsPlay.y, pyramidSettledCheck, settingsMenuCheck, &dealt))
       << "the Pyramid table never showed faces on its bottom row";
   ScreenKeep(lastShot, screens + "/PyramidDealt.png", 960);
   // Nothing turned yet: the Flip and Waste places are empty.
   EXPECT_LT(WhiteShareGet(*dealt, PilePointGet(pyramid.get(), "Flip", -1), 30, 45), 0.1);
   EXPECT_LT(WhiteShareGet(*dealt, PilePointGet(pyramid.get(), "Waste", -1), 30, 45), 0.1);

   // Back asks whether to leave the game; Yes returns to the solitaire menu.
   ASSERT_TRUE(ClickUntil(
       back.x, back.y, [&](const Snapshot& seen) { return ButtonCheck(seen, yes.x, yes.y); },
       pyramidDealtCheck))
       << "Back asked nothing over Pyramid";
   ASSERT_TRUE(ClickUntil(yes.x, yes.y, solitaireMenuCheck,
                          [&](const Snapshot& seen) { return ButtonCheck(seen, yes.x, yes.y); }))
       << "leaving Pyramid did not return to the solitaire menu";

   // Poker square: the next card's face beside the stock's leaning back.
   ASSERT_TRUE(ClickUntil(pokerEntry.x, pokerEntry.y, settingsMenuCheck, solitaireMenuCheck))
       << "Poker square's button opened no settings menu on the game's page";
   Point stock = PilePointGet(poker.get(), "Draw", -1);
   stock.x += 13;
   stock.y += 13;
   const Point next = PilePointGet(poker.get(), "Flip", -1);
   const Point cell = PilePointGet(poker.get(), "Tableau", 0);
   std::unique_ptr<Snapshot> table;
   ASSERT_TRUE(ClickUntil(
       settingsPlay.x, settingsPlay.y,
       [&](const Snapshot& seen)
       { return WhiteShareGet(seen, stock, 24, 36) < 0.1 && WhiteShareGet(seen, next, 30, 45) > 0.35; },
       settingsMenuCheck, &table))
       << "the Poker square table never showed the next card face up beside the stock";
   ScreenKeep(lastShot, screens + "/PokerSquareDealt.png", 960);
   EXPECT_LT(WhiteShareGet(*table, cell, 30, 45), 0.1) << "the grid starts empty";

   // A drag lost while the program is busy is repeated every few looks while the cell is empty.
   int look = 0;
   lastShares.clear();
   std::unique_ptr<Snapshot> placed;
   const bool shown = ScreenWait(
       [&](const Snapshot& seen)
       {
          std::vector<double> shares = WhiteSharesGet(seen, {cell, next});
          const bool settled = shares == lastShares;
          lastShares = shares;
          if (settled && WhiteShareGet(seen, cell, 30, 45) > 0.35 && WhiteShareGet(seen, next, 30, 45) > 0.35)
          {
             return true;
          }
          if (look++ % 10 == 0 && WhiteShareGet(seen, cell, 30, 45) < 0.1)
          {
             Drag(x11, window, next, cell);
          }
          return false;
       },
       &placed);
   ScreenKeep(lastShot, screens + "/PokerSquarePlaced.png", 960);
   EXPECT_TRUE(shown) << "no face in the grid's first cell with a new next card after the drag";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
