// The covering tables of Pick 2, Sum 11 and Three Towers, written out here from the rules: every
// wall position is covered exactly while one of its coverers holds a card, and the wall as laid
// out lists each coverer after the positions it covers and places it where it overlaps them.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "tests/games/solitaire/WallRules.h"

namespace Corvale
{
namespace
{
using TestSupport::WallHarness;
using TestSupport::Coverers;
using TestSupport::PICK2;
using TestSupport::SUM11;
using TestSupport::TOWERS;

template <class Game> void CoveringCheck(const Coverers& table, i32 positions)
{
   Game game;
   WallHarness harness;
   ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   for (i32 position = 1; position <= positions; ++position)
   {
      SCOPED_TRACE(position);
      const auto found = table.find(position);
      const std::pair<i32, i32> coverers = found == table.end() ? std::make_pair(-1, -1) : found->second;
      i32 first = 0;
      i32 second = 0;
      harness.WallLay({});
      Card* card = harness.Wall(position)->CardTopGet();
      ASSERT_NE(card, nullptr);
      game.CardCoveringPilesGet(card, &first, &second);
      EXPECT_EQ(std::make_pair(first, second), coverers);
      // Filled by the lay; then each coverer emptied alone, then both.
      EXPECT_EQ(game.CardCoveredCheck(card), coverers.first > 0);
      for (const i32 emptied : {coverers.first, coverers.second})
      {
         if (emptied <= 0)
         {
            continue;
         }
         harness.WallLay({}, "", {emptied});
         card = harness.Wall(position)->CardTopGet();
         const i32 other = emptied == coverers.first ? coverers.second : coverers.first;
         EXPECT_EQ(game.CardCoveredCheck(card), other > 0) << "with " << emptied << " empty";
      }
      harness.WallLay({}, "", {coverers.first, coverers.second});
      EXPECT_FALSE(game.CardCoveredCheck(harness.Wall(position)->CardTopGet()));
      // Off the wall, no card is covered.
      game.CardCoveringPilesGet(harness.Current()->CardTopGet(), &first, &second);
      EXPECT_EQ(std::make_pair(first, second), std::make_pair(-1, -1));
   }

   // The constants: a coverer comes after what it covers, sits lower on the table, and is centred
   // between its two coverers (half a card step aside of a single one).
   std::map<i32, i32> order;
   for (i32 i = 0; i < game.cardPiles.count; ++i)
   {
      if (game.cardPiles[i]->type == CARD_PILE_TYPE_TABLEAU)
      {
         order[game.cardPiles[i]->secondaryID] = i;
      }
   }
   ASSERT_EQ(static_cast<i32>(order.size()), positions);
   for (const auto& entry : table)
   {
      const CardPile* covered = harness.Wall(entry.first);
      const CardPile* a = harness.Wall(entry.second.first);
      const CardPile* b = entry.second.second > 0 ? harness.Wall(entry.second.second) : nullptr;
      EXPECT_GT(order[entry.second.first], order[entry.first]) << entry.first;
      EXPECT_GT(a->position.y, covered->position.y) << entry.first;
      if (b)
      {
         EXPECT_GT(order[entry.second.second], order[entry.first]) << entry.first;
         EXPECT_FLOAT_EQ(covered->position.x, (a->position.x + b->position.x) / 2) << entry.first;
      }
      else
      {
         EXPECT_GT(std::fabs(covered->position.x - a->position.x), 20.0f) << entry.first;
         EXPECT_LT(std::fabs(covered->position.x - a->position.x), 60.0f) << entry.first;
      }
   }
}

TEST(WallCoveringTest, Pick2)
{
   CoveringCheck<Pick2Solitaire>(PICK2, PICK2_WALL_POSITIONS);
}

TEST(WallCoveringTest, Sum11)
{
   CoveringCheck<Sum11Solitaire>(SUM11, SUM11_WALL_POSITIONS);
}

TEST(WallCoveringTest, ThreeTowers)
{
   CoveringCheck<ThreeTowersSolitaire>(TOWERS, THREE_TOWERS_WALL_POSITIONS);
}
} // namespace
} // namespace Corvale
