// The covering tables of Pick 2, Sum 11 and Three Towers, written out here from the rules: every
// wall position is covered exactly while one of its coverers holds a card, and the wall as laid
// out lists each coverer after the positions it covers and places it where it overlaps them.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "tests/games/solitaire/WallHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::WallHarness;
using Coverers = std::map<i32, std::pair<i32, i32>>;

// Positions not named are covered by nothing.
const Coverers PICK2 = {
    {7, {1, 2}},    {8, {2, 3}},    {9, {3, 4}},    {10, {4, 5}},   {11, {5, 6}},   {12, {7, -1}},
    {13, {7, 8}},   {14, {8, 9}},   {15, {9, 10}},  {16, {10, 11}}, {17, {11, -1}}, {18, {12, 13}},
    {19, {13, 14}}, {20, {14, 15}}, {21, {15, 16}}, {22, {16, 17}}, {23, {18, -1}}, {24, {18, 19}},
    {25, {19, 20}}, {26, {20, 21}}, {27, {21, 22}}, {28, {22, -1}}, {29, {23, 24}}, {30, {24, 25}},
    {31, {25, 26}}, {32, {26, 27}}, {33, {27, 28}},
};
const Coverers SUM11 = {
    {3, {1, -1}},   {4, {1, -1}},   {5, {2, -1}},   {6, {2, -1}},   {7, {3, -1}},   {8, {3, 4}},
    {9, {4, -1}},   {11, {5, -1}},  {12, {5, 6}},   {13, {6, -1}},  {14, {7, 8}},   {15, {8, 9}},
    {16, {9, 10}},  {17, {10, 11}}, {18, {11, 12}}, {19, {12, 13}}, {20, {14, 15}}, {21, {16, 17}},
    {22, {18, 19}},
};
const Coverers TOWERS = {
    {11, {1, 2}},   {12, {2, 3}},   {13, {3, 4}},   {14, {4, 5}},   {15, {5, 6}},   {16, {6, 7}},
    {17, {7, 8}},   {18, {8, 9}},   {19, {9, 10}},  {20, {11, 12}}, {21, {12, 13}}, {22, {14, 15}},
    {23, {15, 16}}, {24, {17, 18}}, {25, {18, 19}}, {26, {20, 21}}, {27, {22, 23}}, {28, {24, 25}},
};

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
