// Crazy Eights in the running program: from the main menu to the dealt table, where the human's
// five faces, the face-up starter and the orange back of the stock lie where the built constants
// put them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/MainMenuGameFixture.h"

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

class CrazyEightsEndToEnd : public MainMenuGameFixture
{
 protected:
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
   std::unique_ptr<Snapshot> shot;
   ASSERT_NO_FATAL_FAILURE(PlayUntil(dealt, &shot, "CrazyEightsNotDealt.png"));
   ScreenKeep(lastShot, screens + "/CrazyEightsDealt.png", 960);
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
