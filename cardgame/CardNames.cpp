// Rank arithmetic, suit colours and the name tables of suits, ranks, pile types and sort orders.
#include "cardgame/CardNames.h"

#include <cstring>

namespace Corvale
{
namespace
{
const char* const SUIT_NAMES[] = {"Hearts", "Spades", "Diamonds", "Clubs"};
const char* const RANK_NAMES[] = {"Joker", "Ace",   "Two",  "Three", "Four", "Five",  "Six",
                                  "Seven", "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
const char* const PILE_TYPE_NAMES[] = {"Draw",         "Tableau", "Foundation", "Reserve", "Waste", "Talon",
                                       "Hand",         "Discard", "Trick",      "Meld",    "Take",  "Flip",
                                       "MeldMovement", "Skat",    "Crib",       "LayAway"};
// From position 2 on, each name selects the type one below the order its words describe; stored
// games and constants rely on these numbers, so the names stay as they are.
const char* const SORT_NAMES[] = {"Unsorted",
                                  "DescendingSuitRankAceHigh",
                                  "DescendingRankSuitAceHigh",
                                  "DescendingRankSuitAceLow",
                                  "AscendingSuitRankAceHigh",
                                  "AscendingSuitRankAceLow",
                                  "AscendingRankSuitAceLow",
                                  "AscendingRankSuitAceHigh",
                                  "PinochleDescendingSuitRank",
                                  "PinochleAscendingSuitRank",
                                  "SkatDescendingSuitRankHearts",
                                  "SkatDescendingSuitRankSpades",
                                  "SkatDescendingSuitRankDiamonds",
                                  "SkatDescendingSuitRankClubs",
                                  "SkatAscendingSuitRankHearts",
                                  "SkatAscendingSuitRankSpades",
                                  "SkatAscendingSuitRankDiamonds",
                                  "SkatAscendingSuitRankClubs",
                                  "SkatDescendingStrengthSuitHearts",
                                  "SkatDescendingStrengthSuitSpades",
                                  "SkatDescendingStrengthSuitDiamonds",
                                  "SkatDescendingStrengthSuitClubs",
                                  "SkatDescendingStrengthSuitGrand",
                                  "SkatDescendingValueSuit"};

template <size_t N> i32 NameFind(const char* const (&names)[N], const char* name)
{
   if (!name)
   {
      return -1;
   }
   for (size_t i = 0; i < N; i++)
   {
      if (std::strcmp(names[i], name) == 0)
      {
         return static_cast<i32>(i);
      }
   }
   return -1;
}

template <size_t N> const char* NameGet(const char* const (&names)[N], i32 value)
{
   return value >= 0 && static_cast<size_t>(value) < N ? names[value] : nullptr;
}
} // namespace

i32 CardRankAdd(i32 rank, i32 offset, bool aceHigh, bool* wrapped)
{
   const i32 low = aceHigh ? 2 : 1;
   const i32 high = low + 12;
   i64 value = static_cast<i64>(aceHigh && rank == RANK_ACE ? RANK_ACE_HIGH : rank) + offset;
   bool crossed = false;
   if (value < low)
   {
      crossed = true;
      value = high - ((high - value) % 13);
   }
   else if (value > high)
   {
      crossed = true;
      value = low + ((value - low) % 13);
   }
   if (wrapped)
   {
      *wrapped = crossed;
   }
   return value == RANK_ACE_HIGH ? RANK_ACE : static_cast<i32>(value);
}

bool CardRanksNeighbourCheck(i32 a, i32 b)
{
   return CardRankAdd(a, 1, false, nullptr) == b || CardRankAdd(a, -1, false, nullptr) == b;
}

i32 CardRankDifferenceGet(i32 a, i32 b, bool aceHigh)
{
   if (aceHigh)
   {
      a = a == RANK_ACE ? RANK_ACE_HIGH : a;
      b = b == RANK_ACE ? RANK_ACE_HIGH : b;
   }
   return a - b;
}

bool SuitCountLessCheck(const SuitCount& a, const SuitCount& b)
{
   return a.count < b.count;
}

bool CardSuitColorsMatchCheck(i32 suitA, i32 suitB)
{
   if (suitA < SUIT_HEARTS || suitA > SUIT_CLUBS || suitB < SUIT_HEARTS || suitB > SUIT_CLUBS)
   {
      return false;
   }
   // Hearts and Diamonds are even, Spades and Clubs odd.
   return (suitA & 1) == (suitB & 1);
}

i32 CardSuitFromName(const char* name)
{
   return NameFind(SUIT_NAMES, name);
}

i32 CardRankFromName(const char* name)
{
   return NameFind(RANK_NAMES, name);
}

i32 CardPileTypeFromName(const char* name)
{
   return NameFind(PILE_TYPE_NAMES, name);
}

const char* CardSuitNameGet(i32 suit)
{
   return NameGet(SUIT_NAMES, suit);
}

const char* CardRankNameGet(i32 rank)
{
   return NameGet(RANK_NAMES, rank);
}

const char* CardPileTypeNameGet(i32 type)
{
   return NameGet(PILE_TYPE_NAMES, type);
}

i32 CardSortTypeFromName(const char* name)
{
   i32 index = NameFind(SORT_NAMES, name);
   return index < 0 ? 0 : index;
}
} // namespace Corvale
