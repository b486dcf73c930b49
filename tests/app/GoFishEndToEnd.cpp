// Go Fish in the running program: started from the main menu, the human's five cards lie face up
// where the built constants put them; on the human's turn a click on one of them raises it, and a
// click on the left player's hand then brings cards into the human's hand (the asked cards or the
// stock's top).
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

// Half the Medium card's width and height, and the lift of the human's chosen card.
constexpr int HALF_W = 40;
constexpr int HALF_H = 56;

class GoFishEndToEnd : public MainMenuGameFixture
{
 protected:
   // The place of the hand owned by that player, and the step from one of its cards to the next.
   void HandGet(int owner, Point* at, Point* step)
   {
      const JSONValue* piles = game->ItemGet("CardPiles");
      for (int i = 0; i < piles->CountGet(); i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const char* type = pile->ItemGet("Type")->StringValueGet();
         if (type && std::string(type) == "Hand" && pile->ItemGet("OwnerID")->IntValueGet() == owner)
         {
            const Corvale::Point2F position = pile->ItemGet("Position")->Point2FValueGet();
            const char* inherited = pile->ItemGet("Inherited")->StringValueGet();
            const JSONValue* offset = pile->ItemGet("CardPositionOffset");
            if (!pile->ItemStringCheck("CardPositionOffset") && inherited)
            {
               offset =
                   graphics->ItemGet("CardPileTemplates")->ItemGet(inherited)->ItemGet("CardPositionOffset");
            }
            const Corvale::Point2F delta = offset->Point2FValueGet();
            *at = Point{static_cast<int>(position.x), static_cast<int>(position.y)};
            *step = Point{static_cast<int>(delta.x), static_cast<int>(delta.y)};
            return;
         }
      }
      ADD_FAILURE() << "no hand of player " << owner;
   }

   // The visible strip of the human's nth card (the part the next card leaves uncovered).
   Point StripGet(int n) { return Point{human.x + step.x * n - HALF_W + step.x / 2, human.y}; }

   // All five cards of the human face up at their places.
   bool DealtCheck(const Snapshot& seen)
   {
      for (int n = 0; n < 5; ++n)
      {
         if (WhiteShareGet(seen, StripGet(n), step.x / 2 - 4, HALF_H - 12) < 0.35)
         {
            return false;
         }
      }
      // Nothing beyond the fifth card: the felt shows there.
      return WhiteShareGet(seen, Point{human.x + step.x * 5 + HALF_W + 12, human.y}, 6, HALF_H - 12) < 0.1;
   }

   // The face of a raised card fills the band just above the hand's top edge.
   bool RaisedCheck(const Snapshot& seen, int n)
   {
      return WhiteShareGet(seen, Point{StripGet(n).x, human.y - HALF_H - 10}, step.x / 2 - 6, 6) > 0.5;
   }

   int HandWidthGet(const Snapshot& seen)
   {
      int width = 0;
      for (int x = human.x - HALF_W; x < 960; x += 4)
      {
         width += WhiteShareGet(seen, Point{x, human.y + 20}, 1, 10) > 0.5 ? 4 : 0;
      }
      return width;
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> game = DocumentLoad("Scripts/Minigames/GoFish");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> graphics = DocumentLoad("Graphics/GraphicsConsts");
   Point human{};
   Point step{};
};

TEST_F(GoFishEndToEnd, TheHumanAsksTheLeftPlayerByTwoClicks)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(180);
   ASSERT_TRUE(game && graphics);
   HandGet(0, &human, &step);
   Point left{}, leftStep{};
   HandGet(1, &left, &leftStep);
   ASSERT_GT(step.x, 0);
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   // Go Fish is the sixth entry of the main menu's games.
   ASSERT_NO_FATAL_FAILURE(SelectorStep(5));
   std::unique_ptr<Snapshot> shot;
   ASSERT_NO_FATAL_FAILURE(
       PlayUntil([&](const Snapshot& seen) { return DealtCheck(seen); }, &shot, "GoFishNotDealt.png"));
   ScreenKeep(lastShot, screens + "/GoFishDealt.png", 960);

   // The human's turn comes when the computers have asked; a click on the table sends a speech
   // balloon away, a click on the first card raises it once the human may act.
   bool raised = false;
   for (int look = 0; !raised && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 5 == 0)
      {
         x11.Click(window, StripGet(0).x, human.y);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      raised = RaisedCheck(*shot, 0);
   }
   ScreenKeep(lastShot, screens + "/GoFishRaised.png", 960);
   ASSERT_TRUE(raised) << "the clicked card did not rise";
   const int widthBefore = HandWidthGet(*shot);

   // The ask: cards move into the human's hand (and a book made of them leaves it), so its width
   // changes.
   bool grown = false;
   for (int look = 0; !grown && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 15 == 0)
      {
         x11.Click(window, left.x, left.y);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      grown = HandWidthGet(*shot) != widthBefore;
   }
   ScreenKeep(lastShot, screens + "/GoFishAsked.png", 960);
   EXPECT_TRUE(grown) << "no card came into the human's hand after the ask";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
