// Crazy Eights in the running program: from the main menu to the dealt table, where the human's
// five faces, the face-up starter and the orange back of the stock lie where the built constants
// put them.
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

// The share of the game's orange back colour in the box of half size (w, h) around the point.
double OrangeShareGet(const Snapshot& shot, Point centre, int w, int h)
{
   int orange = 0, all = 0;
   for (int y = centre.y - h; y < centre.y + h; y += 2)
   {
      for (int x = centre.x - w; x < centre.x + w; x += 2)
      {
         const Rgb c = shot.At(x, y);
         orange += c.r > 180 && c.g > 70 && c.g < 235 && c.b < 150 && c.r > c.b + 80 ? 1 : 0;
         all++;
      }
   }
   return all > 0 ? static_cast<double>(orange) / all : 0.0;
}

// The "Position" and "CardPositionOffset" of the pile of that type and owner.
bool HandGet(const JSONValue* game, int owner, Point* at, int* step)
{
   const JSONValue* piles = game->ItemGet("CardPiles");
   for (int i = 0; i < piles->CountGet(); i++)
   {
      const JSONValue* pile = piles->ElementGet(i);
      const char* type = pile->ItemGet("Type")->StringValueGet();
      if (type && std::string(type) == "Hand" && pile->ItemGet("OwnerID")->IntValueGet() == owner)
      {
         const Corvale::Point2F position = pile->ItemGet("Position")->Point2FValueGet();
         *at = Point{static_cast<int>(position.x), static_cast<int>(position.y)};
         // The human's hand inherits the medium row fan of the graphics constants: 32 apart.
         *step = pile->ItemNumberCheck("CardPositionOffset")
                     ? static_cast<int>(pile->ItemGet("CardPositionOffset")->Point2FValueGet().x)
                     : 32;
         return true;
      }
   }
   return false;
}

class CrazyEightsEndToEnd : public ProgramFixture
{
 protected:
   // The main menu's selector steps down that many games; each step must show before the next.
   void SelectorStep(int steps)
   {
      auto headerGet = [](const Snapshot& shot)
      {
         long long sum = 0;
         for (int py = 130; py < 225; py += 3)
         {
            for (int px = 170; px < 790; px += 3)
            {
               const Rgb colour = shot.At(px, py);
               sum += (colour.r * 3 + colour.g * 5 + colour.b * 7) * (px + 7 * py);
            }
         }
         return sum;
      };
      std::unique_ptr<Snapshot> before = Snap();
      ASSERT_NE(before->bitmap, nullptr);
      for (int step = 0; step < steps; ++step)
      {
         const long long previous = headerGet(*before);
         bool moved = false;
         for (int look = 0; !moved && window && std::chrono::steady_clock::now() < deadline; ++look)
         {
            if (look % 10 == 0)
            {
               x11.KeyTap(window, XK_Down);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            before = Snap();
            ASSERT_NE(before->bitmap, nullptr);
            moved = headerGet(*before) != previous;
         }
         ASSERT_TRUE(moved) << "the main menu did not move to its next game at step " << step;
         for (long long last = -1; window && std::chrono::steady_clock::now() < deadline;)
         {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            before = Snap();
            ASSERT_NE(before->bitmap, nullptr);
            const long long now = headerGet(*before);
            if (now == last)
            {
               break;
            }
            last = now;
         }
      }
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> game = DocumentLoad("Scripts/Minigames/CrazyEights");
};

TEST_F(CrazyEightsEndToEnd, TheDealtTableShowsFacesStarterAndStock)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(150);
   ASSERT_TRUE(game);
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   // Crazy Eights is the fourth entry of the main menu's games.
   ASSERT_NO_FATAL_FAILURE(SelectorStep(3));
   const Point draw = PilePointGet(game.get(), "Draw", -1);
   const Point discard = PilePointGet(game.get(), "Discard", -1);
   Point hand;
   int step = 0;
   ASSERT_TRUE(HandGet(game.get(), 0, &hand, &step));
   int x = 0, y = 0, playX = 0, playY = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &x, &y));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &playX, &playY));
   auto dealt = [&](const Snapshot& seen)
   {
      for (int i = 0; i < 5; ++i)
      {
         // The strip of each medium face (80 wide) that the next card leaves open, the last whole.
         const Point face{hand.x + step * i - (i < 4 ? 40 - step / 2 : 0), hand.y};
         if (WhiteShareGet(seen, face, i < 4 ? 6 : 30, 40) < 0.3)
         {
            return false;
         }
      }
      return WhiteShareGet(seen, discard, 30, 45) > 0.3 && OrangeShareGet(seen, draw, 30, 45) > 0.4;
   };
   bool seen = false;
   std::unique_ptr<Snapshot> shot;
   for (int look = 0; !seen && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 20 == 0)
      {
         x11.Click(window, x, y);
      }
      else if (look % 20 == 10)
      {
         x11.Click(window, playX - 50, playY);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      seen = dealt(*shot);
   }
   ScreenKeep(lastShot, screens + "/CrazyEightsDealt.png", 960);
   ASSERT_TRUE(seen) << "no dealt Crazy Eights table";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
