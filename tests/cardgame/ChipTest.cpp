// Chips of a game headless: amounts as denominations, the pile's chip limit, the spare pool,
// pile specifications with templates and the motion with missing speeds.
#include <gtest/gtest.h>

#include <vector>

#include "cardgame/Chip.h"
#include "cardgame/ChipPile.h"
#include "tests/cardgame/GameHarness.h"
#include "tests/cardgame/TestGame.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
class ChipTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      harness.GlobalConstsSet(R"({"ChipStyles": {"Standard": {"Denominations": [1, 5, 25, 100]},
                                                  "Bare": {}},
         "ChipStyleDefault": "Standard", "ChipSizeDefault": "Medium",
         "ChipPileTemplates": {"Stack": {"Type": "Bet", "ChipPositionOffset": "0|-2"}}})");
   }
   // The game goes before the harness: leave it while it is still there.
   void TearDown() override { harness.Leave(); }
   void EnterWith(const std::string& gameConsts)
   {
      harness.FileWrite("Scripts/Minigames/TestGame.json", gameConsts);
      harness.Enter(&game);
   }
   std::vector<i32> Denominations(const ChipPile* pile)
   {
      std::vector<i32> values;
      for (i32 i = 0; i < pile->chips.count; ++i)
      {
         values.push_back(pile->chips[i]->denomination);
      }
      return values;
   }

   GameHarness harness;
   TestGame game;
};

TEST_F(ChipTest, AmountsBecomeTheLargestDenominationsFirst)
{
   EnterWith(R"({"ChipPiles": [{"Type": "Pot"}, {"Type": "Bet", "ChipStyle": "Bare"}]})");
   ASSERT_EQ(game.chipPiles.count, 2);
   ChipPile* pot = game.ChipPilePotGet();
   ASSERT_EQ(pot, game.chipPiles[0]);
   pot->ValueAdd(137);
   EXPECT_EQ(Denominations(pot), (std::vector<i32>{100, 25, 5, 5, 1, 1}));
   EXPECT_EQ(pot->value, 137);
   pot->ValueAdd(0);
   game.chipPiles[1]->ValueAdd(50);
   EXPECT_EQ(pot->chips.count, 6);
   EXPECT_EQ(game.chipPiles[1]->chips.count, 0);
   EXPECT_EQ(game.chips.count, 6);

   game.ChipPilesEmpty();
   EXPECT_EQ(pot->chips.count, 0);
   EXPECT_EQ(pot->value, 0);
   EXPECT_EQ(game.chips.count, 0);
   EXPECT_EQ(game.chipsFree.count, 6);
}

TEST_F(ChipTest, PastTheLimitTheBottomChipGoesBackToThePool)
{
   EnterWith(R"({"ChipPiles": [{"Type": "Bankroll", "ChipCountMax": 10}]})");
   ChipPile* pile = game.chipPiles[0];
   EXPECT_EQ(pile->type, CHIP_PILE_BANKROLL);
   for (i32 i = 0; i < 10; ++i)
   {
      pile->ChipAdd(i + 1);
   }
   Chip* bottom = pile->chips[0];
   pile->ChipAdd(100);
   EXPECT_EQ(pile->chips.count, 10);
   EXPECT_EQ(pile->chips[0]->denomination, 2);
   EXPECT_EQ(pile->value, 55 + 100);
   // The released chip is the spare that the new top chip is made from.
   EXPECT_EQ(game.chipsFree.count, 0);
   EXPECT_EQ(pile->chips[9], bottom);
   EXPECT_EQ(bottom->denomination, 100);
}

TEST_F(ChipTest, ReserveFillsThePoolAndReleasesCountOnce)
{
   EnterWith(R"({"ChipReserveCount": 20})");
   EXPECT_EQ(game.chips.count, 0);
   EXPECT_EQ(game.chipsFree.count, 20);
   std::vector<Chip*> made;
   for (i32 i = 0; i < 21; ++i)
   {
      made.push_back(game.ChipCreate(1));
   }
   EXPECT_EQ(game.chipsFree.count, 0);
   EXPECT_EQ(game.chips.count, 21);
   game.ChipRelease(made[3]);
   game.ChipRelease(made[3]);
   EXPECT_EQ(game.chipsFree.count, 1);
   EXPECT_EQ(game.chips.count, 20);
}

TEST_F(ChipTest, SpecificationsInheritAndReportBadTypes)
{
   LogCapture log;
   EnterWith(R"({"ChipPileTemplates": {"Stack": {"Type": "Pot"}},
      "ChipPiles": [{"Inherited": "Stack", "OwnerID": 2, "SecondaryID": "x"}, {"Type": "pot"}, 5]})");
   ASSERT_EQ(game.chipPiles.count, 2);
   // The game's template hides the global one of the same name.
   EXPECT_EQ(game.chipPiles[0]->type, CHIP_PILE_POT);
   EXPECT_EQ(game.chipPiles[0]->ownerID, 2);
   EXPECT_EQ(game.chipPiles[0]->secondaryID, -1);
   EXPECT_EQ(game.chipPiles[0]->id, 0);
   EXPECT_EQ(game.chipPiles[1]->id, 1);
   EXPECT_EQ(game.chipPiles[1]->type, -1);
   EXPECT_TRUE(log.Contains("ChipPile::Init -- Chip pile type is unspecified or invalid.\n"));
   EXPECT_EQ(game.ChipPilePotGet(), nullptr) << "the table's pot has no owner";
}

TEST_F(ChipTest, MissingSpeedsMakeMovesAndTurnsImmediate)
{
   ChipPile::ConstsLoad(consts);
   EXPECT_EQ(Chip::linearSpeed, 0.0f);
   Chip chip;
   chip.PositionSet(Point2F{100.0f, 0.0f}, true);
   EXPECT_FALSE(chip.MovingCheck());
   EXPECT_EQ(chip.PositionGet().x, 100.0f);
   chip.RotationSet(90.0f);
   EXPECT_TRUE(chip.rotationTrack.finished);

   harness.GlobalConstsSet(R"({"ChipLinearSpeed": 1000, "ChipAngularSpeed": 90, "ChipLinearMoveDurationMax": 50})");
   ChipPile::ConstsLoad(consts);
   chip.PositionSet(Point2F{200.0f, 0.0f}, true);
   EXPECT_TRUE(chip.MovingCheck());
   EXPECT_EQ(chip.moveTrack.end, 50u) << "100 units at 1000 a second, capped at 50 ms";
   chip.Update(25);
   EXPECT_GT(chip.PositionGet().x, 100.0f);
   EXPECT_LT(chip.PositionGet().x, 200.0f);
   chip.Update(25);
   EXPECT_FALSE(chip.MovingCheck());
   EXPECT_EQ(chip.PositionGet().x, 200.0f);
   harness.GlobalConstsSet("{}");
   ChipPile::ConstsLoad(consts);
}
} // namespace
