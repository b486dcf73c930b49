// Best 21 and Fast 21 in the running program: from the solitaire menu through the settings menu to
// a dealt table where the stock shows its back, the turned card its face and the score, round and
// time-left numbers show beneath; in Best 21 a drag takes the turned card onto the first hand and
// the next card turns. Places come from the built constants.
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

class TwentyOneEndToEnd : public ProgramFixture
{
 protected:
   // From the main menu to the game's dealt table through its solitaire-menu button; the table's
   // screenshot is kept under the name.
   void TableReach(const char* button, const JSONValue* game, const std::string& keptAs,
                   std::unique_ptr<Snapshot>* shot)
   {
      ASSERT_NO_FATAL_FAILURE(MainMenuReach());
      Point play{}, entry{}, gameTab{}, settingsPlay{};
      ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", button, &entry.x, &entry.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x,
                                        &settingsPlay.y));
      const auto solitaireMenuCheck = [&](const Snapshot& seen)
      { return ButtonCheck(seen, entry.x, entry.y); };
      const auto settingsMenuCheck = [&](const Snapshot& seen)
      {
         return GoldCheck(seen.At(gameTab.x, gameTab.y - 14)) &&
                ButtonCheck(seen, settingsPlay.x, settingsPlay.y);
      };
      ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                             [&](const Snapshot& seen)
                             { return MainMenuCheck(seen) && ButtonCheck(seen, play.x, play.y); }))
          << "the main menu's Play opened no solitaire menu with the game's button";
      ASSERT_TRUE(ClickUntil(entry.x, entry.y, settingsMenuCheck, solitaireMenuCheck))
          << "the game's button opened no settings menu on the game's page";
      // The stock's top card leans by its cards' offsets (a quarter unit each): its back's pattern.
      Point stock = PilePointGet(game, "Draw", -1);
      stock.x += 13;
      stock.y += 13;
      const Point turned = PilePointGet(game, "Flip", -1);
      ASSERT_TRUE(ClickUntil(
          settingsPlay.x, settingsPlay.y,
          [&](const Snapshot& seen)
          { return WhiteShareGet(seen, stock, 24, 36) < 0.1 && WhiteShareGet(seen, turned, 30, 45) > 0.35; },
          settingsMenuCheck, shot))
          << "the table never showed the stock's back beside the turned card's face";
      ScreenKeep(lastShot, keptAs, 960);
   }

   // The score, round and time-left numbers where the arcade layer puts them.
   void NumbersShownExpect(const Snapshot& shot)
   {
      for (const char* path : {"ScoreNumber", "RoundNumber", "TimeLeftNumber", "ScoreText", "TimeLeftText"})
      {
         float box[4];
         ASSERT_TRUE(LayerFiles::BoxGet("ArcadeSolitaireGame", path, box)) << path;
         EXPECT_TRUE(TextShownCheck(shot, static_cast<int>(box[0]), static_cast<int>(box[1]),
                                    static_cast<int>(box[2]), static_cast<int>(box[3])))
             << path << " shows nothing";
      }
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> best = DocumentLoad("Scripts/Minigames/Best21Solitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> fast = DocumentLoad("Scripts/Minigames/Fast21Solitaire");
};

TEST_F(TwentyOneEndToEnd, Best21DealsAndADragPlacesTheTurnedCardOnAHand)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent || !x11.fakeMotionEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   ASSERT_TRUE(best);
   const std::string screens = ScreensFolderGet();
   std::unique_ptr<Snapshot> dealt;
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game43", best.get(), screens + "/Best21Dealt.png", &dealt));
   NumbersShownExpect(*dealt);

   const Point turned = PilePointGet(best.get(), "Flip", -1);
   const Point hand = PilePointGet(best.get(), "Tableau", 0);
   EXPECT_LT(WhiteShareGet(*dealt, hand, 30, 45), 0.1) << "the first hand starts empty";
   // A drag that lands while the program is busy is lost: while the hand is still empty the drag
   // is repeated every few looks.
   int look = 0;
   std::unique_ptr<Snapshot> placed;
   const bool shown = ScreenWait(
       [&](const Snapshot& seen)
       {
          if (WhiteShareGet(seen, hand, 30, 45) > 0.35 && WhiteShareGet(seen, turned, 30, 45) > 0.35 &&
              DifferenceCountGet(seen, *dealt, turned, 30, 45) > 40)
          {
             return true;
          }
          if (look++ % 10 == 0 && WhiteShareGet(seen, hand, 30, 45) < 0.1)
          {
             Drag(x11, window, turned, hand);
          }
          return false;
       },
       &placed);
   ScreenKeep(lastShot, screens + "/Best21Placed.png", 960);
   EXPECT_TRUE(shown) << "no face on the first hand with a new turned card after the drag";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}

TEST_F(TwentyOneEndToEnd, Fast21DealsItsTable)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   ASSERT_TRUE(fast);
   std::unique_ptr<Snapshot> dealt;
   ASSERT_NO_FATAL_FAILURE(
       TableReach("Games.Game42", fast.get(), ScreensFolderGet() + "/Fast21Dealt.png", &dealt));
   NumbersShownExpect(*dealt);
   for (int i = 0; i < 4; i++)
   {
      EXPECT_LT(WhiteShareGet(*dealt, PilePointGet(fast.get(), "Tableau", i), 30, 45), 0.1) << "hand " << i;
   }
   EXPECT_LT(WhiteShareGet(*dealt, PilePointGet(fast.get(), "Waste", -1), 30, 45), 0.1);
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
