// Euchre solitaire in one run of the program, started from the solitaire menu through its settings
// page: the five faces of the hand at their places with the trump popup's turned-up card over the
// table; Pick Up sends that card to the computer's place, and a double-click on a card of the hand
// that may follow (tried in turn) puts a face on the player's place beside it. Places come from the
// built constants and layers.
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

class EuchreSolitaireEndToEnd : public ProgramFixture
{
 protected:
   // Two clicks within the program's double-click interval.
   void DoubleClick(Point at)
   {
      XWindowAttributes attributes;
      if (!x11.windowAttributesGet(x11.display, window, &attributes))
      {
         return;
      }
      x11.fakeMotionEvent(x11.display, -1, attributes.x + at.x, attributes.y + at.y, 0);
      x11.flush(x11.display);
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      for (int i = 0; i < 2; i++)
      {
         x11.fakeButtonEvent(x11.display, 1, True, 0);
         x11.flush(x11.display);
         std::this_thread::sleep_for(std::chrono::milliseconds(40));
         x11.fakeButtonEvent(x11.display, 1, False, 0);
         x11.flush(x11.display);
         std::this_thread::sleep_for(std::chrono::milliseconds(60));
      }
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> euchre =
       DocumentLoad("Scripts/Minigames/EuchreSolitaire");
};

TEST_F(EuchreSolitaireEndToEnd, TheHandDealsUnderTheTrumpPopupAndATrickIsPlayed)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent || !x11.fakeMotionEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   ASSERT_TRUE(euchre);
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());

   Point play{}, entry{}, gameTab{}, settingsPlay{}, pickUp{}, turnUp{};
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game46", &entry.x, &entry.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
   ASSERT_TRUE(
       LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x, &settingsPlay.y));
   ASSERT_TRUE(LayerFiles::CentreGet("EuchreSolitaireSuit", "Panel.PickUp", &pickUp.x, &pickUp.y));
   ASSERT_TRUE(LayerFiles::CentreGet("EuchreSolitaireSuit", "Panel.TurnUpCard", &turnUp.x, &turnUp.y));
   const auto solitaireMenuCheck = [&](const Snapshot& seen) { return ButtonCheck(seen, entry.x, entry.y); };
   const auto settingsMenuCheck = [&](const Snapshot& seen)
   {
      return GoldCheck(seen.At(gameTab.x, gameTab.y - 14)) &&
             ButtonCheck(seen, settingsPlay.x, settingsPlay.y);
   };
   ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                          [&](const Snapshot& seen)
                          { return MainMenuCheck(seen) && ButtonCheck(seen, play.x, play.y); }))
       << "the main menu's Play opened no solitaire menu with Euchre solitaire's button";
   ASSERT_TRUE(ClickUntil(entry.x, entry.y, settingsMenuCheck, solitaireMenuCheck))
       << "Euchre solitaire's button opened no settings menu on the game's page";

   // The hand's five faces at their places and, over the table, the popup's turned-up card.
   std::vector<Point> hand;
   for (int pile = 0; pile < 5; pile++)
   {
      hand.push_back(PilePointGet(euchre.get(), "Tableau", pile));
   }
   // The card's sprite is drawn around its place, the box's top left corner.
   const Point turnUpFace{turnUp.x - 50, turnUp.y - 70};
   const auto dealtCheck = [&](const Snapshot& seen)
   {
      for (const Point& at : hand)
      {
         if (WhiteShareGet(seen, at, 40, 56) < 0.35)
         {
            return false;
         }
      }
      return WhiteShareGet(seen, turnUpFace, 30, 45) > 0.35;
   };
   std::unique_ptr<Snapshot> dealt;
   const bool dealtShown = ClickUntil(settingsPlay.x, settingsPlay.y, dealtCheck, settingsMenuCheck, &dealt);
   ASSERT_TRUE(dealtShown)
       << "the table never showed the hand's five faces under the trump popup's turned-up card; "
       << FileRead(saveFolder + "/Log.txt");
   ScreenKeep(lastShot, screens + "/EuchreSolitaireDealt.png", 960);

   // Pick Up: the popup leaves and the turned-up card lies on the computer's place.
   const Point waste = PilePointGet(euchre.get(), "Waste", -1);
   const Point foundation = PilePointGet(euchre.get(), "Foundation", -1);
   ASSERT_TRUE(ClickUntil(
       pickUp.x, pickUp.y,
       [&](const Snapshot& seen)
       { return WhiteShareGet(seen, waste, 40, 56) > 0.35 && WhiteShareGet(seen, turnUpFace, 30, 45) < 0.1; },
       [&](const Snapshot& seen) { return WhiteShareGet(seen, turnUpFace, 30, 45) > 0.35; }))
       << "Pick Up put no face on the computer's place";
   ScreenKeep(lastShot, screens + "/EuchreSolitairePickedUp.png", 960);

   // The cards of the hand in turn, until one may follow: both places of the trick show faces.
   int look = 0;
   int tried = 0;
   std::unique_ptr<Snapshot> trick;
   const bool played = ScreenWait(
       [&](const Snapshot& seen)
       {
          if (WhiteShareGet(seen, foundation, 40, 56) > 0.35 && WhiteShareGet(seen, waste, 40, 56) > 0.35)
          {
             return true;
          }
          if (look++ % 6 == 0 && WhiteShareGet(seen, foundation, 40, 56) < 0.1)
          {
             DoubleClick(hand[tried++ % 5]);
          }
          return false;
       },
       &trick);
   ScreenKeep(lastShot, screens + "/EuchreSolitairePlayed.png", 960);
   EXPECT_TRUE(played) << "no double-click put a card of the hand on the trick beside the computer's card";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
