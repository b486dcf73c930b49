// Card enumerations and the free functions on them: rank arithmetic, suit colours, and the lookups
// from the names used in specifications and saved games to their values.
#pragma once

#include "core/Types.h"

namespace Corvale
{
enum Suit : i32
{
   SUIT_NONE = -1,
   SUIT_HEARTS = 0,
   SUIT_SPADES = 1,
   SUIT_DIAMONDS = 2,
   SUIT_CLUBS = 3
};

enum Rank : i32
{
   RANK_NONE = -1,
   RANK_JOKER = 0,
   RANK_ACE = 1,
   RANK_TWO = 2,
   RANK_NINE = 9,
   RANK_TEN = 10,
   RANK_JACK = 11,
   RANK_QUEEN = 12,
   RANK_KING = 13,
   // The ace where a rule counts it high.
   RANK_ACE_HIGH = 14
};

enum CardPileType : i32
{
   CARD_PILE_TYPE_INVALID = -1,
   CARD_PILE_TYPE_DRAW = 0,
   CARD_PILE_TYPE_TABLEAU = 1,
   CARD_PILE_TYPE_FOUNDATION = 2,
   CARD_PILE_TYPE_RESERVE = 3,
   CARD_PILE_TYPE_WASTE = 4,
   CARD_PILE_TYPE_TALON = 5,
   CARD_PILE_TYPE_HAND = 6,
   CARD_PILE_TYPE_DISCARD = 7,
   CARD_PILE_TYPE_TRICK = 8,
   CARD_PILE_TYPE_MELD = 9,
   CARD_PILE_TYPE_TAKE = 10,
   CARD_PILE_TYPE_FLIP = 11,
   CARD_PILE_TYPE_MELD_MOVEMENT = 12,
   CARD_PILE_TYPE_SKAT = 13,
   CARD_PILE_TYPE_CRIB = 14,
   CARD_PILE_TYPE_LAY_AWAY = 15
};

// rank + offset on a cycle of 13 ranks (2..14 with the ace high, else 1..13); wrapped (when given)
// tells whether the step crossed the cycle's end. 14 comes back as the ace, 1.
i32 CardRankAdd(i32 rank, i32 offset, bool aceHigh, bool* wrapped);
// One rank apart on the cycle of 13, so that King and Ace follow each other.
bool CardRanksNeighbourCheck(i32 a, i32 b);
// a - b, both aces counted as 14 when aceHigh.
i32 CardRankDifferenceGet(i32 a, i32 b, bool aceHigh);
// Both red (Hearts, Diamonds) or both black (Spades, Clubs); false when the first is no suit.
bool CardSuitColorsMatchCheck(i32 suitA, i32 suitB);
// Exact, case-sensitive lookups; -1 for null or an unknown name.
i32 CardSuitFromName(const char* name);
i32 CardRankFromName(const char* name);
i32 CardPileTypeFromName(const char* name);
// The names of those values; null outside the tables.
const char* CardSuitNameGet(i32 suit);
const char* CardRankNameGet(i32 rank);
const char* CardPileTypeNameGet(i32 type);
// The name's place among the 24 sort order names, which is the sort type it selects; 0 (unsorted)
// for null or an unknown name.
i32 CardSortTypeFromName(const char* name);

// A suit and how many cards of it a hand holds; a computer player sorts its suits by length.
struct SuitCount
{
   i32 suit;
   i32 count;
};
// True when a's count is below b's: sorting with it puts the shortest suit first.
bool SuitCountLessCheck(const SuitCount& a, const SuitCount& b);
} // namespace Corvale
