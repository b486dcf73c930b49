// Names the category of a poker hand and reorders the hand so that the cards making it come first,
// the kickers after them from the highest down; two evaluated hands then compare card by card.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Card;

enum PokerHandType : i32
{
   POKER_HAND_TYPE_NONE = 0,
   POKER_HAND_TYPE_HIGH_CARD = 1,
   POKER_HAND_TYPE_PAIR = 2,
   POKER_HAND_TYPE_TWO_PAIR = 3,
   POKER_HAND_TYPE_THREE_OF_A_KIND = 4,
   POKER_HAND_TYPE_STRAIGHT = 5,
   POKER_HAND_TYPE_FLUSH = 6,
   POKER_HAND_TYPE_FULL_HOUSE = 7,
   POKER_HAND_TYPE_FOUR_OF_A_KIND = 8,
   POKER_HAND_TYPE_STRAIGHT_FLUSH = 9,
   POKER_HAND_TYPE_ROYAL_FLUSH = 10,
   // Never found here; the table texts and comparisons know it.
   POKER_HAND_TYPE_FIVE_OF_A_KIND = 11
};

// Stateless: one global object serves every game. Each operation rearranges the caller's table in
// place; a table holding a null card is left alone and answers false (no category for the rank).
class PokerHandEvaluator
{
 public:
   virtual ~PokerHandEvaluator() = default;

   // High card to royal flush; none for a hand holding a null card.
   PokerHandType HandRankGet(Table<Card*>& hand) const;

   // Each true when the hand holds the combination, its cards then at the front.
   bool PairFind(Table<Card*>& hand) const;
   bool TwoPairFind(Table<Card*>& hand) const;
   bool ThreeOfAKindFind(Table<Card*>& hand) const;
   bool StraightFind(Table<Card*>& hand) const;
   bool FlushFind(Table<Card*>& hand) const;
   bool FullHouseFind(Table<Card*>& hand) const;
   bool FourOfAKindFind(Table<Card*>& hand) const;
   bool StraightFlushFind(Table<Card*>& hand) const;

   // The ace-high order of the evaluated hands: the higher rank first, then the lower suit value.
   static bool CardBeforeCheck(const Card* a, const Card* b);

 private:
   static bool HandCardsCheck(const Table<Card*>& hand, const char* caller);
   bool HandSort(Table<Card*>& hand, bool aceHigh, const char* caller) const;
   // Among the cards from index first on, the first rank from the highest that is held exactly
   // count times; its cards move to index first, the others keep their order behind them.
   bool SameRankFind(Table<Card*>& hand, i32 first, i32 count) const;
   bool RunFind(Table<Card*>& hand, bool suited, const char* caller) const;
};

extern PokerHandEvaluator pokerHandEvaluator;
} // namespace Corvale
