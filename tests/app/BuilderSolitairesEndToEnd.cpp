// Yukon, Scorpion, Four Seasons, Forty Thieves, Seahaven Towers and Mount Olympus in one run of the
// program: each started from the solitaire menu through the settings menu on its page, its dealt
// table read off the screenshots at the constants' pile places (column tops, Yukon's and Scorpion's
// backs, the stocks, cells and foundations dealt to), then left through the menu bar's Back.
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

class BuilderSolitairesEndToEnd : public ProgramFixture
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
      ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Back", &back.x, &back.y));
      ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.Yes", &yes.x, &yes.y));
      ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.No", &no.x, &no.y));
   }

   // Both buttons of the question: a card's blue back may lie where one of them shows.
   bool QuestionCheck(const Snapshot& seen)
   {
      return ButtonCheck(seen, yes.x, yes.y) && ButtonCheck(seen, no.x, no.y);
   }

   bool SettingsMenuCheck(const Snapshot& seen)
   {
      return GoldCheck(seen.At(gameTab.x, gameTab.y - 14)) &&
             ButtonCheck(seen, settingsPlay.x, settingsPlay.y);
   }

   // From the solitaire menu (or the main menu the first time) to the dealt table the check
   // recognises; its screenshot is kept under the name.
   template <typename Dealt>
   void TableReach(const char* button, Dealt dealt, const std::string& keptAs,
                   std::unique_ptr<Snapshot>* shot)
   {
      Point entry{};
      ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", button, &entry.x, &entry.y));
      const auto solitaireMenuCheck = [&](const Snapshot& seen)
      { return ButtonCheck(seen, entry.x, entry.y); };
      const auto settingsMenuCheck = [&](const Snapshot& seen) { return SettingsMenuCheck(seen); };
      if (first)
      {
         first = false;
         ASSERT_NO_FATAL_FAILURE(MainMenuReach());
         ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                                [&](const Snapshot& seen)
                                { return MainMenuCheck(seen) && ButtonCheck(seen, play.x, play.y); }))
             << "the main menu's Play opened no solitaire menu";
      }
      else
      {
         // Back from the table asks to quit; Yes leaves for the settings menu, whose Back leaves
         // for the solitaire menu.
         ASSERT_TRUE(ClickUntil(
             back.x, back.y, [&](const Snapshot& seen) { return QuestionCheck(seen); },
             [&](const Snapshot& seen) { return !QuestionCheck(seen); }))
             << "Back asked nothing on the table";
         ASSERT_TRUE(ClickUntil(
             yes.x, yes.y,
             [&](const Snapshot& seen) { return settingsMenuCheck(seen) || solitaireMenuCheck(seen); },
             [&](const Snapshot& seen) { return QuestionCheck(seen); }))
             << "Yes did not leave the table";
         ASSERT_TRUE(ClickUntil(back.x, back.y, solitaireMenuCheck, settingsMenuCheck))
             << "Back did not lead to the solitaire menu";
      }
      ASSERT_TRUE(ClickUntil(entry.x, entry.y, settingsMenuCheck, solitaireMenuCheck))
          << button << " opened no settings menu on the game's page";
      ASSERT_TRUE(ClickUntil(settingsPlay.x, settingsPlay.y, dealt, settingsMenuCheck, shot))
          << "the table of " << button << " never showed its deal";
      ScreenKeep(lastShot, keptAs, 960);
   }

   // The pile's place moved by its cards' offset times the index.
   static Point CardPointGet(const JSONValue* game, const char* type, int secondaryID, int index, int dx,
                             int dy)
   {
      Point at = PilePointGet(game, type, secondaryID);
      at.x += dx * index;
      at.y += dy * index;
      return at;
   }

   using Document = std::unique_ptr<JSONValue, void (*)(JSONValue*)>;
   Document yukon = DocumentLoad("Scripts/Minigames/YukonSolitaire");
   Document scorpion = DocumentLoad("Scripts/Minigames/ScorpionSolitaire");
   Document seasons = DocumentLoad("Scripts/Minigames/FourSeasonsSolitaire");
   Document thieves = DocumentLoad("Scripts/Minigames/FortyThievesSolitaire");
   Document seahaven = DocumentLoad("Scripts/Minigames/SeahavenTowersSolitaire");
   Document olympus = DocumentLoad("Scripts/Minigames/MountOlympusSolitaire");
   Point play{}, gameTab{}, settingsPlay{}, back{}, yes{}, no{};
   bool first = true;
};

TEST_F(BuilderSolitairesEndToEnd, EachGameDealsItsTableFromTheSolitaireMenu)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(600);
   ASSERT_TRUE(yukon && scorpion && seasons && thieves && seahaven && olympus);
   const std::string screens = ScreensFolderGet();
   std::unique_ptr<Snapshot> shot;
   // Large cards are 100 by 140 and fan 24 apart, Medium ones 80 by 112 and 19 apart.
   const auto face = [](const Snapshot& seen, Point at, bool large)
   { return WhiteShareGet(seen, at, large ? 40 : 30, large ? 60 : 45) > FACE; };
   const auto back = [](const Snapshot& seen, Point at, bool large)
   { return WhiteShareGet(seen, at, large ? 35 : 28, large ? 55 : 42) < BACK; };

   // Yukon: every column's top face (column k holds k backs under five faces, column 0 one face),
   // and column 6's six backs, each seen in the strip the card above leaves of it.
   const auto yukonDealt = [&](const Snapshot& seen)
   {
      for (int column = 0; column < 7; column++)
      {
         if (!face(seen, CardPointGet(yukon.get(), "Tableau", column, column == 0 ? 0 : column + 4, 0, 24),
                   true))
         {
            return false;
         }
      }
      for (int k = 0; k < 6; k++)
      {
         Point strip = CardPointGet(yukon.get(), "Tableau", 6, k, 0, 24);
         strip.y += 12 - 70;
         if (WhiteShareGet(seen, strip, 30, 6) > BACK)
         {
            return false;
         }
      }
      return true;
   };
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game11", yukonDealt, screens + "/YukonDealt.png", &shot));

   // Scorpion: seven columns of seven, three backs under the first four, three cards in the stock.
   const auto scorpionDealt = [&](const Snapshot& seen)
   {
      for (int column = 0; column < 7; column++)
      {
         if (!face(seen, CardPointGet(scorpion.get(), "Tableau", column, 6, 0, 24), true))
         {
            return false;
         }
      }
      Point strip = CardPointGet(scorpion.get(), "Tableau", 0, 2, 0, 24);
      strip.y += 12 - 70;
      return WhiteShareGet(seen, strip, 30, 6) < BACK &&
             back(seen, PilePointGet(scorpion.get(), "Draw", -1), true);
   };
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game7", scorpionDealt, screens + "/ScorpionDealt.png", &shot));

   // Four Seasons: a face on each of the five columns of the cross and on the first foundation.
   const auto seasonsDealt = [&](const Snapshot& seen)
   {
      for (int column = 0; column < 5; column++)
      {
         if (!face(seen, PilePointGet(seasons.get(), "Tableau", column), false))
         {
            return false;
         }
      }
      return face(seen, PilePointGet(seasons.get(), "Foundation", 0), false) &&
             back(seen, PilePointGet(seasons.get(), "Draw", -1), false);
   };
   ASSERT_NO_FATAL_FAILURE(
       TableReach("Games.Game14", seasonsDealt, screens + "/FourSeasonsDealt.png", &shot));
   EXPECT_LT(WhiteShareGet(*shot, PilePointGet(seasons.get(), "Talon", -1), 28, 42), BACK)
       << "the waste is empty";

   // Forty Thieves: four faces in each of ten columns, the stock's back.
   const auto thievesDealt = [&](const Snapshot& seen)
   {
      for (int column = 0; column < 10; column++)
      {
         if (!face(seen, CardPointGet(thieves.get(), "Tableau", column, 3, 0, 19), false))
         {
            return false;
         }
      }
      return back(seen, PilePointGet(thieves.get(), "Draw", -1), false);
   };
   ASSERT_NO_FATAL_FAILURE(
       TableReach("Games.Game20", thievesDealt, screens + "/FortyThievesDealt.png", &shot));

   // Seahaven Towers: five faces in each of ten columns, and the first two cells.
   const auto seahavenDealt = [&](const Snapshot& seen)
   {
      for (int column = 0; column < 10; column++)
      {
         if (!face(seen, CardPointGet(seahaven.get(), "Tableau", column, 4, 0, 19), false))
         {
            return false;
         }
      }
      return face(seen, PilePointGet(seahaven.get(), "Reserve", 0), false) &&
             face(seen, PilePointGet(seahaven.get(), "Reserve", 1), false);
   };
   ASSERT_NO_FATAL_FAILURE(
       TableReach("Games.Game31", seahavenDealt, screens + "/SeahavenTowersDealt.png", &shot));
   EXPECT_LT(WhiteShareGet(*shot, PilePointGet(seahaven.get(), "Reserve", 3), 28, 42), BACK)
       << "cell 3 is empty";

   // Mount Olympus: a face on all sixteen foundations and nine columns, the stock's back.
   const auto olympusDealt = [&](const Snapshot& seen)
   {
      for (int pile = 0; pile < 16; pile++)
      {
         if (!face(seen, PilePointGet(olympus.get(), "Foundation", pile), false) ||
             (pile < 9 && !face(seen, PilePointGet(olympus.get(), "Tableau", pile), false)))
         {
            return false;
         }
      }
      return back(seen, PilePointGet(olympus.get(), "Draw", -1), false);
   };
   ASSERT_NO_FATAL_FAILURE(
       TableReach("Games.Game33", olympusDealt, screens + "/MountOlympusDealt.png", &shot));
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
