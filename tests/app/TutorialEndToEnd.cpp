// Klondike's tutorial in the running program, reached as a player reaches it: the menu bar's Help,
// the help screen's games page, Solitaire and Klondike chosen in its drop-down lists, and the
// tutorial button. At its first line the deal shows its faces where the setup pose puts them; a
// click lets it go on and the cards move; Escape returns to the main menu, and the program closes
// through the menu bar.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>

#include "app/Minigames.h"
#include "tests/app/ProgramTestSupport.h"

namespace
{
using namespace ProgramTestSupport;

using TutorialEndToEnd = ProgramFixture;

// The face-up cards of the deal, centred on these window points: the column tops from x 180, 100
// apart, each fanned 20 lower than the one before.
constexpr Point FACE_UP_FIRST{180, 400};
constexpr int FACE_UP_COUNT = 7;

bool WhiteCheck(const Rgb& c)
{
   return c.r > 215 && c.g > 215 && c.b > 215;
}

// Every column top shows a face: a white left margin and ink in the middle.
bool DealFacesCheck(const Snapshot& shot)
{
   for (int i = 0; i < FACE_UP_COUNT; i++)
   {
      const Point card{FACE_UP_FIRST.x + 100 * i, FACE_UP_FIRST.y + 20 * i};
      bool ink = false;
      for (int dy = -40; dy <= 40 && !ink; dy += 2)
      {
         ink = !WhiteCheck(shot.At(card.x, card.y + dy));
      }
      if (!WhiteCheck(shot.At(card.x - 33, card.y + 8)) || !ink)
      {
         return false;
      }
   }
   return true;
}

// The cream balloon of a line at the top left, by its left and right ends.
bool BalloonCheck(const Snapshot& shot)
{
   for (const Point at : {Point{12, 60}, Point{420, 60}})
   {
      const Rgb c = shot.At(at.x, at.y);
      if (!(c.r > 220 && c.g > 210 && c.b > 170 && c.b < c.r - 10))
      {
         return false;
      }
   }
   return true;
}

// Klondike's row in the help's solitaire list: the list holds the built games of "SolitaireGames"
// in their order, so every built solitaire named before Klondike pushes it one row down.
int KlondikeRowGet()
{
   std::ifstream file(std::string(CORVALE_SOURCE_DIR) + "/data/Scripts/BuildConsts.json");
   const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
   std::smatch list;
   if (!std::regex_search(text, list, std::regex("\"SolitaireGames\"\\s*:\\s*\\[([^\\]]*)\\]")))
   {
      return -1;
   }
   const std::string names = list[1].str();
   Corvale::MinigamesRegister();
   int row = -1;
   int built = 0;
   const std::regex quoted("\"([A-Za-z0-9]+)\"");
   for (auto it = std::sregex_iterator(names.begin(), names.end(), quoted); it != std::sregex_iterator(); ++it)
   {
      const std::string name = (*it)[1].str();
      if (name == "KlondikeSolitaire")
      {
         row = built;
         break;
      }
      built += Corvale::MinigameAvailableCheck(Corvale::MinigameGetByName(name.c_str())) ? 1 : 0;
   }
   Corvale::MinigamesUnregister();
   return row;
}

// The nearly white points from a to b, every other one.
int WhiteCountGet(const Snapshot& shot, Point a, Point b)
{
   int white = 0;
   for (int y = a.y; y < b.y; y += 2)
   {
      for (int x = a.x; x < b.x; x += 2)
      {
         white += WhiteCheck(shot.At(x, y)) ? 1 : 0;
      }
   }
   return white;
}

// The share of sampled points that differ between two screens in the box from (left, top) to
// (right, bottom).
double ChangedShareGet(const Snapshot& a, const Snapshot& b, int left, int top, int right, int bottom)
{
   int changed = 0;
   int all = 0;
   for (int y = top; y < bottom; y += 4)
   {
      for (int x = left; x < right; x += 4)
      {
         const Rgb p = a.At(x, y);
         const Rgb q = b.At(x, y);
         changed += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60 ? 1 : 0;
         all++;
      }
   }
   return all > 0 ? static_cast<double>(changed) / all : 0.0;
}

TEST_F(TutorialEndToEnd, HelpStartsKlondikesTutorialWhoseCardsMoveAndEscapeReturnsToTheMenu)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());

   Point help{}, general{}, games{}, tutorial{};
   ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Help", &help.x, &help.y));
   ASSERT_TRUE(LayerFiles::CentreGet("Help", "Panel.SubmenuButtons.General", &general.x, &general.y));
   ASSERT_TRUE(LayerFiles::CentreGet("Help", "Panel.SubmenuButtons.Games", &games.x, &games.y));
   ASSERT_TRUE(
       LayerFiles::CentreGet("Help", "Panel.Submenus.Games.TutorialButton", &tutorial.x, &tutorial.y));
   // A chosen page's tab is gold above its caption.
   const auto tabCheck = [](const Point& tab)
   { return [tab](const Snapshot& shot) { return GoldCheck(shot.At(tab.x, tab.y - 14)); }; };

   // Help from the main menu opens on the general page.
   ASSERT_TRUE(ClickUntil(help.x, help.y, tabCheck(general),
                          [](const Snapshot& shot) { return MainMenuCheck(shot); }))
       << "the menu bar's Help opened no help screen";
   ScreenKeep(lastShot, screens + "/HelpGeneral.png", 960);
   ASSERT_TRUE(ClickUntil(games.x, games.y, tabCheck(games), tabCheck(general)))
       << "the help's games page never showed";

   // Each list is clicked open and its game chosen, which closes it again: Solitaire, first in the
   // games, then Klondike in the solitaire games. An open list covers the page's white text with its
   // dark items, whose names are centred: a strip along the list's left edge is white only while
   // it is closed, however many games it holds.
   const int klondikeRow = KlondikeRowGet();
   ASSERT_GE(klondikeRow, 0) << "Klondike is not in the solitaire list";
   for (const auto& [name, row] : {std::pair<const char*, int>{"GameList", 0}, {"SolitaireGameList", klondikeRow}})
   {
      const std::string list = std::string("Panel.Submenus.Games.") + name;
      float openButton[4] = {}, scrollBox[4] = {}, item[4] = {};
      ASSERT_TRUE(LayerFiles::BoxGet("Help", list.c_str(), openButton));
      ASSERT_TRUE(LayerFiles::BoxGet("Help", (list + ".ScrollBox").c_str(), scrollBox));
      ASSERT_TRUE(LayerFiles::BoxGet("Help", (list + ".ItemTemplate").c_str(), item));
      const int left = static_cast<int>(scrollBox[0]);
      const int top = static_cast<int>(scrollBox[1]);
      ASSERT_LT((row + 1) * item[3], scrollBox[3]) << list << ": the game's row is scrolled out of sight";
      const Point strip{left + 4, top + 4};
      const Point end{left + 34, top + static_cast<int>(scrollBox[3]) - 4};
      const auto closedCheck = [&](const Snapshot& shot) { return WhiteCountGet(shot, strip, end) > 10; };
      const auto openCheck = [&](const Snapshot& shot) { return WhiteCountGet(shot, strip, end) == 0; };
      ASSERT_TRUE(ClickUntil(static_cast<int>(openButton[0] + openButton[2] / 2),
                             static_cast<int>(openButton[1] + openButton[3] / 2), openCheck, closedCheck))
          << list << " did not open";
      ScreenKeep(lastShot, screens + "/Help" + name + "Open.png", 960);
      ASSERT_TRUE(ClickUntil(left + static_cast<int>(item[2] / 2),
                             top + static_cast<int>(item[3] * row + item[3] / 2), closedCheck, openCheck))
          << list << " did not close on its game";
   }
   ScreenKeep(lastShot, screens + "/HelpKlondike.png", 960);

   // The tutorial button leaves the menus for the tutorial's table, where the deal stands.
   ASSERT_TRUE(ClickUntil(tutorial.x, tutorial.y, DealFacesCheck,
                          [&](const Snapshot& shot) { return ButtonCheck(shot, tutorial.x, tutorial.y); }))
       << "the tutorial's deal never showed";
   // Its first line halts it: the narrator speaks it (no balloon then) and the screen stands still,
   // with the faces of the deal.
   std::unique_ptr<Snapshot> halted = Snap();
   ASSERT_TRUE(ScreenWait(
       [&](const Snapshot& shot)
       {
          const bool still = !BalloonCheck(shot) && ChangedShareGet(*halted, shot, 0, 0, 960, 720) == 0.0;
          halted = std::make_unique<Snapshot>(lastShot);
          return still;
       }))
       << "the tutorial never halted at its first line";
   ScreenKeep(lastShot, screens + "/TutorialFirstLine.png", 960);
   EXPECT_TRUE(DealFacesCheck(*halted)) << "the deal's faces are not where the setup pose puts them";

   // A click cuts the line short (or it ends by itself) and the lesson goes on: things move on the
   // table.
   const auto movedCheck = [&](const Snapshot& shot)
   { return ChangedShareGet(*halted, shot, 0, 140, 960, 640) > 0.01; };
   ASSERT_TRUE(ClickUntil(300, 640, movedCheck, [](const Snapshot&) { return true; }))
       << "nothing moved once the first line was over";
   ScreenKeep(lastShot, screens + "/TutorialMoved.png", 960);

   // Escape ends the tutorial for the main menu, which closes the program through its menu bar.
   int look = 0;
   ASSERT_TRUE(ScreenWait(
       [&](const Snapshot& shot)
       {
          if (look++ % 10 == 0 && !MainMenuCheck(shot) && DealFacesCheck(shot))
          {
             x11.KeyTap(window, XK_Escape);
          }
          return MainMenuCheck(shot);
       }))
       << "Escape did not return to the main menu";
   ASSERT_NO_FATAL_FAILURE(CloseThroughTheMenuBar(0));
}
} // namespace
