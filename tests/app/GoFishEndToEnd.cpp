// Go Fish in the running program: started from the main menu, the human's five cards lie face up
// where the built constants put them; on the human's turn a click on one of them raises it, and a
// click on the left player's hand then brings cards into the human's hand (the asked cards or the
// stock's top).
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

// Half the Medium card's width and height, and the lift of the human's chosen card.
constexpr int HALF_W = 40;
constexpr int HALF_H = 56;

class GoFishEndToEnd : public ProgramFixture
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
      std::this_thread::sleep_for(std::chrono::milliseconds(1200));
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
   int x = 0, y = 0, playX = 0, playY = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &x, &y));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &playX, &playY));
   std::unique_ptr<Snapshot> shot;
   bool dealt = false;
   for (int look = 0; !dealt && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 20 == 0)
      {
         x11.Click(window, x, y);
      }
      else if (look % 20 == 10)
      {
         x11.Click(window, playX - 50, playY);
      }
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      dealt = DealtCheck(*shot);
   }
   ScreenKeep(lastShot, screens + "/GoFishDealt.png", 960);
   ASSERT_TRUE(dealt) << "the human's five face-up cards never showed at their places";

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
