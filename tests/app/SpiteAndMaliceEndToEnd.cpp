// Spite and Malice in the running program: from the main menu to the table, where the human's five
// cards and both goal tops show their faces where the built constants put them; the first expand
// button hides the human's other discard piles, and a second press brings them back.
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

// A pile's position by type, secondary id and owner, as the rules find it.
Point PileAt(const JSONValue* game, const char* type, int secondary, int owner)
{
   const JSONValue* piles = game->ItemGet("CardPiles");
   for (int i = 0; i < piles->CountGet(); i++)
   {
      const JSONValue* pile = piles->ElementGet(i);
      const char* pileType = pile->ItemGet("Type")->StringValueGet();
      const int s = pile->ItemNumberCheck("SecondaryID") ? pile->ItemGet("SecondaryID")->IntValueGet() : -1;
      const int o = pile->ItemNumberCheck("OwnerID") ? pile->ItemGet("OwnerID")->IntValueGet() : -1;
      if (pileType && std::string(pileType) == type && s == secondary && o == owner)
      {
         const Corvale::Point2F at = pile->ItemGet("Position")->Point2FValueGet();
         return Point{static_cast<int>(at.x), static_cast<int>(at.y)};
      }
   }
   ADD_FAILURE() << "no pile " << type << " " << secondary << " of " << owner;
   return Point{0, 0};
}

class SpiteAndMaliceEndToEnd : public MainMenuGameFixture
{
 protected:
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> spite = DocumentLoad("Scripts/Minigames/SpiteAndMalice");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> layer =
       DocumentLoad("Graphics/GUI/SpiteAndMalice/Widgets");
};

TEST_F(SpiteAndMaliceEndToEnd, TheTableShowsTheHandAndGoalsAndTheExpandButtonHidesTheOtherPiles)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(150);
   ASSERT_TRUE(spite && layer);
   const std::string screens = ScreensFolderGet();
   const Point hand = PileAt(spite.get(), "Hand", -1, 0);
   const Point goals[2] = {PileAt(spite.get(), "Reserve", 0, -1), PileAt(spite.get(), "Reserve", 1, -1)};
   Point discards[4];
   for (int j = 0; j < 4; ++j)
   {
      discards[j] = PileAt(spite.get(), "Tableau", j, 0);
   }
   Point button{0, 0};
   const JSONValue* children = layer->ItemGet("Children");
   for (int i = 0; i < children->CountGet(); i++)
   {
      const char* name = children->ElementGet(i)->ItemGet("Name")->StringValueGet();
      if (name && std::string(name) == "pile1")
      {
         const Corvale::Point2F at = children->ElementGet(i)->ItemGet("PositionOffset")->Point2FValueGet();
         button = Point{static_cast<int>(at.x) + 22, static_cast<int>(at.y) + 22};
      }
   }
   ASSERT_GT(button.x, 0);

   // Five face-up cards fanned by 32 around the hand's position, and both goal tops face up.
   auto tableCheck = [&](const Snapshot& seen)
   {
      for (int i = 0; i < 5; ++i)
      {
         if (WhiteShareGet(seen, Point{hand.x + 32 * (i - 2), hand.y}, 8, 40) < 0.35)
         {
            return false;
         }
      }
      return WhiteShareGet(seen, goals[0], 25, 40) > 0.35 && WhiteShareGet(seen, goals[1], 25, 40) > 0.35;
   };
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   // Spite and Malice is the fifth entry of the main menu's games.
   ASSERT_NO_FATAL_FAILURE(SelectorStep(4));
   std::unique_ptr<Snapshot> shot;
   ASSERT_NO_FATAL_FAILURE(PlayUntil(tableCheck, &shot, "SpiteAndMaliceNotShown.png"));
   std::this_thread::sleep_for(std::chrono::milliseconds(1500));
   std::unique_ptr<Snapshot> before = Snap();
   ASSERT_NE(before->bitmap, nullptr);
   ScreenKeep(lastShot, screens + "/SpiteAndMaliceTable.png", 960);
   ASSERT_TRUE(tableCheck(*before)) << "the hand or a goal top is not where the constants put it";

   // The first press hides discard piles 2 to 4: felt where their empty-pile pictures were.
   auto hiddenCheck = [&](const Snapshot& seen)
   {
      for (int j = 1; j < 4; ++j)
      {
         if (DifferenceCountGet(*before, seen, discards[j], 40, 56) < 100)
         {
            return false;
         }
      }
      return true;
   };
   bool hidden = false;
   for (int look = 0; !hidden && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look == 0)
      {
         x11.Click(window, button.x, button.y);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      hidden = hiddenCheck(*shot);
   }
   ScreenKeep(lastShot, screens + "/SpiteAndMaliceExpanded.png", 960);
   ASSERT_TRUE(hidden) << "the other discard piles still show";

   // The second press brings the row back as it was.
   bool back = false;
   for (int look = 0; !back && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look == 0)
      {
         x11.Click(window, button.x, button.y);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      back = true;
      for (int j = 1; j < 4; ++j)
      {
         back = back && DifferenceCountGet(*before, *shot, discards[j], 40, 56) < 30;
      }
   }
   ScreenKeep(lastShot, screens + "/SpiteAndMaliceRestored.png", 960);
   EXPECT_TRUE(back) << "the discard piles did not come back";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
