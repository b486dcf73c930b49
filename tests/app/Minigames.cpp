// The registry of games: the 72 keys in their order, exact lookups, placeholders that are not
// available and, entered anyway, say so and leave; and the registry emptied at shutdown.
#include "app/Minigames.h"

#include <string>
#include <vector>

#include "app/MinigamePlaceholder.h"
#include "gui/state/GameState.h"
#include "tests/app/AppTestSupport.h"
#include "tests/cardgame/GameHarness.h"
#include "tests/cardgame/TestGame.h"

using namespace Corvale;

namespace
{
const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new CorvaleTest::AppEnvironment);

const std::vector<std::string> keys = {
    "AcesUpSolitaire",
    "SpiderSolitaire",
    "KlondikeSolitaire",
    "BatsfordSolitaire",
    "BakersDozenSolitaire",
    "ColoradoSolitaire",
    "ScorpionSolitaire",
    "CanfieldSolitaire",
    "FlowerGardenSolitaire",
    "BaronessSolitaire",
    "YukonSolitaire",
    "StrategySolitaire",
    "RedAndBlackSolitaire",
    "FourSeasonsSolitaire",
    "EightOffSolitaire",
    "EliminatorSolitaire",
    "FortressSolitaire",
    "EagleWingSolitaire",
    "GolfSolitaire",
    "FortyThievesSolitaire",
    "FourFreeSolitaire",
    "SultanSolitaire",
    "BetsyRossSolitaire",
    "BristolSolitaire",
    "CalculationSolitaire",
    "NestorSolitaire",
    "BeleagueredCastleSolitaire",
    "PenguinSolitaire",
    "SpideretteSolitaire",
    "ClockSolitaire",
    "SeahavenTowersSolitaire",
    "PyramidSolitaire",
    "MountOlympusSolitaire",
    "LaBelleLucieSolitaire",
    "TerraceSolitaire",
    "TripletsSolitaire",
    "GapsSolitaire",
    "SlideSolitaire",
    "AlhambraSolitaire",
    "ShamrocksSolitaire",
    "AcesAndKingsSolitaire",
    "OldMaid",
    "War",
    "CrazyEights",
    "SpiteAndMalice",
    "GoFish",
    "FanTan",
    "Spades",
    "MemoryMatch",
    "OhHell",
    "Tuxedo",
    "Whist",
    "Fast21Solitaire",
    "Best21Solitaire",
    "GinRummy",
    "Pick2Solitaire",
    "ThreeTowersSolitaire",
    "EuchreSolitaire",
    "Sum11Solitaire",
    "CribbageSquareSolitaire",
    "PokerSquareSolitaire",
    "Hearts",
    "Cribbage",
    "Pitch",
    "BowlingSolitaire",
    "Canasta",
    "Euchre",
    "Rummy500",
    "Pinochle4Players",
    "FiveCardDrawPoker",
    "Skat",
    "Bridge",
};

class MinigamesTest : public ::testing::Test
{
 protected:
   void SetUp() override { MinigamesRegister(); }
   void TearDown() override { MinigamesUnregister(); }
};

TEST_F(MinigamesTest, HoldsTheSeventyTwoKeysInOrder)
{
   ASSERT_EQ(minigames.count, static_cast<i32>(keys.size()));
   for (i32 i = 0; i < minigames.count; i++)
   {
      ASSERT_NE(minigames[i], nullptr);
      EXPECT_EQ(minigames[i]->GameNameGet(), keys[i]) << "entry " << i + 1;
      // Every name query of a game not built yet answers with its key.
      EXPECT_STREQ(minigames[i]->StatisticsNameGet(), keys[i].c_str());
      EXPECT_STREQ(minigames[i]->HelpNameGet(), keys[i].c_str());
   }
}

TEST_F(MinigamesTest, FindsOnlyExactKeys)
{
   struct Case
   {
      const char* name;
      i32 index;
   };
   const Case cases[] = {
       {"AcesAndKingsSolitaire", 40},
       // The class name of that entry is not its key.
       {"AcesAndKingSolitaire", -1},
       {"AcesUpSolitaire", 0},
       {"Bridge", 71},
       {"klondikeSolitaire", -1},
       {"KLONDIKESOLITAIRE", -1},
       {"KlondikeSolitaire ", -1},
       {"", -1},
       {nullptr, -1},
   };
   for (const Case& c : cases)
   {
      Minigame* found = MinigameGetByName(c.name);
      EXPECT_EQ(found, c.index < 0 ? nullptr : minigames[c.index]) << (c.name ? c.name : "null");
   }
}

TEST_F(MinigamesTest, OnlyBuiltGamesAreAvailable)
{
   for (i32 i = 0; i < minigames.count; i++)
   {
      // Klondike, Best 21, Fast 21, Hearts, War and Memory Match are built; the others are
      // placeholders still.
      const std::string key = keys[i];
      const bool built = key == "KlondikeSolitaire" || key == "Best21Solitaire" || key == "Fast21Solitaire" ||
                         key == "Hearts" || key == "War" || key == "MemoryMatch";
      EXPECT_EQ(MinigameAvailableCheck(minigames[i]), built) << keys[i];
   }
   EXPECT_FALSE(MinigameAvailableCheck(nullptr));
   TestSupport::TestGame game;
   EXPECT_TRUE(MinigameAvailableCheck(&game));
}

TEST_F(MinigamesTest, EmptyOnceUnregistered)
{
   MinigamesUnregister();
   EXPECT_EQ(minigames.count, 0);
   EXPECT_EQ(minigames.capacity, 0);
   EXPECT_EQ(minigames.data, nullptr);
   EXPECT_EQ(MinigameGetByName("KlondikeSolitaire"), nullptr);
   // Registered again, as a second start in one process would.
   MinigamesRegister();
   EXPECT_EQ(minigames.count, static_cast<i32>(keys.size()));
}

TEST(MinigamePlaceholderTest, EnteredItSaysTheGameIsNotAvailableAndLeaves)
{
   TestSupport::GameHarness harness;
   MinigamePlaceholder placeholder("KlondikeSolitaire");
   GameState menu;
   GameStateManager::Init(&menu);
   GameStateManager::Push(&placeholder);
   harness.Frame();
   ASSERT_EQ(GameStateManager::current, &placeholder);
   // The box outlives the switch that brought the placeholder in.
   MessageBoxPopup* box = harness.MessageBoxGet();
   ASSERT_NE(box, nullptr);
   EXPECT_STREQ(box->text, "GameNotAvailable");
   for (i32 i = 0; i < 5; i++)
   {
      harness.Frame();
   }
   EXPECT_EQ(GameStateManager::current, &placeholder) << "left while the box was still up";
   EXPECT_EQ(harness.MessageBoxGet(), box);

   PopupManager::Close(box);
   for (i32 i = 0; i < 100 && GameStateManager::current != &menu; i++)
   {
      harness.Frame();
   }
   EXPECT_EQ(GameStateManager::current, &menu);
   EXPECT_EQ(GameStateManager::states.count, 1);
   GameStateManager::Deinit();
}
} // namespace
