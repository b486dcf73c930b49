// Gaps, Golf and Nestor in one run of the program: each started from the solitaire menu through the
// settings menu on its page, its dealt table read off the screenshots at the constants' pile
// places (faces, Gaps' four face-down gaps and its reshuffle button's caption), then left through
// the menu bar's Back for the next.
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

class GapsGolfNestorEndToEnd : public SolitaireMenuGameFixture
{
 protected:
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> gaps = DocumentLoad("Scripts/Minigames/GapsSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> golf = DocumentLoad("Scripts/Minigames/GolfSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> nestor =
       DocumentLoad("Scripts/Minigames/NestorSolitaire");
};

TEST_F(GapsGolfNestorEndToEnd, EachGameDealsItsTableFromTheSolitaireMenu)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(420);
   ASSERT_TRUE(gaps && golf && nestor);
   const std::string screens = ScreensFolderGet();

   // Gaps: 48 faces and 4 face-down gaps in four rows of thirteen (72 apart), and the caption.
   int faces = 0;
   int backs = 0;
   const auto gapsCount = [&](const Snapshot& seen)
   {
      faces = 0;
      backs = 0;
      for (int row = 0; row < 4; row++)
      {
         for (int column = 0; column < 13; column++)
         {
            const double white =
                WhiteShareGet(seen, CardPointGet(gaps.get(), "Tableau", row, column, 72, 0), 24, 36);
            faces += white > FACE ? 1 : 0;
            backs += white < BACK ? 1 : 0;
         }
      }
      return faces == 48 && backs == 4;
   };
   std::unique_ptr<Snapshot> shot;
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game37", gapsCount, screens + "/GapsDealt.png", &shot));
   const Corvale::Point2F reset = gaps->ItemGet("ResetButtonPosition")->Point2FValueGet();
   EXPECT_TRUE(TextShownCheck(*shot, static_cast<int>(reset.x), static_cast<int>(reset.y), 170, 40))
       << "the reshuffle button shows no caption";

   // Golf: seven column tops (five cards, 24 apart) show faces; the stock its back; the
   // Foundation is empty.
   const auto golfDealt = [&](const Snapshot& seen)
   {
      for (int column = 0; column < 7; column++)
      {
         // The fifth card's lower half: a column still being dealt leaves the table showing there.
         Point top = CardPointGet(golf.get(), "Tableau", column, 4, 0, 24);
         top.y += 58;
         if (WhiteShareGet(seen, top, 30, 6) < FACE)
         {
            return false;
         }
      }
      return WhiteShareGet(seen, PilePointGet(golf.get(), "Draw", -1), 30, 45) < BACK;
   };
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game19", golfDealt, screens + "/GolfDealt.png", &shot));
   EXPECT_LT(WhiteShareGet(*shot, PilePointGet(golf.get(), "Foundation", -1), 30, 45), BACK);

   // Nestor: ten reserve faces and seven column tops (six cards, 19 apart).
   const auto nestorDealt = [&](const Snapshot& seen)
   {
      for (int cell = 0; cell < 10; cell++)
      {
         if (WhiteShareGet(seen, PilePointGet(nestor.get(), "Reserve", cell), 24, 36) < FACE)
         {
            return false;
         }
      }
      for (int column = 0; column < 7; column++)
      {
         Point top = CardPointGet(nestor.get(), "Tableau", column, 5, 0, 19);
         top.y += 48;
         if (WhiteShareGet(seen, top, 24, 5) < FACE)
         {
            return false;
         }
      }
      return true;
   };
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game26", nestorDealt, screens + "/NestorDealt.png", &shot));
   EXPECT_LT(WhiteShareGet(*shot, PilePointGet(nestor.get(), "Foundation", -1), 24, 36), BACK);
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
