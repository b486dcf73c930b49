// The walk from the solitaire menu to a game's table that the solitaires' end-to-end tests share:
// the game's button, the settings menu on its page and its Play until the dealt table shows; the
// next game is reached back through the menu bar's Back and the quit question.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/ProgramTestSupport.h"

namespace ProgramTestSupport
{
class SolitaireMenuGameFixture : public ProgramFixture
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
   static Point CardPointGet(const Corvale::JSONValue* game, const char* type, int secondaryID, int index,
                             int dx, int dy)
   {
      Point at = PilePointGet(game, type, secondaryID);
      at.x += dx * index;
      at.y += dy * index;
      return at;
   }

   Point play{}, gameTab{}, settingsPlay{}, back{}, yes{}, no{};
   bool first = true;
};
} // namespace ProgramTestSupport
