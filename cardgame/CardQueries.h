// Queries over tables of cards that the games' rules and computer players ask. Highest and lowest
// count the ace as 14; ties keep the first card found.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Card;

Card* CardsCardFind(const Table<Card*>& cards, i32 rank, i32 suit);
Card* CardsRankFind(const Table<Card*>& cards, i32 rank);
i32 CardsRankCount(const Table<Card*>& cards, i32 rank);
i32 CardsSuitCount(const Table<Card*>& cards, i32 suit);
Card* CardsHighestGet(const Table<Card*>& cards);
Card* CardsLowestGet(const Table<Card*>& cards);
Card* CardsSuitHighestGet(const Table<Card*>& cards, i32 suit);
Card* CardsSuitLowestGet(const Table<Card*>& cards, i32 suit);
Card* CardsOffSuitHighestGet(const Table<Card*>& cards, i32 suit);
Card* CardsOffSuitLowestGet(const Table<Card*>& cards, i32 suit);
// The highest card of the suit ranking above (below) rank, and the lowest ranking above it.
Card* CardsSuitHighestAboveGet(const Table<Card*>& cards, i32 rank, i32 suit);
Card* CardsSuitHighestBelowGet(const Table<Card*>& cards, i32 rank, i32 suit);
Card* CardsSuitLowestAboveGet(const Table<Card*>& cards, i32 rank, i32 suit);
// Whether every card after startCard up to endIndex - 1 (-1: the end) follows its predecessor.
bool CardsSequenceCheck(const Table<Card*>& cards, const Card* startCard, i32 direction, i32 suitRule,
                        bool aceHigh, bool wrapAllowed, i32 step, i32 endIndex);
// A King heading exactly 13 cards to the end of the table, descending by one under suitRule.
bool CardsFullRunCheck(const Table<Card*>& cards, const Card* card, i32 suitRule);
// Whether rank follows topRank on a pile that builds by step (1-12) with the Ace after the King; a
// King ends the pile.
bool CardRankStepFollowsCheck(i32 topRank, i32 rank, i32 step);
// The hand's blackjack value; 0 when it exceeds 21.
i32 CardsTwentyOneValueGet(const Table<Card*>& cards);
} // namespace Corvale
