// Canfield, Spider and Spiderette in the running program: from the main menu through the solitaire
// menu and the settings menu to a dealt table whose column tops show their faces beside the stock's
// back; in Spider a click on the stock puts a new face on every column. Places come from the built
// constants.
#include <gtest/gtest.h>

#include <functional>
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

class CanfieldSpiderEndToEnd : public ProgramFixture
{
 protected:
   // The top card of a column of count cards, fanned down by fan pixels each.
   static Point ColumnTopGet(const JSONValue* game, int column, int count, int fan)
   {
      Point at = PilePointGet(game, "Tableau", column);
      at.y += fan * (count - 1);
      return at;
   }

   // Every column top shows a face (of a card of half size w, h) and the stock, leaning by its
   // cards' quarter-unit offsets, its back.
   static bool DealtCheck(const Snapshot& shot, const JSONValue* game, const std::vector<int>& counts,
                          int fan, int w, int h, int stockLean)
   {
      for (size_t column = 0; column < counts.size(); column++)
      {
         if (WhiteShareGet(shot, ColumnTopGet(game, static_cast<int>(column), counts[column], fan), w, h) <
             0.35)
         {
            return false;
         }
      }
      Point stock = PilePointGet(game, "Draw", -1);
      stock.x += stockLean;
      stock.y += stockLean;
      return WhiteShareGet(shot, stock, w * 3 / 4, h * 3 / 4) < 0.1;
   }

   // From the main menu to the game's dealt table through its solitaire-menu button.
   void TableReach(const char* button, const std::function<bool(const Snapshot&)>& dealtCheck,
                   const std::string& keptAs, std::unique_ptr<Snapshot>* shot)
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
      ScreenKeep(lastShot, keptAs + "Settings.png", 960);
      ASSERT_TRUE(ClickUntil(settingsPlay.x, settingsPlay.y, dealtCheck, settingsMenuCheck, shot))
          << "the table never showed its column tops beside the stock's back";
      ScreenKeep(lastShot, keptAs + "Dealt.png", 960);
   }

   void Finish()
   {
      Stop();
      EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> canfield =
       DocumentLoad("Scripts/Minigames/CanfieldSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> spider =
       DocumentLoad("Scripts/Minigames/SpiderSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> spiderette =
       DocumentLoad("Scripts/Minigames/SpideretteSolitaire");
};

TEST_F(CanfieldSpiderEndToEnd, CanfieldDealsItsColumnsReserveAndFirstFoundation)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   ASSERT_TRUE(canfield);
   const JSONValue* game = canfield.get();
   std::unique_ptr<Snapshot> dealt;
   ASSERT_NO_FATAL_FAILURE(TableReach(
       "Games.Game8",
       [&](const Snapshot& seen) {
          return DealtCheck(seen, game, {1, 1, 1, 1}, 0, 40, 60, 8);
       },
       ScreensFolderGet() + "/Canfield", &dealt));
   // The reserve's top and the first foundation show faces too, once the deal has settled.
   Point reserve = PilePointGet(game, "Tableau", 4);
   reserve.x += 3;
   reserve.y += 3;
   const Point first = PilePointGet(game, "Foundation", 0);
   const Point second = PilePointGet(game, "Foundation", 1);
   std::unique_ptr<Snapshot> settled;
   EXPECT_TRUE(ScreenWait(
       [&](const Snapshot& seen)
       {
          return WhiteShareGet(seen, reserve, 40, 60) > 0.35 && WhiteShareGet(seen, first, 40, 60) > 0.35 &&
                 WhiteShareGet(seen, second, 40, 60) < 0.1 &&
                 DealtCheck(seen, game, {1, 1, 1, 1}, 0, 40, 60, 8);
       },
       &settled))
       << "the reserve's top or the first foundation shows no face";
   ScreenKeep(lastShot, ScreensFolderGet() + "/CanfieldSettled.png", 960);
   Finish();
}

TEST_F(CanfieldSpiderEndToEnd, SpiderDealsAndAClickOnTheStockPutsAFaceOnEveryColumn)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   ASSERT_TRUE(spider);
   const JSONValue* game = spider.get();
   const std::vector<int> counts = {6, 6, 6, 6, 5, 5, 5, 5, 5, 5};
   std::unique_ptr<Snapshot> dealt;
   ASSERT_NO_FATAL_FAILURE(TableReach(
       "Games.Game2", [&](const Snapshot& seen) { return DealtCheck(seen, game, counts, 19, 30, 45, 12); },
       ScreensFolderGet() + "/Spider", &dealt));
   // Under each column's top card, the strip that the next card's fan uncovers.
   const auto rowDealtCheck = [&](const Snapshot& seen)
   {
      for (size_t column = 0; column < counts.size(); column++)
      {
         Point strip = ColumnTopGet(game, static_cast<int>(column), counts[column], 19);
         strip.y += 56 + 10;
         if (WhiteShareGet(seen, strip, 30, 7) < 0.35)
         {
            return false;
         }
      }
      return true;
   };
   const Point stock = PilePointGet(game, "Draw", -1);
   const bool shown =
       ClickUntil(stock.x + 12, stock.y + 12, rowDealtCheck,
                  [&](const Snapshot& seen)
                  { return DealtCheck(seen, game, counts, 19, 30, 45, 12) && !rowDealtCheck(seen); });
   ScreenKeep(lastShot, ScreensFolderGet() + "/SpiderRowDealt.png", 960);
   EXPECT_TRUE(shown) << "no new face on every column after the click on the stock";
   Finish();
}

TEST_F(CanfieldSpiderEndToEnd, SpideretteDealsItsKlondikeColumns)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   ASSERT_TRUE(spiderette);
   const JSONValue* game = spiderette.get();
   std::unique_ptr<Snapshot> dealt;
   ASSERT_NO_FATAL_FAILURE(TableReach(
       "Games.Game29",
       [&](const Snapshot& seen) {
          return DealtCheck(seen, game, {1, 2, 3, 4, 5, 6, 7}, 24, 40, 60, 6);
       },
       ScreensFolderGet() + "/Spiderette", &dealt));
   EXPECT_LT(WhiteShareGet(*dealt, PilePointGet(game, "Foundation", -1), 40, 60), 0.1) << "the foundation";
   Finish();
}
} // namespace
