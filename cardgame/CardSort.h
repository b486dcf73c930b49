// The card sort orders: one comparison per sort type 1-32 (0 means unsorted), and the Skat and
// Euchre strength differences they and the games use.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Card;

constexpr i32 CARD_SORT_TYPE_UNSORTED = 0;
constexpr i32 CARD_SORT_TYPE_COUNT = 32;

// True when a goes before b (nearer index 0, the bottom of the pile).
typedef bool (*CardSortFunction)(const Card* a, const Card* b);

// The comparison of sort type index + 1 (index 0-31); null outside.
CardSortFunction CardSortFunctionGet(i32 index);

// strength(a) - strength(b): ranks 2-9 their value, Queen 10, King 11, Ten 12, Ace 13, each Jack
// above them all by suit (Diamonds 14, Hearts 15, Spades 16, Clubs 17).
i32 SkatCardStrengthDifferenceGet(const Card* a, const Card* b);
// strength(a) - strength(b) with trumpSuit trump: the right bower 16, the left bower 15, other
// cards their rank with the ace high.
i32 EuchreTrumpStrengthDifferenceGet(const Card* a, const Card* b, i32 trumpSuit);
} // namespace Corvale
