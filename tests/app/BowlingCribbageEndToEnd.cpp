// Bowling solitaire and Cribbage square in one run of the program: each started from the solitaire
// menu through the settings menu. Bowling's stock shows its back where its constants put it and a
// click turns a face onto the turned-card pile; after leaving through the quit question, Cribbage
// square shows its next card, and a drag puts a face into the square's first cell.
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

// The share of blue pixels in the box of half size (w, h): the default card back, unlike the
// table's green or the settings menu.
double BlueShareGet(const Snapshot& shot, Point centre, int w, int h)
{
   int blue = 0;
   for (int y = centre.y - h; y < centre.y + h; y++)
   {
      for (int x = centre.x - w; x < centre.x + w; x++)
      {
         const Rgb c = shot.At(x, y);
         blue += c.b > c.r + 40 && c.b > c.g + 20 ? 1 : 0;
      }
   }
   return static_cast<double>(blue) / (4.0 * w * h);
}

class BowlingCribbageEndToEnd : public ProgramFixture
{
 protected:
   void SetUp() override
   {
      ProgramFixture::SetUp();
      if (IsSkipped() || HasFatalFailure())
      {
         return;
      }
      ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x,
                                        &settingsPlay.y));
   }

   bool SettingsMenuCheck(const Snapshot& seen)
   {
      return GoldCheck(seen.At(gameTab.x, gameTab.y - 14)) &&
             ButtonCheck(seen, settingsPlay.x, settingsPlay.y);
   }

   // From the solitaire menu to the game's table, which passes dealt; the table's shot in shot.
   template <typename Dealt>
   void TableReach(const char* button, Dealt dealt, const std::string& keptAs,
                   std::unique_ptr<Snapshot>* shot)
   {
      Point entry{};
      ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", button, &entry.x, &entry.y));
      ASSERT_TRUE(ClickUntil(
          entry.x, entry.y, [&](const Snapshot& seen) { return SettingsMenuCheck(seen); },
          [&](const Snapshot& seen) { return ButtonCheck(seen, entry.x, entry.y); }))
          << button << " opened no settings menu on the game's page";
      ASSERT_TRUE(ClickUntil(
          settingsPlay.x, settingsPlay.y, dealt,
          [&](const Snapshot& seen) { return SettingsMenuCheck(seen); }, shot))
          << button << ": the table never showed as dealt";
      ScreenKeep(lastShot, keptAs, 960);
   }

   Point play{}, gameTab{}, settingsPlay{};
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> bowling =
       DocumentLoad("Scripts/Minigames/BowlingSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> cribbage =
       DocumentLoad("Scripts/Minigames/CribbageSquareSolitaire");
};

TEST_F(BowlingCribbageEndToEnd, BowlingTurnsACardAndCribbageSquarePlacesOne)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent || !x11.fakeMotionEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(400);
   ASSERT_TRUE(bowling && cribbage);
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   Point bowlingEntry{};
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game50", &bowlingEntry.x, &bowlingEntry.y));
   const auto solitaireMenuCheck = [&](const Snapshot& seen)
   { return ButtonCheck(seen, bowlingEntry.x, bowlingEntry.y); };
   ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                          [&](const Snapshot& seen)
                          { return MainMenuCheck(seen) && ButtonCheck(seen, play.x, play.y); }))
       << "the main menu's Play opened no solitaire menu";

   // Bowling: the stock's top card leans by its cards' offsets (a quarter unit each); the turned-card
   // pile starts empty.
   Point stock = PilePointGet(bowling.get(), "Draw", -1);
   stock.x += 13;
   stock.y += 13;
   const Point turned = PilePointGet(bowling.get(), "Flip", -1);
   std::unique_ptr<Snapshot> shot;
   ASSERT_NO_FATAL_FAILURE(TableReach(
       "Games.Game50",
       [&](const Snapshot& seen)
       {
          return !SettingsMenuCheck(seen) && BlueShareGet(seen, stock, 24, 36) > 0.3 &&
                 WhiteShareGet(seen, turned, 30, 45) < 0.1;
       },
       screens + "/BowlingDealt.png", &shot));
   for (int pin = 0; pin < 10; pin++)
   {
      EXPECT_LT(WhiteShareGet(*shot, PilePointGet(bowling.get(), "Tableau", pin), 30, 45), 0.1)
          << "pin " << pin;
   }
   const bool faceShown = ClickUntil(
       stock.x, stock.y, [&](const Snapshot& seen) { return WhiteShareGet(seen, turned, 30, 45) > 0.35; },
       [&](const Snapshot& seen) { return WhiteShareGet(seen, turned, 30, 45) < 0.1; });
   ScreenKeep(lastShot, screens + "/BowlingTurned.png", 960);
   EXPECT_TRUE(faceShown) << "no face on the turned-card pile after the click on the stock";

   // Out through the quit question, back to the solitaire menu (through the settings page when the
   // game was entered over it).
   int yesX = 0, yesY = 0, backX = 0, backY = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.Yes", &yesX, &yesY));
   ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Back", &backX, &backY));
   const auto askedCheck = [&](const Snapshot& seen) { return ButtonCheck(seen, yesX, yesY); };
   int escapes = 0;
   ASSERT_TRUE(ScreenWait(
       [&](const Snapshot& seen)
       {
          if (askedCheck(seen))
          {
             return true;
          }
          if (escapes++ % 10 == 0)
          {
             x11.KeyTap(window, XK_Escape);
          }
          return false;
       }))
       << "Escape asked nothing";
   ASSERT_TRUE(ClickUntil(
       yesX, yesY, [&](const Snapshot& seen) { return solitaireMenuCheck(seen) || SettingsMenuCheck(seen); },
       askedCheck))
       << "Yes did not leave the game";
   ASSERT_TRUE(ClickUntil(backX, backY, solitaireMenuCheck,
                          [&](const Snapshot& seen)
                          { return SettingsMenuCheck(seen) && !solitaireMenuCheck(seen); }))
       << "no solitaire menu after the game";

   // Cribbage square: the stock's back, the next card's face, an empty square.
   Point cribbageStock = PilePointGet(cribbage.get(), "Draw", -1);
   cribbageStock.x += 13;
   cribbageStock.y += 13;
   const Point next = PilePointGet(cribbage.get(), "Reserve", -1);
   const Point cell = PilePointGet(cribbage.get(), "Tableau", 0);
   ASSERT_NO_FATAL_FAILURE(TableReach(
       "Games.Game48",
       [&](const Snapshot& seen)
       {
          return WhiteShareGet(seen, cribbageStock, 24, 36) < 0.1 &&
                 WhiteShareGet(seen, next, 30, 45) > 0.35 && WhiteShareGet(seen, cell, 30, 45) < 0.1;
       },
       screens + "/CribbageSquareDealt.png", &shot));
   int look = 0;
   const bool placed = ScreenWait(
       [&](const Snapshot& seen)
       {
          if (WhiteShareGet(seen, cell, 30, 45) > 0.35 && WhiteShareGet(seen, next, 30, 45) > 0.35)
          {
             return true;
          }
          if (look++ % 10 == 0 && WhiteShareGet(seen, cell, 30, 45) < 0.1)
          {
             Drag(x11, window, next, cell);
          }
          return false;
       });
   ScreenKeep(lastShot, screens + "/CribbageSquarePlaced.png", 960);
   EXPECT_TRUE(placed) << "no face in the first cell with a new next card after the drag";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
