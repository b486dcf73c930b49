// War and Memory Match in the running program: War from the main menu, where a click on the
// human's pile lays a face-up card on the human's trick pile; then, left through its quit
// question, Memory Match, whose sixteen blue backs lie where the grid formula puts them and turn
// face up at a click. Places come from the built constants.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/MainMenuGameFixture.h"
#include "tests/app/ProgramTestSupport.h"

namespace
{
using namespace ProgramTestSupport;
using Corvale::JSONValue;

// Blue dominates the pixels of the box: a Memory Match back.
bool BlueBackCheck(const Snapshot& shot, Point centre)
{
   int blue = 0, all = 0;
   for (int y = centre.y - 40; y < centre.y + 40; y += 2)
   {
      for (int x = centre.x - 28; x < centre.x + 28; x += 2)
      {
         const Rgb c = shot.At(x, y);
         blue += c.b > 150 && c.b > c.r + 40 ? 1 : 0;
         all++;
      }
   }
   return blue * 2 > all;
}

// The share of the box that is neither the table's dark felt nor a card's white face: a back.
double BackShareGet(const Snapshot& shot, Point centre, int w, int h)
{
   int back = 0, all = 0;
   for (int y = centre.y - h; y < centre.y + h; y += 2)
   {
      for (int x = centre.x - w; x < centre.x + w; x += 2)
      {
         const Rgb c = shot.At(x, y);
         const bool felt = c.r < 60 && c.g < 90 && c.b < 70;
         const bool white = c.r > 225 && c.g > 225 && c.b > 225;
         back += felt || white ? 0 : 1;
         all++;
      }
   }
   return all > 0 ? static_cast<double>(back) / all : 0.0;
}

// Light text on the human's panel where its third line ("Wars: 0") shows; the main menu has none
// there.
bool WarsLineShownCheck(const Snapshot& shot)
{
   int light = 0;
   for (int y = 655; y < 690; y++)
   {
      for (int x = 152; x < 272; x++)
      {
         const Rgb c = shot.At(x, y);
         light += c.r > 200 && c.g > 200 ? 1 : 0;
      }
   }
   return light > 20;
}

class TableGamesEndToEnd : public MainMenuGameFixture
{
 protected:
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> war = DocumentLoad("Scripts/Minigames/War");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> match = DocumentLoad("Scripts/Minigames/MemoryMatch");
};

TEST_F(TableGamesEndToEnd, WarPlaysACardThenMemoryMatchTurnsOne)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(150);
   ASSERT_TRUE(war && match);
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   // War is the third entry of the main menu's games.
   ASSERT_NO_FATAL_FAILURE(SelectorStep(2));
   const Point draw = PilePointGet(war.get(), "Draw", 0);
   const Point trick = PilePointGet(war.get(), "Trick", 0);
   std::unique_ptr<Snapshot> shot;
   ASSERT_NO_FATAL_FAILURE(PlayUntil(
       [&](const Snapshot& seen)
       {
          return BackShareGet(seen, draw, 40, 60) > 0.6 &&
                 BackShareGet(seen, PilePointGet(war.get(), "Draw", 1), 40, 60) > 0.6 &&
                 WhiteShareGet(seen, trick, 40, 60) < 0.1 && WarsLineShownCheck(seen);
       },
       &shot));
   ScreenKeep(lastShot, screens + "/WarDealt.png", 960);
   // The human's click plays the top card face up onto the human's trick pile.
   bool played = false;
   for (int look = 0; !played && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 10 == 0)
      {
         x11.Click(window, draw.x, draw.y);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      played = WhiteShareGet(*shot, trick, 40, 60) > 0.35;
   }
   ScreenKeep(lastShot, screens + "/WarPlayed.png", 960);
   ASSERT_TRUE(played) << "no face-up card on the human's trick pile after the click";

   // Leave through the quit question, back to the main menu.
   int yesX = 0, yesY = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.Yes", &yesX, &yesY));
   bool menu = false;
   for (int look = 0; !menu && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 10 == 0)
      {
         x11.KeyTap(window, XK_Escape);
      }
      else if (look % 10 == 5)
      {
         x11.Click(window, yesX, yesY);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      menu = MainMenuCheck(*shot);
   }
   ASSERT_TRUE(menu) << "the quit question led back to no main menu";
   // Memory Match sits six games below War.
   ASSERT_NO_FATAL_FAILURE(SelectorStep(6));
   std::vector<Point> cells;
   for (int r = 0; r < 4; ++r)
   {
      for (int c = 0; c < 4; ++c)
      {
         // The grid formula with the shipped size, padding and centre.
         cells.push_back(Point{static_cast<int>(88 * c + 400 - (80 * 4 + 8 * 3) / 2 + 40),
                               static_cast<int>(118 * r + 362 - (112 * 4 + 6 * 3) / 2 + 56)});
      }
   }
   ASSERT_NO_FATAL_FAILURE(PlayUntil(
       [&](const Snapshot& seen)
       {
          for (const Point& cell : cells)
          {
             if (!BlueBackCheck(seen, cell))
             {
                return false;
             }
          }
          return true;
       },
       &shot));
   ScreenKeep(lastShot, screens + "/MemoryMatchDealt.png", 960);
   bool turned = false;
   for (int look = 0; !turned && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 10 == 0)
      {
         x11.Click(window, cells[5].x, cells[5].y);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      turned = WhiteShareGet(*shot, cells[5], 30, 45) > 0.35;
   }
   ScreenKeep(lastShot, screens + "/MemoryMatchTurned.png", 960);
   EXPECT_TRUE(turned) << "the clicked cell shows no face";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
