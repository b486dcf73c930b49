// Sultan in one run of the program, started from the solitaire menu through the settings menu on
// its page: the dealt table read off a screenshot at the constants' pile places (nine foundation
// faces in their square, eight single faces beside it, the stock's back), then a click on the
// stock that turns a face onto the talon.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/SolitaireMenuGameFixture.h"

namespace
{
using namespace ProgramTestSupport;
using Corvale::JSONValue;

constexpr double FACE = 0.35;
// A back's white rim and the stack's edge fill about a tenth of the box; a face fills over half.
constexpr double BACK = 0.2;

class SultanEndToEnd : public SolitaireMenuGameFixture
{
 protected:
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> sultan =
       DocumentLoad("Scripts/Minigames/SultanSolitaire");
};

TEST_F(SultanEndToEnd, TheDealShowsItsSquareAndTheStockTurnsACard)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(240);
   ASSERT_TRUE(sultan);
   const Point stock = PilePointGet(sultan.get(), "Draw", -1);
   const Point talon = PilePointGet(sultan.get(), "Talon", -1);
   const auto dealt = [&](const Snapshot& seen)
   {
      for (int f = 0; f < 9; f++)
      {
         if (WhiteShareGet(seen, PilePointGet(sultan.get(), "Foundation", f), 30, 45) < FACE)
         {
            return false;
         }
      }
      for (int column = 0; column < 8; column++)
      {
         if (WhiteShareGet(seen, PilePointGet(sultan.get(), "Tableau", column), 30, 45) < FACE)
         {
            return false;
         }
      }
      return WhiteShareGet(seen, stock, 30, 45) < BACK;
   };
   std::unique_ptr<Snapshot> shot;
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game22", dealt, screens + "/SultanDealt.png", &shot));
   EXPECT_LT(WhiteShareGet(*shot, talon, 30, 45), BACK) << "the talon starts empty";

   ASSERT_TRUE(ClickUntil(
       stock.x, stock.y, [&](const Snapshot& seen) { return WhiteShareGet(seen, talon, 30, 45) > FACE; },
       [&](const Snapshot& seen) { return WhiteShareGet(seen, talon, 30, 45) < BACK; }, &shot))
       << "a click on the stock turned no card onto the talon";
   ScreenKeep(lastShot, screens + "/SultanStockTurned.png", 960);
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
