// Klondike in the running program: from the main menu through the solitaire menu and the settings
// menu that opens on the game's page to a dealt table whose column tops show their faces beside the
// stock's back, and a click on the stock that turns cards onto the waste. Places come from the built layers
// and constants. On the way it prints what the program costs idling five seconds on the main menu and on
// the dealt table.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/ProgramTestSupport.h"

namespace
{
using namespace ProgramTestSupport;
using Corvale::JSONValue;

// The CPU seconds (user and system) the process has used so far; -1 when unreadable.
double ProcessCPUSecondsGet(pid_t process)
{
   const std::string stat = FileRead("/proc/" + std::to_string(process) + "/stat");
   const size_t close = stat.rfind(')');
   if (close == std::string::npos)
   {
      return -1.0;
   }
   // After the command's closing bracket: state is field 3, utime 14 and stime 15.
   unsigned long long user = 0;
   unsigned long long system = 0;
   if (std::sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user,
                   &system) != 2)
   {
      return -1.0;
   }
   return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

class KlondikeEndToEnd : public ProgramFixture
{
 protected:
   // A figure, not a check: what the program costs over five seconds while the player looks at a
   // still screen.
   void IdleCPUPrint(const char* where, const std::string& property)
   {
      const double cpuBefore = ProcessCPUSecondsGet(child);
      const auto idleStart = std::chrono::steady_clock::now();
      std::this_thread::sleep_for(std::chrono::seconds(5));
      const double idleSeconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - idleStart).count();
      const double cpuAfter = ProcessCPUSecondsGet(child);
      if (cpuBefore >= 0.0 && cpuAfter >= 0.0)
      {
         std::printf("Idle on %s: %.3f CPU seconds per second\n", where,
                     (cpuAfter - cpuBefore) / idleSeconds);
         RecordProperty(property, std::to_string((cpuAfter - cpuBefore) / idleSeconds));
      }
   }

   // The face-up top of the column: the column's position moved down by its cards' offsets.
   Point ColumnTopGet(int column)
   {
      Point at = PilePointGet(game.get(), "Tableau", column);
      const JSONValue* piles = game->ItemGet("CardPiles");
      for (int i = 0; i < piles->CountGet(); i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         if (pile->ItemNumberCheck("SecondaryID") && pile->ItemGet("SecondaryID")->IntValueGet() == column &&
             std::string(pile->ItemGet("Type")->StringValueGet()) == "Tableau")
         {
            const Corvale::Point2F offset = PileItemGet(pile, "CardPositionOffset")->Point2FValueGet();
            at.x += static_cast<int>(offset.x * column);
            at.y += static_cast<int>(offset.y * column);
         }
      }
      return at;
   }

   // Every column top shows a face and the stock its back.
   bool DealtCheck(const Snapshot& shot)
   {
      for (int column = 0; column < 7; column++)
      {
         if (WhiteShareGet(shot, ColumnTopGet(column), 40, 60) < 0.35)
         {
            return false;
         }
      }
      // Inside the back, clear of its white rim.
      return WhiteShareGet(shot, PilePointGet(game.get(), "Draw", -1), 30, 44) < 0.1;
   }

   // The pile's own item, else its templates' (the global card pile templates, by "Inherited").
   const JSONValue* PileItemGet(const JSONValue* pile, const char* key)
   {
      const JSONValue* templates = graphics ? graphics->ItemGet("CardPileTemplates") : &JSONValue::nullValue;
      for (int depth = 0; depth < 8 && pile->TypeGet() == JSONValue::TYPE_OBJECT; depth++)
      {
         if (pile->ItemGet(key)->TypeGet() != JSONValue::TYPE_NULL)
         {
            return pile->ItemGet(key);
         }
         const char* inherited = pile->ItemGet("Inherited")->StringValueGet();
         pile = inherited ? templates->ItemGet(inherited) : &JSONValue::nullValue;
      }
      return &JSONValue::nullValue;
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> game =
       DocumentLoad("Scripts/Minigames/KlondikeSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> graphics = DocumentLoad("Graphics/GraphicsConsts");
};

TEST_F(KlondikeEndToEnd, TheDealShowsTheColumnTopsAndAClickOnTheStockTurnsCards)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   ASSERT_TRUE(game);
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   const std::string screens = ScreensFolderGet();
   IdleCPUPrint("the main menu", "MainMenuIdleCPUSecondsPerSecond");

   // Solitaire is the main menu's first game: Play opens the solitaire menu, where Klondike is the
   // third button.
   Point play{}, first{}, klondike{}, gameTab{}, settingsPlay{};
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game1", &first.x, &first.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game3", &klondike.x, &klondike.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
   ASSERT_TRUE(
       LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x, &settingsPlay.y));
   // The solitaire menu: Klondike's button below the first game's, every solitaire built.
   const auto solitaireMenuCheck = [&](const Snapshot& shot)
   {
      return ButtonCheck(shot, first.x, first.y) && ButtonCheck(shot, klondike.x, klondike.y);
   };
   // The settings menu on the game's page: its gold tab above the caption, and its Play.
   const auto settingsMenuCheck = [&](const Snapshot& shot)
   {
      return GoldCheck(shot.At(gameTab.x, gameTab.y - 14)) &&
             ButtonCheck(shot, settingsPlay.x, settingsPlay.y);
   };
   ASSERT_TRUE(ClickUntil(play.x, play.y, solitaireMenuCheck,
                          [&](const Snapshot& shot)
                          { return MainMenuCheck(shot) && ButtonCheck(shot, play.x, play.y); }))
       << "the main menu's Play opened no solitaire menu";
   ScreenKeep(lastShot, screens + "/SolitaireMenu.png", 960);

   // Entering a game opens the settings menu on the game's page first; its Play deals.
   ASSERT_TRUE(ClickUntil(klondike.x, klondike.y, settingsMenuCheck, solitaireMenuCheck))
       << "Klondike's button opened no settings menu on the game's page";
   ScreenKeep(lastShot, screens + "/KlondikeSettingsMenu.png", 960);
   std::unique_ptr<Snapshot> shot;
   ASSERT_TRUE(ClickUntil(
       settingsPlay.x, settingsPlay.y, [&](const Snapshot& seen) { return DealtCheck(seen); },
       settingsMenuCheck, &shot))
       << "the Klondike table never showed its seven column tops beside the stock";
   ScreenKeep(lastShot, screens + "/KlondikeDealt.png", 960);

   IdleCPUPrint("a dealt Klondike table", "IdleCPUSecondsPerSecond");

   const Point stock = PilePointGet(game.get(), "Draw", -1);
   const Point waste = PilePointGet(game.get(), "Talon", -1);
   EXPECT_LT(WhiteShareGet(*shot, waste, 40, 60), 0.1) << "the waste starts empty";
   // The waste fans its top cards to the right of its place.
   const bool turned = ClickUntil(
       stock.x, stock.y,
       [&](const Snapshot& seen) {
          return WhiteShareGet(seen, Point{waste.x + 44, waste.y}, 40, 60) > 0.35;
       },
       [&](const Snapshot& seen) { return DealtCheck(seen) && WhiteShareGet(seen, waste, 40, 60) < 0.1; });
   ScreenKeep(lastShot, screens + "/KlondikeStockTurned.png", 960);
   EXPECT_TRUE(turned) << "no face on the waste after the click on the stock";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
