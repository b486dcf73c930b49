// Seeded games of Forty Thieves, Four Seasons, Mount Olympus, Yukon, Scorpion and Seahaven Towers,
// options drawn per seed, played by the random player of every traditional solitaire and judged
// by the six games' rules written out apart from their code. One game in ten is also saved at a
// random step, loaded into a fresh game and played on to the same final document.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "tests/games/solitaire/BuilderSolitairesHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
class BuilderSoakTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(BuilderSoakTest, RandomGamesKeepTheRulesAndSavedGamesFinishTheSame)
{
   const std::string key = GetParam();
   std::unique_ptr<OpenTableauSolitaire> game(BuilderCreate(key));
   std::unique_ptr<OpenTableauSolitaire> fresh(BuilderCreate(key));
   BuilderHarness harness;
   harness.frameMilliseconds = 50;
   harness.GameEnter(game.get());
   harness.ConservedEveryFrame();
   BuilderRules rules(harness);
   u32 games = 1000;
#ifdef __SANITIZE_ADDRESS__
   games /= 10;
#endif
   const i32 maxSteps = 200;
   const auto start = std::chrono::steady_clock::now();
   u32 ends[4] = {0, 0, 0, 0};
   i64 steps = 0;
   u32 roundTrips = 0;
   for (u32 seed = 1; seed <= games && !::testing::Test::HasFailure(); ++seed)
   {
      SCOPED_TRACE(seed);
      std::mt19937 options(seed);
      harness.OptionSet("ColumnsInAlternatingColors", options() % 2 == 0);
      harness.OptionSet("ThreeCardsFaceDown", options() % 2 == 0);
      harness.OptionSet("OnlyKingsInEmpty", options() % 2 == 0);
      harness.OptionSet("ShowPlayableCards", options() % 2 == 0);
      auto deal = [&]()
      {
         harness.Deal(seed);
         const CardPile* first = harness.Pile(CARD_PILE_TYPE_FOUNDATION, 0);
         rules.firstRank = first && first->cards.count > 0 ? first->cards[0]->rank : RANK_ACE;
      };
      deal();
      SolitaireSoak soak(harness, rules);
      soak.random.seed(seed);
      soak.undoAllowed = seed % 10 != 0;
      soak.Play(0, maxSteps, -1, nullptr);
      steps += soak.steps;
      ends[game->gameResult >= 0 && game->gameResult < 4 ? game->gameResult : 0]++;
      if (seed % 10 != 0)
      {
         continue;
      }
      const std::string uninterrupted = SoakTimersCleared(harness.SavedText(game.get()));
      deal();
      SolitaireSoak resumed(harness, rules);
      resumed.random.seed(seed);
      resumed.undoAllowed = false;
      // Somewhere inside the game as it was played through.
      const i32 saveStep =
          1 + static_cast<i32>(options() % static_cast<u32>(soak.steps > 1 ? soak.steps - 1 : 1));
      JSONTest::ValuePointer saved;
      resumed.Play(0, maxSteps, saveStep, &saved);
      if (saved)
      {
         harness.GameEnter(fresh.get());
         ASSERT_TRUE(fresh->Load(saved.get()));
         harness.Settle();
         resumed.Play(saveStep, maxSteps, -1, nullptr);
         EXPECT_EQ(SoakTimersCleared(harness.SavedText(fresh.get())), uninterrupted);
         roundTrips++;
         harness.GameEnter(game.get());
      }
   }
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%s: %u games, %lld steps, %u on at the cap, %u won, %u lost, %u saved and loaded, %.1f s\n",
               key.c_str(), games, static_cast<long long>(steps), ends[MINIGAME_RESULT_RUNNING],
               ends[MINIGAME_RESULT_WON], ends[MINIGAME_RESULT_LOST], roundTrips, seconds);
   EXPECT_GE(roundTrips, games / 20);
}

INSTANTIATE_TEST_SUITE_P(Games, BuilderSoakTest, ::testing::ValuesIn(BUILDER_KEYS),
                         [](const ::testing::TestParamInfo<const char*>& info)
                         { return std::string(info.param); });
} // namespace
} // namespace TestSupport
} // namespace Corvale
