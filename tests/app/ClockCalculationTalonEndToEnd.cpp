// Clock, Calculation, Eagle Wing, Betsy Ross and Alhambra in one run of the program: each started
// from the solitaire menu through the settings menu on its page and its dealt table read off the
// screenshots at the constants' pile places; in Clock a double-click carries the turned card on.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/SolitaireMenuGameFixture.h"

namespace
{
using namespace ProgramTestSupport;
using Corvale::JSONValue;

constexpr double FACE = 0.35;
constexpr double BACK = 0.1;

class ClockCalculationTalonEndToEnd : public SolitaireMenuGameFixture
{
 protected:
   // Two quick presses of the left button at a point of the window.
   void DoubleClick(Point at)
   {
      XWindowAttributes attributes;
      if (!x11.fakeMotionEvent || !x11.fakeButtonEvent ||
          !x11.windowAttributesGet(x11.display, window, &attributes))
      {
         return;
      }
      x11.fakeMotionEvent(x11.display, -1, attributes.x + at.x, attributes.y + at.y, 0);
      x11.flush(x11.display);
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      for (int press = 0; press < 2; press++)
      {
         x11.fakeButtonEvent(x11.display, 1, True, 0);
         x11.flush(x11.display);
         std::this_thread::sleep_for(std::chrono::milliseconds(40));
         x11.fakeButtonEvent(x11.display, 1, False, 0);
         x11.flush(x11.display);
         std::this_thread::sleep_for(std::chrono::milliseconds(40));
      }
   }

   // Every pile of the type and IDs shows a face (its card index-th from the bottom, fanned by
   // fan pixels down), within a box of half size (w, h).
   static bool FacesCheck(const Snapshot& seen, const JSONValue* game, const char* type, int first, int last,
                          int index, int fan, int w, int h)
   {
      for (int id = first; id <= last; id++)
      {
         Point at = PilePointGet(game, type, id);
         at.y += fan * index;
         if (WhiteShareGet(seen, at, w, h) < FACE)
         {
            return false;
         }
      }
      return true;
   }

   // The pile shows a back, its top card leaning by the quarter pixel of each of its cards.
   static bool BackCheck(const Snapshot& seen, const JSONValue* game, const char* type, int id, int w, int h,
                         int cards = 0)
   {
      Point at = PilePointGet(game, type, id);
      at.x += cards / 4;
      at.y += cards / 4;
      return WhiteShareGet(seen, at, w, h) < BACK;
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> clock = DocumentLoad("Scripts/Minigames/ClockSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> calculation =
       DocumentLoad("Scripts/Minigames/CalculationSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> eagleWing =
       DocumentLoad("Scripts/Minigames/EagleWingSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> betsyRoss =
       DocumentLoad("Scripts/Minigames/BetsyRossSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> alhambra =
       DocumentLoad("Scripts/Minigames/AlhambraSolitaire");
};

TEST_F(ClockCalculationTalonEndToEnd, EachGameDealsFromTheSolitaireMenuAndClockCarriesItsTurnedCard)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(600);
   ASSERT_TRUE(clock && calculation && eagleWing && betsyRoss && alhambra);
   const std::string screens = ScreensFolderGet();
   std::unique_ptr<Snapshot> shot;

   // Clock: twelve hours of backs around the turned card's face.
   const JSONValue* game = clock.get();
   const auto clockDealt = [&](const Snapshot& seen)
   {
      for (int hour = 0; hour < 12; hour++)
      {
         if (!BackCheck(seen, game, "Tableau", hour, 24, 36))
         {
            return false;
         }
      }
      return FacesCheck(seen, game, "Flip", 0, 0, 0, 0, 24, 36) &&
             BackCheck(seen, game, "Draw", -1, 20, 30, 3);
   };
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game30", clockDealt, screens + "/ClockDealt.png", &shot));
   // The turned card goes to its hour and on to the finished pile (or, a King, to the King pile).
   const auto carried = [&](const Snapshot& seen)
   {
      return FacesCheck(seen, game, "Waste", 1, 1, 0, 0, 24, 36) ||
             FacesCheck(seen, game, "Waste", 0, 0, 0, 0, 24, 36);
   };
   const Point turned = PilePointGet(game, "Flip", 0);
   int looks = 0;
   const bool moved = ScreenWait(
       [&](const Snapshot& seen)
       {
          if (carried(seen))
          {
             return true;
          }
          if (looks++ % 10 == 0)
          {
             DoubleClick(turned);
          }
          return false;
       },
       &shot);
   ScreenKeep(lastShot, screens + "/ClockCarried.png", 960);
   EXPECT_TRUE(moved) << "a double-click on the turned card carried it nowhere";

   // Calculation: the four bases' faces beside the stock's back.
   game = calculation.get();
   const auto calculationDealt = [&](const Snapshot& seen)
   {
      return FacesCheck(seen, game, "Reserve", 0, 3, 0, 0, 24, 36) &&
             BackCheck(seen, game, "Draw", -1, 20, 30, 48);
   };
   ASSERT_NO_FATAL_FAILURE(
       TableReach("Games.Game25", calculationDealt, screens + "/CalculationDealt.png", &shot));
   EXPECT_LT(WhiteShareGet(*shot, PilePointGet(game, "Foundation", 0), 24, 36), BACK) << "a foundation";

   // Eagle Wing: eight wings, the trunk and the first foundation show faces.
   game = eagleWing.get();
   const auto eagleWingDealt = [&](const Snapshot& seen)
   {
      return FacesCheck(seen, game, "Tableau", 0, 7, 0, 0, 24, 36) &&
             FacesCheck(seen, game, "Reserve", -1, -1, 0, 0, 20, 30) &&
             FacesCheck(seen, game, "Foundation", 0, 0, 0, 0, 24, 36) &&
             BackCheck(seen, game, "Draw", -1, 20, 30, 29);
   };
   ASSERT_NO_FATAL_FAILURE(
       TableReach("Games.Game18", eagleWingDealt, screens + "/EagleWingDealt.png", &shot));

   // Betsy Ross: four base cards over four first foundation cards, large.
   game = betsyRoss.get();
   const auto betsyRossDealt = [&](const Snapshot& seen)
   {
      return FacesCheck(seen, game, "Reserve", 0, 3, 0, 0, 30, 45) &&
             FacesCheck(seen, game, "Foundation", 0, 3, 0, 0, 30, 45) &&
             BackCheck(seen, game, "Draw", -1, 26, 38, 44);
   };
   ASSERT_NO_FATAL_FAILURE(
       TableReach("Games.Game23", betsyRossDealt, screens + "/BetsyRossDealt.png", &shot));

   // Alhambra: eight foundations and eight reserves of four (19 apart), read at the fourth card's
   // lower edge, which a reserve of three leaves bare.
   game = alhambra.get();
   const auto alhambraDealt = [&](const Snapshot& seen)
   {
      for (int reserve = 0; reserve < 8; reserve++)
      {
         Point edge = PilePointGet(game, "Reserve", reserve);
         edge.y += 3 * 19 + 48;
         if (WhiteShareGet(seen, edge, 30, 5) < FACE)
         {
            return false;
         }
      }
      return FacesCheck(seen, game, "Foundation", 0, 7, 0, 0, 24, 36) &&
             BackCheck(seen, game, "Draw", -1, 20, 30, 64);
   };
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game39", alhambraDealt, screens + "/AlhambraDealt.png", &shot));
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
