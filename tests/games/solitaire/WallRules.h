// The wall games' rules as the tests know them, written from the rules rather than from the
// games: which positions cover which, the free cards, the neighbouring ranks and Sum 11's rows.
#pragma once

#include <map>
#include <utility>

#include "tests/games/solitaire/WallHarness.h"

namespace Corvale
{
namespace TestSupport
{
using Coverers = std::map<i32, std::pair<i32, i32>>;

// Positions not named are covered by nothing.
inline const Coverers PICK2 = {
    {7, {1, 2}},    {8, {2, 3}},    {9, {3, 4}},    {10, {4, 5}},   {11, {5, 6}},   {12, {7, -1}},
    {13, {7, 8}},   {14, {8, 9}},   {15, {9, 10}},  {16, {10, 11}}, {17, {11, -1}}, {18, {12, 13}},
    {19, {13, 14}}, {20, {14, 15}}, {21, {15, 16}}, {22, {16, 17}}, {23, {18, -1}}, {24, {18, 19}},
    {25, {19, 20}}, {26, {20, 21}}, {27, {21, 22}}, {28, {22, -1}}, {29, {23, 24}}, {30, {24, 25}},
    {31, {25, 26}}, {32, {26, 27}}, {33, {27, 28}},
};
inline const Coverers SUM11 = {
    {3, {1, -1}},   {4, {1, -1}},   {5, {2, -1}},   {6, {2, -1}},   {7, {3, -1}},   {8, {3, 4}},
    {9, {4, -1}},   {11, {5, -1}},  {12, {5, 6}},   {13, {6, -1}},  {14, {7, 8}},   {15, {8, 9}},
    {16, {9, 10}},  {17, {10, 11}}, {18, {11, 12}}, {19, {12, 13}}, {20, {14, 15}}, {21, {16, 17}},
    {22, {18, 19}},
};
inline const Coverers TOWERS = {
    {11, {1, 2}},   {12, {2, 3}},   {13, {3, 4}},   {14, {4, 5}},   {15, {5, 6}},   {16, {6, 7}},
    {17, {7, 8}},   {18, {8, 9}},   {19, {9, 10}},  {20, {11, 12}}, {21, {12, 13}}, {22, {14, 15}},
    {23, {15, 16}}, {24, {17, 18}}, {25, {18, 19}}, {26, {20, 21}}, {27, {22, 23}}, {28, {24, 25}},
};

// Sum 11's row bonus by wall position.
inline i32 Sum11RowPointsGet(i32 position)
{
   if (position <= 2)
   {
      return 100;
   }
   if (position <= 6)
   {
      return 200;
   }
   if (position == 10)
   {
      return 400;
   }
   if (position <= 13)
   {
      return 300;
   }
   return position <= 19 ? 500 : 600;
}

// One rank apart, King and Ace included.
inline bool NeighboursCheck(i32 a, i32 b)
{
   const i32 d = a > b ? a - b : b - a;
   return d == 1 || d == 12;
}

// The card lies alone in a wall position whose coverers are empty.
inline bool WallFreeCheck(WallHarness& harness, const Coverers& table, const Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || pile->type != CARD_PILE_TYPE_TABLEAU || pile->CardTopGet() != card)
   {
      return false;
   }
   const auto found = table.find(pile->secondaryID);
   if (found == table.end())
   {
      return true;
   }
   for (const i32 coverer : {found->second.first, found->second.second})
   {
      if (coverer > 0 && harness.Wall(coverer)->cards.count > 0)
      {
         return false;
      }
   }
   return true;
}
} // namespace TestSupport
} // namespace Corvale
