// Yukon and Scorpion in one run of the program: each started from the solitaire menu through the
// settings menu on its page, its dealt table read off the screenshots at the constants' pile places
// (every column's top face, Yukon's column 6 and Scorpion's column 0 backs, Scorpion's stock), then
// left through the menu bar's Back.
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
constexpr double BACK = 0.1;
// The strip a card above leaves of a back shows its rim and the light lines of its pattern.
constexpr double STRIP_BACK = 0.3;

class BuilderSolitairesEndToEnd : public SolitaireMenuGameFixture
{
 protected:
   using Document = std::unique_ptr<JSONValue, void (*)(JSONValue*)>;
   Document yukon = DocumentLoad("Scripts/Minigames/YukonSolitaire");
   Document scorpion = DocumentLoad("Scripts/Minigames/ScorpionSolitaire");
};

TEST_F(BuilderSolitairesEndToEnd, EachGameDealsItsTableFromTheSolitaireMenu)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(420);
   ASSERT_TRUE(yukon && scorpion);
   const std::string screens = ScreensFolderGet();
   std::unique_ptr<Snapshot> shot;
   // Large cards are 100 by 140 and fan 24 apart, Medium ones 80 by 112 and 19 apart.
   const auto face = [](const Snapshot& seen, Point at, bool large)
   { return WhiteShareGet(seen, at, large ? 40 : 30, large ? 60 : 45) > FACE; };
   // A column's top card, down to its lower edge: a column still being dealt leaves the table
   // showing there, even while flying cards cross the card's middle.
   const auto top = [&](const Snapshot& seen, Point at, bool large)
   {
      const Point edge{at.x, at.y + (large ? 62 : 48)};
      return face(seen, at, large) && WhiteShareGet(seen, edge, large ? 35 : 28, 5) > FACE;
   };
   const auto back = [](const Snapshot& seen, Point at, bool large)
   { return WhiteShareGet(seen, at, large ? 35 : 28, large ? 55 : 42) < BACK; };

   // Yukon: every column's top face (column k holds k backs under five faces, column 0 one face),
   // and column 6's six backs, each seen in the strip the card above leaves of it.
   const auto yukonDealt = [&](const Snapshot& seen)
   {
      for (int column = 0; column < 7; column++)
      {
         if (!top(seen, CardPointGet(yukon.get(), "Tableau", column, column == 0 ? 0 : column + 4, 0, 24),
                  true))
         {
            return false;
         }
      }
      for (int k = 0; k < 6; k++)
      {
         Point strip = CardPointGet(yukon.get(), "Tableau", 6, k, 0, 24);
         strip.y += 12 - 70;
         if (WhiteShareGet(seen, strip, 30, 6) > STRIP_BACK)
         {
            return false;
         }
      }
      return true;
   };
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game11", yukonDealt, screens + "/YukonDealt.png", &shot));

   // Scorpion: seven columns of seven, three backs under the first four, three cards in the stock.
   const auto scorpionDealt = [&](const Snapshot& seen)
   {
      for (int column = 0; column < 7; column++)
      {
         if (!top(seen, CardPointGet(scorpion.get(), "Tableau", column, 6, 0, 24), true))
         {
            return false;
         }
      }
      Point strip = CardPointGet(scorpion.get(), "Tableau", 0, 2, 0, 24);
      strip.y += 12 - 70;
      return WhiteShareGet(seen, strip, 30, 6) < STRIP_BACK &&
             back(seen, PilePointGet(scorpion.get(), "Draw", -1), true);
   };
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game7", scorpionDealt, screens + "/ScorpionDealt.png", &shot));

   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
